#include "cover/CoverCheck.h"
#include "cover/CoverJob.h"
#include "cover/CoverSearch.h"
#include "cover/Guarantee.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>

using namespace orvane;

namespace {

std::vector<int> firstNumbers(int count) {
    std::vector<int> pool(static_cast<std::size_t>(count));
    std::iota(pool.begin(), pool.end(), 1);
    return pool;
}

// The plain reading of the guarantee, on the numbers themselves: every
// m numbers of the pool share at least t with some ticket.
template <class Ticket>
bool keepsGuarantee(const std::vector<Ticket>& tickets, const std::vector<int>& pool, Guarantee g) {
    std::vector<int> drawn;
    bool kept = true;
    std::function<void(std::size_t)> choose = [&](std::size_t from) {
        if (!kept) return;
        if (drawn.size() == static_cast<std::size_t>(g.drawn)) {
            kept = std::any_of(tickets.begin(), tickets.end(), [&](const Ticket& ticket) {
                int shared = 0;
                for (int n : drawn) shared += std::count(ticket.begin(), ticket.end(), n) > 0;
                return shared >= g.match;
            });
            return;
        }
        for (std::size_t i = from; i < pool.size(); ++i) {
            drawn.push_back(pool[i]);
            choose(i + 1);
            drawn.pop_back();
        }
    };
    choose(0);
    return kept;
}

CoverRequest requestFor(std::vector<int> pool, Guarantee g, std::uint64_t workLimit, std::uint64_t seed = 7) {
    CoverRequest request;
    request.pool = std::move(pool);
    request.guarantee = g;
    request.timeBudget = std::chrono::hours(1); // the work limit ends these runs, the same on any machine
    request.workLimit = workLimit;
    request.seed = seed;
    return request;
}

std::vector<Combination> finishedList(const CoverRequest& request) {
    CoverJob job(request);
    job.runToEnd();
    EXPECT_FALSE(job.failure()) << job.failure()->text;
    return job.tickets();
}

TicketMask maskOf(std::initializer_list<int> positions) {
    TicketMask mask = 0;
    for (int p : positions) mask |= TicketMask{1} << p;
    return mask;
}

TEST(Guarantee, ReadsTheWaysItIsWritten) {
    EXPECT_EQ(parseGuarantee("3"), (Guarantee{3, 3}));
    EXPECT_EQ(parseGuarantee("3if4"), (Guarantee{3, 4}));
    EXPECT_EQ(parseGuarantee(" 4 IF 6 "), (Guarantee{4, 6}));
    for (const char* bad : {"", "if", "3if", "if4", "34", "3 if 4 if 5", "three", "3.5", "-3"})
        EXPECT_FALSE(parseGuarantee(bad)) << bad;
    EXPECT_EQ(guaranteeText({3, 6}), "3 if 6");
}

TEST(Guarantee, RefusesWhatNoListCanKeep) {
    EXPECT_FALSE(guaranteeFault(6, {3, 3}));
    EXPECT_FALSE(guaranteeFault(49, {3, 6}));
    EXPECT_TRUE(guaranteeFault(5, {2, 2}));  // smaller than a ticket
    EXPECT_TRUE(guaranteeFault(12, {4, 3})); // t > m
    EXPECT_TRUE(guaranteeFault(12, {1, 1})); // t below 2
    EXPECT_TRUE(guaranteeFault(12, {3, 7})); // m above 6
    EXPECT_TRUE(guaranteeFault(49, {5, 5})); // hundreds of thousands of tickets
    const auto tooLarge = guaranteeFault(49, {4, 4});
    ASSERT_TRUE(tooLarge);
    EXPECT_NE(tooLarge->find("10,000 tickets"), std::string::npos);
}

TEST(Guarantee, LowerBoundMatchesHandWorkedValues) {
    EXPECT_EQ(ticketLowerBound(7, {3, 3}), 4);
    EXPECT_EQ(ticketLowerBound(8, {4, 4}), 7);
    EXPECT_EQ(ticketLowerBound(7, {5, 5}), 6);
    EXPECT_EQ(ticketLowerBound(12, {3, 3}), 14);
    EXPECT_EQ(ticketLowerBound(20, {3, 3}), 64);
    EXPECT_EQ(ticketLowerBound(6, {3, 3}), 1);
    EXPECT_EQ(ticketLowerBound(49, {3, 6}), 1); // no bound is known to this program for m > t
}

TEST(CoverCheck, AgreesWithThePlainReadingOnRandomLists) {
    std::mt19937 random(3);
    for (int round = 0; round < 60; ++round) {
        const int poolSize = 7 + static_cast<int>(random() % 6);
        const int t = 2 + static_cast<int>(random() % 3);
        const Guarantee g{t, t + static_cast<int>(random() % static_cast<unsigned>(7 - t))};
        std::vector<TicketMask> tickets;
        std::vector<int> positions(static_cast<std::size_t>(poolSize));
        std::iota(positions.begin(), positions.end(), 0);
        for (int i = static_cast<int>(random() % 12); i > 0; --i) {
            std::shuffle(positions.begin(), positions.end(), random);
            TicketMask ticket = 0;
            for (int j = 0; j < 6; ++j) ticket |= TicketMask{1} << positions[static_cast<std::size_t>(j)];
            tickets.push_back(ticket);
        }
        const std::vector<int> pool = firstNumbers(poolSize);
        EXPECT_EQ(uncoveredSubsets(poolSize, g, tickets) == 0, keepsGuarantee(ticketSets(tickets, pool), pool, g))
            << poolSize << " numbers, " << guaranteeText(g);
    }
}

// Tickets of three to eight numbers: every list the search keeps holds tickets
// of that size and keeps its guarantee by the plain reading; the check refuses
// a ticket of another size.
TEST(CoverSearch, TicketsOfAnySizeKeepTheirGuarantee) {
    struct Case {
        int poolSize;
        Guarantee guarantee;
    };
    for (const Case& c : {Case{9, {2, 2, 3}}, Case{12, {3, 3, 5}}, Case{13, {2, 3, 5}}, Case{12, {3, 4, 7}},
                          Case{14, {4, 4, 7}}, Case{13, {2, 2, 8}}, Case{16, {3, 5, 5}}}) {
        const Guarantee g = c.guarantee;
        ASSERT_FALSE(guaranteeFault(c.poolSize, g)) << guaranteeText(g);
        CoverJob job(requestFor(firstNumbers(c.poolSize), g, 3'000'000));
        job.runToEnd();
        const std::vector<std::vector<int>> tickets = job.ticketLists();
        ASSERT_FALSE(tickets.empty()) << c.poolSize << " numbers, " << guaranteeText(g) << ", tickets of " << g.ticket;
        for (const std::vector<int>& ticket : tickets) EXPECT_EQ(ticket.size(), static_cast<std::size_t>(g.ticket));
        EXPECT_TRUE(keepsGuarantee(tickets, firstNumbers(c.poolSize), g))
            << c.poolSize << " numbers, " << guaranteeText(g) << ", tickets of " << g.ticket;
        if (g.match == g.drawn) {
            EXPECT_GE(tickets.size(), static_cast<std::size_t>(ticketLowerBound(c.poolSize, g)));
        }
    }
    // The Schönheim bound of five-number tickets: S(4,5,11) reaches it.
    EXPECT_EQ(ticketLowerBound(11, {4, 4, 5}), 66);
    EXPECT_EQ(ticketLowerBound(21, {2, 2, 5}), 21);
    const TicketMask six = maskOf({0, 1, 2, 3, 4, 5});
    EXPECT_NE(uncoveredSubsets(7, {2, 2, 5}, {six, six << 1}), 0u); // six numbers are no ticket of five
    EXPECT_EQ(*guaranteeFault(4, {2, 2, 5}), "The pool holds 4 numbers; a ticket needs 5.");
    EXPECT_EQ(*guaranteeFault(10, {2, 2, 9}), "A ticket holds 3 to 8 numbers, not 9.");
    EXPECT_EQ(*guaranteeFault(10, {3, 6, 5}), "The guarantee's drawn numbers must be at most 5.");
    EXPECT_EQ(*guaranteeFault(5, {3, 3}), "The pool holds 5 numbers; a ticket needs six.");
}

TEST(CoverCheck, RefusesAListShortOfOneTicketAndMalformedTickets) {
    // 3 if 3 on 7: four tickets, each leaving out a different number.
    std::vector<TicketMask> minimal;
    for (int left : {0, 1, 2, 3}) minimal.push_back(maskOf({0, 1, 2, 3, 4, 5, 6}) & ~maskOf({left}));
    EXPECT_EQ(uncoveredSubsets(7, {3, 3}, minimal), 0u);
    for (std::size_t removed = 0; removed < minimal.size(); ++removed) {
        std::vector<TicketMask> shorter = minimal;
        shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(removed));
        EXPECT_EQ(uncoveredSubsets(7, {3, 3}, shorter), 1u); // the three numbers all the rest leave out
    }
    EXPECT_GT(uncoveredSubsets(7, {3, 3}, {}), 0u);
    // A five-number "ticket", or one reaching past the pool, proves nothing.
    EXPECT_GT(uncoveredSubsets(7, {2, 2}, {maskOf({0, 1, 2, 3, 4, 5}), maskOf({0, 1, 2, 3, 6})}), 0u);
    EXPECT_GT(uncoveredSubsets(7, {2, 2}, {maskOf({0, 1, 2, 3, 4, 5}), maskOf({1, 2, 3, 4, 5, 7})}), 0u);
}

TEST(CoverCheck, SlicedCheckingCountsAsTheWholeDoes) {
    const std::vector<TicketMask> tickets{maskOf({0, 1, 2, 3, 4, 5}), maskOf({4, 5, 6, 7, 8, 9}),
                                          maskOf({0, 2, 4, 6, 8, 10})};
    const std::uint64_t whole = uncoveredSubsets(12, {3, 4}, tickets);
    CoverCheck check(12, {3, 4}, tickets);
    std::uint64_t pieces = 0;
    while (!check.advance(7)) ++pieces;
    EXPECT_EQ(check.uncovered(), whole);
    EXPECT_GT(pieces, 10u);
    EXPECT_FALSE(check.passed());
}

TEST(CoverSearch, ReachesTheKnownSmallDesignsAndProvesThem) {
    struct Known {
        int poolSize;
        Guarantee guarantee;
        std::size_t tickets;
    };
    for (const Known& known :
         {Known{7, {3, 3}, 4}, Known{8, {4, 4}, 7}, Known{7, {5, 5}, 6}, Known{6, {2, 4}, 1}, Known{8, {3, 3}, 4}}) {
        const std::vector<int> pool = firstNumbers(known.poolSize);
        const std::vector<Combination> tickets = finishedList(requestFor(pool, known.guarantee, 50'000'000));
        EXPECT_EQ(tickets.size(), known.tickets) << guaranteeText(known.guarantee) << " on " << known.poolSize;
        EXPECT_TRUE(keepsGuarantee(tickets, pool, known.guarantee));
        // Minimal: without any one of its tickets the list fails, for both checks.
        for (std::size_t removed = 0; tickets.size() > 1 && removed < tickets.size(); ++removed) {
            std::vector<Combination> shorter = tickets;
            shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(removed));
            EXPECT_FALSE(keepsGuarantee(shorter, pool, known.guarantee));
            std::vector<TicketMask> masks;
            for (const Combination& ticket : shorter) {
                TicketMask mask = 0;
                for (int n : ticket) mask |= TicketMask{1} << (n - 1);
                masks.push_back(mask);
            }
            EXPECT_GT(uncoveredSubsets(known.poolSize, known.guarantee, masks), 0u);
        }
    }
}

TEST(CoverSearch, EveryListItEndsWithKeepsItsGuarantee) {
    // Pools of the player's own numbers, not 1..v: the tickets use the pool's numbers.
    const std::vector<int> pool{3, 8, 11, 17, 22, 25, 29, 33, 38, 41, 44, 49};
    for (const Guarantee g : {Guarantee{2, 2}, Guarantee{3, 3}, Guarantee{3, 4}, Guarantee{4, 4}, Guarantee{3, 6},
                              Guarantee{4, 5}, Guarantee{5, 5}}) {
        const std::vector<Combination> tickets = finishedList(requestFor(pool, g, 3'000'000));
        ASSERT_FALSE(tickets.empty()) << guaranteeText(g);
        EXPECT_TRUE(keepsGuarantee(tickets, pool, g)) << guaranteeText(g);
        for (const Combination& ticket : tickets) {
            EXPECT_TRUE(std::is_sorted(ticket.begin(), ticket.end()));
            for (int n : ticket) EXPECT_TRUE(std::binary_search(pool.begin(), pool.end(), n)) << n;
        }
    }
}

TEST(CoverSearch, ItsUncoveredCountIsTheCheckersAtEveryStep) {
    // The search keeps its count move by move; the check counts from scratch.
    for (const auto& [poolSize, g] : {std::pair{20, Guarantee{3, 3}}, std::pair{12, Guarantee{3, 4}},
                                      std::pair{14, Guarantee{4, 4}}, std::pair{12, Guarantee{2, 6}}}) {
        CoverSearch search(poolSize, g, 5);
        for (int step = 0; step < 1500; ++step) {
            search.advance(static_cast<std::uint64_t>(1 + step % 97));
            ASSERT_EQ(search.workingUncovered(), uncoveredSubsets(poolSize, g, search.working()))
                << guaranteeText(g) << " on " << poolSize << ", step " << step;
        }
        EXPECT_FALSE(search.best().empty());
        EXPECT_EQ(search.refusedLists(), 0);
    }
}

TEST(CoverSearch, AWeakerGuaranteeNeedsFewerTickets) {
    const std::vector<int> pool = firstNumbers(12);
    const std::size_t plain = finishedList(requestFor(pool, {3, 3}, 5'000'000)).size();
    const std::size_t ifFour = finishedList(requestFor(pool, {3, 4}, 5'000'000)).size();
    const std::size_t ifSix = finishedList(requestFor(pool, {3, 6}, 5'000'000)).size();
    EXPECT_LT(ifFour, plain);
    EXPECT_LT(ifSix, ifFour);
    EXPECT_EQ(plain, 15u); // the smallest possible list for 3 if 3 on 12 numbers
}

TEST(CoverSearch, TheSameSeedGivesTheSameTicketsHoweverTheWorkIsSliced) {
    const std::vector<int> pool = firstNumbers(15);
    const CoverRequest request = requestFor(pool, {3, 3}, 20'000'000, 99);
    const std::vector<Combination> whole = finishedList(request);

    // The job works in pieces of 20,000 visits; here pieces of 777.
    CoverSearch search(15, {3, 3}, 99);
    const std::uint64_t limit = request.workLimit;
    while (search.workDone() < limit && !search.advance(std::min<std::uint64_t>(777, limit - search.workDone()))) {}
    ASSERT_FALSE(search.best().empty());
    EXPECT_EQ(ticketSets(search.best(), pool), whole);
    EXPECT_EQ(finishedList(request), whole);
    EXPECT_NE(finishedList(requestFor(pool, {3, 3}, limit, 100)), whole);
}

// A search that stalls starts again from its best list on a stream drawn
// from its seed: the same restarts and the same list however it is sliced.
TEST(CoverSearch, RestartsAreTheSameOnAnySlicing) {
    constexpr std::uint64_t kLimit = 70'000'000;
    const auto run = [](std::uint64_t piece) {
        CoverSearch search(13, {3, 3}, 5);
        while (search.workDone() < kLimit && !search.advance(std::min(piece, kLimit - search.workDone()))) {}
        return std::pair{search.restarts(), search.best()};
    };
    const auto [restarts, best] = run(20'000);
    EXPECT_GT(restarts, 0u);
    EXPECT_EQ(run(1'234'567), std::pair(restarts, best));
    EXPECT_EQ(uncoveredSubsets(13, {3, 3}, best), 0u);
}

TEST(CoverJob, StopKeepsTheBestProvedList) {
    CoverJob job(requestFor(firstNumbers(20), {4, 4}, 0));
    while (job.progress().bestTickets == 0) ASSERT_FALSE(job.advance(std::chrono::milliseconds(5)));
    job.stop();
    EXPECT_TRUE(job.ended());
    EXPECT_TRUE(job.stopped());
    const std::vector<Combination> tickets = job.tickets();
    EXPECT_EQ(tickets.size(), job.progress().bestTickets);
    EXPECT_TRUE(keepsGuarantee(tickets, firstNumbers(20), {4, 4}));

    CoverJob early(requestFor(firstNumbers(40), {3, 3}, 0));
    early.stop();
    EXPECT_TRUE(early.tickets().empty());
}

TEST(CoverJob, RefusesImpossibleInputsBeforeSearching) {
    CoverJob tooFew(requestFor({1, 2, 3, 4, 5}, {2, 2}, 1000));
    ASSERT_TRUE(tooFew.failure());
    EXPECT_TRUE(tooFew.ended());
    EXPECT_TRUE(tooFew.tickets().empty());
    CoverJob outside(requestFor({0, 1, 2, 3, 4, 5, 6}, {2, 2}, 1000));
    EXPECT_TRUE(outside.failure());
    // A pool given twice over counts each number once.
    CoverJob repeated(requestFor({5, 5, 6, 7, 8, 9}, {2, 2}, 1000));
    ASSERT_TRUE(repeated.failure());
    EXPECT_NE(repeated.failure()->text.find("5 numbers"), std::string::npos) << repeated.failure()->text;
}

TEST(CoverJob, ResultText) {
    EXPECT_EQ(coverResultText(15, {3, 3}), "15 tickets; guarantee 3 if 3 verified");
    EXPECT_EQ(coverResultText(1, {2, 4}), "1 ticket; guarantee 2 if 4 verified");
}

} // namespace
