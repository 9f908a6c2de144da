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
        ASSERT_EQ(bitCount(block), 6);
        ASSERT_EQ(block >> 22, 0u);
        for (int a = 0; a < 22; ++a)
            for (int b = a + 1; b < 22; ++b)
                for (int c = b + 1; c < 22; ++c) {
                    const TicketMask triple = TicketMask{1} << a | TicketMask{1} << b | TicketMask{1} << c;
                    if ((block & triple) == triple) ++triples[triple];
                }
    }
    EXPECT_EQ(triples.size(), 1540u);                                // C(22, 3): every triple ...
    for (const auto& [triple, count] : triples) EXPECT_EQ(count, 1); // ... exactly once
    EXPECT_EQ(uncoveredSubsets(22, Guarantee{3, 3}, blocks), 0u);
}

// A design whose blocks of k numbers hold every (k - 1)-subset of the pool
// exactly once: each block less one of its numbers is counted.
void expectEveryBlockLessOneOnce(const std::vector<TicketMask>& blocks, int poolSize, int k) {
    std::map<TicketMask, int> parts;
    for (TicketMask block : blocks) {
        ASSERT_EQ(bitCount(block), k);
        ASSERT_EQ(block >> poolSize, 0u);
        for (int left = 0; left < poolSize; ++left)
            if (block >> left & 1) ++parts[block & ~(TicketMask{1} << left)];
    }
    EXPECT_EQ(parts.size(), subsetCount(poolSize, k - 1));       // every (k - 1)-subset ...
    for (const auto& [part, count] : parts) EXPECT_EQ(count, 1); // ... exactly once
}

TEST(CoverDesigns, TheTernaryGolayCodeGivesEveryFiveOfTwelveOnce) {
    const std::vector<TicketMask> blocks = steinerSystem5612();
    ASSERT_EQ(blocks.size(), 132u);
    expectEveryBlockLessOneOnce(blocks, 12, 6);
    EXPECT_EQ(constructedList(12, Guarantee{5, 5}, 1, 0)->size(), 132u);
}

TEST(CoverDesigns, TheDerivedDesignGivesEveryFourOfElevenOnceOnFiveNumberTickets) {
    const std::vector<TicketMask> blocks = steinerSystem4511();
    ASSERT_EQ(blocks.size(), 66u);
    expectEveryBlockLessOneOnce(blocks, 11, 5);
    EXPECT_EQ(constructedList(11, Guarantee{4, 4, 5}, 1, 0)->size(), 66u);
    EXPECT_FALSE(constructedList(11, Guarantee{4, 4}, 1, 0)); // six-number tickets: no such design
}

TEST(CoverDesigns, ConstructionsReachTheBestKnownSizesAndAreProved) {
    const std::optional<std::vector<TicketMask>> pairs = constructedList(49, Guarantee{2, 6}, 1, 5'000'000);
    ASSERT_TRUE(pairs);
    EXPECT_EQ(pairs->size(), 19u); // proved optimal
    EXPECT_EQ(uncoveredSubsets(49, Guarantee{2, 6}, *pairs), 0u);
    EXPECT_EQ(constructedList(22, Guarantee{3, 3}, 1, 0)->size(), 77u);
    EXPECT_FALSE(constructedList(15, Guarantee{3, 3}, 1, 0)); // no construction: the search alone

    // S(3,6,22) and a 3 if 3 list of the other 8: any 5 drawn put three in one part.
    const std::optional<std::vector<TicketMask>> united = constructedList(30, Guarantee{3, 5}, 1, 2'000'000);
    ASSERT_TRUE(united);
    EXPECT_EQ(uncoveredSubsets(30, Guarantee{3, 5}, *united), 0u);
    EXPECT_EQ(std::vector<TicketMask>(united->begin(), united->begin() + 77), steinerSystem3622());
}

// Every pair once in each of its own pieces: the pieces form a 2-(v,k,1) design.
void expectEveryPairOnce(const std::vector<TicketMask>& blocks, int poolSize, int k = 6) {
    std::map<TicketMask, int> pairs;
    for (TicketMask block : blocks) {
        ASSERT_EQ(bitCount(block), k);
        ASSERT_EQ(block >> poolSize, 0u);
        for (int a = 0; a < poolSize; ++a)
            for (int b = a + 1; b < poolSize; ++b)
                if ((block >> a & 1) && (block >> b & 1)) ++pairs[TicketMask{1} << a | TicketMask{1} << b];
    }
    EXPECT_EQ(pairs.size(), subsetCount(poolSize, 2));
    for (const auto& [pair, count] : pairs) EXPECT_EQ(count, 1);
}

TEST(CoverDesigns, TheProjectivePlaneOfOrderFiveHasEveryPairOnce) {
    const std::vector<TicketMask> lines = projectivePlaneOrder5();
    ASSERT_EQ(lines.size(), 31u);
    expectEveryPairOnce(lines, 31);
    EXPECT_EQ(constructedList(31, Guarantee{2, 2}, 1, 0)->size(), 31u); // the Schönheim bound
}

// The planes of every order a ticket can use: each pair of points on one line,
// and the job takes the plane, at the Schönheim bound, for its pool.
TEST(CoverDesigns, TheProjectiveAndAffinePlanesHaveEveryPairOnce) {
    for (int order : {2, 3, 4, 5, 7}) {
        const int points = order * order + order + 1;
        const std::vector<TicketMask> lines = projectivePlane(order);
        EXPECT_EQ(lines.size(), static_cast<std::size_t>(points)) << "order " << order;
        expectEveryPairOnce(lines, points, order + 1);
        EXPECT_EQ(constructedList(points, Guarantee{2, 2, order + 1}, 1, 0)->size(), lines.size());
        EXPECT_EQ(ticketLowerBound(points, Guarantee{2, 2, order + 1}), points);
    }
    EXPECT_TRUE(projectivePlane(6).empty()); // no field of six elements
    for (int order : {2, 3, 4, 5, 7}) {
        const int points = order * order;
        const std::vector<TicketMask> lines = affinePlane(order);
        EXPECT_EQ(lines.size(), static_cast<std::size_t>(points + order)) << "order " << order;
        expectEveryPairOnce(lines, points, order);
        if (order >= kSmallestTicket) {
            EXPECT_EQ(constructedList(points, Guarantee{2, 2, order}, 1, 0)->size(), lines.size());
        }
    }
    EXPECT_EQ(projectivePlane(5), projectivePlaneOrder5());
    // A pool a little smaller than a plane's points starts from the plane, shrunk and proved.
    const std::optional<std::vector<TicketMask>> shrunk = constructedList(47, Guarantee{2, 2, 7}, 1, 0);
    ASSERT_TRUE(shrunk);
    EXPECT_LE(shrunk->size(), 56u);
    EXPECT_EQ(uncoveredSubsets(47, Guarantee{2, 2, 7}, *shrunk), 0u);
}

TEST(CoverDesigns, AShrunkDesignKeepsTheGuaranteeOnTheSmallerPool) {
    // Two numbers fewer than S(3,6,22): the 40 blocks missing both stay, the
    // others are filled up; every triple left had one block, so all stay.
    const std::optional<std::vector<TicketMask>> shrunk = shrunkList(steinerSystem3622(), 20, Guarantee{3, 3});
    ASSERT_TRUE(shrunk);
    EXPECT_EQ(shrunk->size(), 77u);
    EXPECT_GE(shrunk->size(), static_cast<std::size_t>(ticketLowerBound(20, Guarantee{3, 3})));
    EXPECT_EQ(uncoveredSubsets(20, Guarantee{3, 3}, *shrunk), 0u);
    for (TicketMask ticket : *shrunk) {
        EXPECT_EQ(bitCount(ticket), 6);
        EXPECT_EQ(ticket >> 20, 0u);
    }
    // Every four of 20 is more than a list for every three can give.
    EXPECT_FALSE(shrunkList(steinerSystem3622(), 20, Guarantee{4, 4}));
    // Tickets to spare go: runs of six numbers before the plane, the plane
    // once more, and a line through a number beyond the pool that refills as a repeat.
    std::vector<TicketMask> spare;
    for (int first = 0; first + 6 <= 31; first += 3) spare.push_back(TicketMask{0b111111} << first);
    const std::vector<TicketMask> lines = projectivePlaneOrder5();
    spare.insert(spare.end(), lines.begin(), lines.end());
    spare.insert(spare.end(), lines.begin(), lines.end());
    const TicketMask throughZero = *std::find_if(lines.begin(), lines.end(), [](TicketMask l) { return l & 1; });
    spare.push_back(throughZero ^ 1 ^ TicketMask{1} << 40);
    const std::optional<std::vector<TicketMask>> plane = shrunkList(spare, 31, Guarantee{2, 2});
    ASSERT_TRUE(plane);
    std::vector<TicketMask> kept = *plane, expected = lines;
    std::sort(kept.begin(), kept.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(kept, expected);
}

TEST(CoverDesigns, FiveNumbersWithEachOtherAndATripleListKeepThreeIfFour) {
    // With no work for the search, the list is the construction itself:
    // S(3,6,22) on 22 numbers and the last five with each of the 22.
    const std::optional<std::vector<TicketMask>> list = constructedList(27, Guarantee{3, 4}, 1, 0);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 77u + 22u);
    EXPECT_EQ(uncoveredSubsets(27, Guarantee{3, 4}, *list), 0u);
    const TicketMask lastFive = TicketMask{0b11111} << 22;
    EXPECT_EQ(std::count_if(list->begin(), list->end(), [&](TicketMask t) { return (t & lastFive) == lastFive; }), 22);
    // Without the five's tickets, four drawn numbers two of them among the five go uncovered.
    std::vector<TicketMask> triplesOnly(list->begin(), list->end());
    std::erase_if(triplesOnly, [&](TicketMask t) { return (t & lastFive) == lastFive; });
    EXPECT_GT(uncoveredSubsets(27, Guarantee{3, 4}, triplesOnly), 0u);
    // Worked with a search of each part, it is at least as short.
    const std::optional<std::vector<TicketMask>> searched = constructedList(27, Guarantee{3, 4}, 1, 5'000'000);
    ASSERT_TRUE(searched);
    EXPECT_LE(searched->size(), 99u);
    EXPECT_EQ(uncoveredSubsets(27, Guarantee{3, 4}, *searched), 0u);
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
        EXPECT_TRUE(job.improvements().empty()); // nothing done before the first slice
        EXPECT_TRUE(job.progress().constructing);
        while (!job.advance(std::chrono::milliseconds(1))) {}
        ASSERT_FALSE(job.improvements().empty());
        EXPECT_EQ(job.improvements().front().tickets, tickets);
        EXPECT_FALSE(job.progress().constructing);
        EXPECT_EQ(job.tickets().size(), tickets);
        EXPECT_EQ(job.progress().bestTickets, tickets);
    }
}

// The search goes on from the construction (here S(3,6,22) shrunk to 20
// numbers): never longer than it, and for a seed and a work limit the same
// list however the job's time is sliced.
TEST(CoverDesigns, TheSearchShortensTheConstructionTheSameWayOnAnySlicing) {
    CoverRequest request;
    request.pool.resize(20);
    std::iota(request.pool.begin(), request.pool.end(), 1);
    request.guarantee = Guarantee{3, 3};
    request.timeBudget = std::chrono::hours(1);
    request.workLimit = 30'000'000;
    CoverJob whole(request);
    whole.runToEnd();
    CoverJob sliced(request);
    while (!sliced.advance(std::chrono::microseconds(300))) {}
    ASSERT_FALSE(whole.improvements().empty());
    EXPECT_EQ(whole.improvements().front().tickets, 77u);
    EXPECT_LT(whole.tickets().size(), 77u);
    EXPECT_EQ(sliced.tickets(), whole.tickets());
}
