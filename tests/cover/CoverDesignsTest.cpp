#include "cover/CoverCheck.h"
#include "cover/CoverDesigns.h"
#include "cover/CoverJob.h"

#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <numeric>

using namespace orvane;

TEST(CoverDesigns, TheGolayCodeHasItsOctadsAndTheSteinerSystemEveryTripleOnce) {
    const std::vector<std::uint32_t> octads = golayOctads();
    EXPECT_EQ(octads.size(), 759u);
    for (std::uint32_t octad : octads) EXPECT_EQ(std::popcount(octad), 8);

    const std::vector<TicketMask> blocks = steinerSystem3622();
    ASSERT_EQ(blocks.size(), 77u);
    std::map<TicketMask, int> triples;
    for (TicketMask block : blocks) {
        ASSERT_EQ(std::popcount(block), 6);
        ASSERT_EQ(block >> 22, 0u);
        for (int a = 0; a < 22; ++a)
            for (int b = a + 1; b < 22; ++b)
                for (int c = b + 1; c < 22; ++c) {
                    const TicketMask triple = TicketMask{1} << a | TicketMask{1} << b | TicketMask{1} << c;
                    if ((block & triple) == triple) ++triples[triple];
                }
    }
    EXPECT_EQ(triples.size(), 1540u);   // C(22, 3): every triple ...
    for (const auto& [triple, count] : triples) EXPECT_EQ(count, 1);   // ... exactly once
    EXPECT_EQ(uncoveredSubsets(22, Guarantee{3, 3}, blocks), 0u);
}

TEST(CoverDesigns, TheTernaryGolayCodeGivesEveryFiveOfTwelveOnce) {
    const std::vector<TicketMask> blocks = steinerSystem5612();
    ASSERT_EQ(blocks.size(), 132u);
    std::map<TicketMask, int> fives;
    for (TicketMask block : blocks) {
        ASSERT_EQ(std::popcount(block), 6);
        ASSERT_EQ(block >> 12, 0u);
        for (int left = 0; left < 12; ++left)   // the block less one of its numbers
            if (block >> left & 1) ++fives[block & ~(TicketMask{1} << left)];
    }
    EXPECT_EQ(fives.size(), 792u);   // C(12, 5): every five ...
    for (const auto& [five, count] : fives) EXPECT_EQ(count, 1);   // ... exactly once
    EXPECT_EQ(constructedList(12, Guarantee{5, 5}, 1, 0)->size(), 132u);
}

TEST(CoverDesigns, ConstructionsReachTheBestKnownSizesAndAreProved) {
    const std::optional<std::vector<TicketMask>> pairs = constructedList(49, Guarantee{2, 6}, 1, 5'000'000);
    ASSERT_TRUE(pairs);
    EXPECT_EQ(pairs->size(), 19u);   // proved optimal
    EXPECT_EQ(uncoveredSubsets(49, Guarantee{2, 6}, *pairs), 0u);
    EXPECT_EQ(constructedList(22, Guarantee{3, 3}, 1, 0)->size(), 77u);
    EXPECT_FALSE(constructedList(20, Guarantee{3, 3}, 1, 0));   // no construction: the search alone

    // S(3,6,22) and a 3 if 3 list of the other 8: any 5 drawn put three in one part.
    const std::optional<std::vector<TicketMask>> united = constructedList(30, Guarantee{3, 5}, 1, 2'000'000);
    ASSERT_TRUE(united);
    EXPECT_EQ(uncoveredSubsets(30, Guarantee{3, 5}, *united), 0u);
    EXPECT_EQ(std::vector<TicketMask>(united->begin(), united->begin() + 77), steinerSystem3622());
}

// The job's first proved list is the construction, worked in slices as the
// search is; --seconds 0 keeps it.
TEST(CoverDesigns, TheJobStartsFromTheConstruction) {
    for (const auto& [poolSize, guarantee, tickets] :
         {std::tuple{22, Guarantee{3, 3}, 77u}, std::tuple{49, Guarantee{2, 6}, 19u}}) {
        CoverRequest request;
        request.pool.resize(static_cast<std::size_t>(poolSize));
        std::iota(request.pool.begin(), request.pool.end(), 1);
        request.guarantee = guarantee;
        request.timeBudget = std::chrono::milliseconds(0);
        CoverJob job(request);
        EXPECT_TRUE(job.improvements().empty());   // nothing done before the first slice
        EXPECT_TRUE(job.progress().constructing);
        while (!job.advance(std::chrono::milliseconds(1))) {
        }
        ASSERT_FALSE(job.improvements().empty());
        EXPECT_EQ(job.improvements().front().tickets, tickets);
        EXPECT_FALSE(job.progress().constructing);
        EXPECT_EQ(job.tickets().size(), tickets);
        EXPECT_EQ(job.progress().bestTickets, tickets);
    }
}
