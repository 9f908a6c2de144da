// Pools of more than 64 numbers, the games of 69, 70 and 90 numbers: the
// search in wide words makes the same moves as in narrow ones, and its lists
// and the check agree with a plain count on the numbers themselves.
#include "cover/CoverCheck.h"
#include "cover/CoverJob.h"
#include "cover/CoverSearchEngine.h"
#include "cover/Guarantee.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using namespace orvane;

namespace {

// Every m positions of 0..poolSize-1 share t with some ticket, counted with
// nested loops over each ticket's table of the positions it holds (m of 2 or 3).
std::uint64_t plainlyUncovered(const std::vector<std::vector<int>>& tickets, int poolSize, Guarantee g) {
    std::vector<std::vector<int>> holdsPosition;
    for (const std::vector<int>& ticket : tickets) {
        std::vector<int>& table = holdsPosition.emplace_back(static_cast<std::size_t>(poolSize), 0);
        for (int p : ticket) table[static_cast<std::size_t>(p)] = 1;
    }
    const auto holds = [&](std::initializer_list<int> drawn) {
        return std::any_of(holdsPosition.begin(), holdsPosition.end(), [&](const std::vector<int>& table) {
            int shared = 0;
            for (int p : drawn) shared += table[static_cast<std::size_t>(p)];
            return shared >= g.match;
        });
    };
    std::uint64_t uncovered = 0;
    for (int a = 0; a < poolSize; ++a)
        for (int b = a + 1; b < poolSize; ++b) {
            if (g.drawn == 2) {
                uncovered += !holds({a, b});
                continue;
            }
            for (int c = b + 1; c < poolSize; ++c) uncovered += !holds({a, b, c});
        }
    return uncovered;
}

std::vector<std::vector<int>> positionLists(const std::vector<TicketMask>& tickets) {
    std::vector<std::vector<int>> lists;
    for (TicketMask ticket : tickets) {
        std::vector<int>& positions = lists.emplace_back();
        for (int p = 0; p < kLargestPool; ++p)
            if ((ticket >> p) & 1) positions.push_back(p);
    }
    return lists;
}

// Runs a search in words of type Mask to the work limit, in pieces of `piece`.
template <class Mask>
std::pair<std::vector<TicketMask>, std::uint64_t> searched(int poolSize, Guarantee g, std::uint64_t limit,
                                                           std::uint64_t piece, std::uint64_t partWork) {
    MaskedCoverSearch<Mask> search(poolSize, g, 11, partWork);
    while (search.workDone() < limit && !search.advance(std::min(piece, limit - search.workDone()))) {}
    return {search.best(), search.restarts()};
}

TEST(WidePool, TheWideSearchMakesTheNarrowOnesMoves) {
    struct Case {
        int poolSize;
        Guarantee guarantee;
        std::uint64_t limit;
    };
    // Greedy over every ticket, sampled greedy with restarts, and a pool split in two parts.
    for (const Case& c : {Case{13, {3, 3}, 65'000'000}, Case{14, {4, 4}, 5'000'000}, Case{12, {2, 6}, 2'000'000},
                          Case{45, {2, 3}, 12'000'000}, Case{20, {3, 3, 5}, 4'000'000}}) {
        const auto narrow = searched<std::uint64_t>(c.poolSize, c.guarantee, c.limit, 20'000, 1'000'000);
        const auto wide = searched<TicketMask>(c.poolSize, c.guarantee, c.limit, 9'999, 1'000'000);
        ASSERT_FALSE(narrow.first.empty()) << guaranteeText(c.guarantee) << " on " << c.poolSize;
        EXPECT_EQ(wide, narrow) << guaranteeText(c.guarantee) << " on " << c.poolSize;
        if (c.poolSize == 13) {
            EXPECT_GT(narrow.second, 0u); // it started again from its best list
        }
    }
}

TEST(WidePool, TheCheckAgreesWithAPlainCountBeyondSixtyFourNumbers) {
    std::mt19937 random(17);
    for (int round = 0; round < 24; ++round) {
        const int poolSize = 60 + static_cast<int>(random() % 31); // 60..90: both sides of the word's edge
        const int k = 5 + static_cast<int>(random() % 2);
        const Guarantee g{2, 2 + static_cast<int>(random() % 2), k};
        std::vector<int> positions(static_cast<std::size_t>(poolSize));
        std::iota(positions.begin(), positions.end(), 0);
        std::vector<TicketMask> tickets;
        // Enough tickets that some 2 if 3 lists come close to passing, and the top positions always in play.
        for (int i = 0; i < 150 + round * 20; ++i) {
            std::shuffle(positions.begin(), positions.end(), random);
            TicketMask ticket = TicketMask{1} << (poolSize - 1 - i % 3);
            for (std::size_t j = 0; bitCount(ticket) < k; ++j) ticket |= TicketMask{1} << positions[j];
            tickets.push_back(ticket);
        }
        EXPECT_EQ(uncoveredSubsets(poolSize, g, tickets), plainlyUncovered(positionLists(tickets), poolSize, g))
            << guaranteeText(g) << " on " << poolSize << ", tickets of " << k;
    }
    // A ticket reaching one past a pool of 70 proves nothing; one at its last number is fine.
    TicketMask last = 0;
    for (int p : {1, 2, 3, 4, 69}) last |= TicketMask{1} << p;
    const TicketMask past = (last & ~(TicketMask{1} << 69)) | TicketMask{1} << 70;
    EXPECT_FALSE(CoverCheck(70, {2, 2, 5}, {last}).finished());
    EXPECT_EQ(uncoveredSubsets(70, {2, 2, 5}, {last}), subsetCount(70, 2) - subsetCount(5, 2));
    const CoverCheck refused(70, {2, 2, 5}, {past});
    EXPECT_TRUE(refused.finished());
    EXPECT_FALSE(refused.passed());
}

// The abbreviated wheel of every number of a five-number game with 69, and of
// a 6/90 game's numbers: proved, and kept by the plain count.
TEST(WidePool, AListOfEveryNumberOfALargeGameKeepsItsGuarantee) {
    struct Case {
        int highest;
        Guarantee guarantee;
    };
    for (const Case& c : {Case{69, {2, 2, 5}}, Case{90, {2, 3, 6}}}) {
        CoverRequest request;
        request.pool.resize(static_cast<std::size_t>(c.highest));
        std::iota(request.pool.begin(), request.pool.end(), 1);
        request.highest = c.highest;
        request.guarantee = c.guarantee;
        request.timeBudget = std::chrono::hours(1);
        request.workLimit = 2'000'000;
        CoverJob job(request);
        ASSERT_FALSE(job.failure()) << job.failure()->text;
        job.runToEnd();
        std::vector<std::vector<int>> tickets = job.ticketLists();
        ASSERT_FALSE(tickets.empty());
        for (std::vector<int>& ticket : tickets) {
            ASSERT_EQ(ticket.size(), static_cast<std::size_t>(c.guarantee.ticket));
            for (int& n : ticket) --n; // as positions of the pool 1..N
        }
        EXPECT_EQ(plainlyUncovered(tickets, c.highest, c.guarantee), 0u) << guaranteeText(c.guarantee);
        EXPECT_GE(tickets.size(), static_cast<std::size_t>(ticketLowerBound(c.highest, c.guarantee)));
        EXPECT_TRUE(std::any_of(tickets.begin(), tickets.end(),
                                [&](const std::vector<int>& t) { return t.back() == c.highest - 1; }));
    }
}

TEST(WidePool, RefusesWhatTheSearchCannotHold) {
    EXPECT_FALSE(guaranteeFault(90, {3, 3}));
    EXPECT_EQ(*guaranteeFault(91, {2, 2}), "The pool holds more than 90 numbers.");
    EXPECT_EQ(*guaranteeFault(90, {2, 6}),
              "A list for 2 if 6 on 90 numbers is out of reach: 622,614,630 ways to draw 6 of them are more than the "
              "search can weigh. Choose fewer numbers or fewer drawn numbers.");
    EXPECT_FALSE(guaranteeFault(49, {2, 6})); // 13,983,816 ways: held, as every 6/49 guarantee is
    EXPECT_FALSE(guaranteeFault(69, {3, 5, 5}));
    EXPECT_TRUE(guaranteeFault(59, {2, 7, 7}));
}

} // namespace
