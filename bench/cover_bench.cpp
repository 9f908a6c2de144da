// Abbreviated wheels: for each pool and guarantee, one search of the longest
// budget (60 s unless given), reporting the shortest proved list after 10 s
// and at the end, the seconds at which each was found, the lower bound and
// the best size known from the published tables. Then the time to check a
// list over every subset of a 20-number pool. Every list is checked again
// here against the plain reading of the guarantee; a failure exits with 1.
//
//   cover_bench [SECONDS] [CASE]     CASE as "3if3/12" runs that one alone, and
//                                    "3if3/12k5" with tickets of five numbers
//   cover_bench --table [SECONDS] [K...]   every pool of 10 to 30 numbers with
//                                    every guarantee t if m, t = 2..5, m = t..k,
//                                    for tickets of K numbers (default 5 6 7),
//                                    SECONDS (default 5) each, as a markdown table
//   cover_bench --speed [WORK] [CASE] searches of a fixed amount of work (seed 1,
//                                    WORK subset visits, default 60 million): the
//                                    milliseconds each took, its list's size and a
//                                    checksum of its tickets, to set builds side by side
#include "cover/CoverCheck.h"
#include "cover/CoverJob.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

using namespace orvane;

namespace {

struct Case {
    int poolSize;
    Guarantee guarantee;
};

// The best sizes known to this program's authors, from the published tables
// and designs: 0 where they do not know it.
int knownSize(int poolSize, Guarantee g) {
    struct Known {
        int poolSize, match, drawn, tickets, ticket = kTicketSize;
    };
    static const Known kKnown[] = {
        {12, 3, 3, 15},
        {20, 3, 3, 71},
        {22, 3, 3, 77},
        {14, 4, 4, 80},
        {10, 5, 5, 50},
        {12, 5, 5, 132},
        {31, 2, 2, 31},
        {49, 2, 6, 19},
        {49, 3, 6, 163},
        {27, 3, 4, 86},
        // Steiner systems of five-number tickets: S(4,5,11) and the plane of order 4, S(2,5,21).
        {11, 4, 4, 66, 5},
        {21, 2, 2, 21, 5},
    };
    for (const Known& k : kKnown)
        if (k.poolSize == poolSize && k.match == g.match && k.drawn == g.drawn && k.ticket == g.ticket)
            return k.tickets;
    return 0;
}

const Case kCases[] = {
    {10, {3, 3}}, {12, {3, 3}}, {15, {3, 3}}, {16, {3, 3}}, {18, {3, 3}}, {20, {3, 3}},
    {22, {3, 3}}, {10, {4, 4}}, {12, {4, 4}}, {14, {4, 4}}, {16, {4, 4}}, {10, {5, 5}},
    {12, {5, 5}}, {27, {3, 4}}, {31, {2, 2}}, {49, {2, 6}}, {49, {3, 6}},
};

std::string caseName(const Case& c) {
    return std::to_string(c.guarantee.match) + "if" + std::to_string(c.guarantee.drawn) + "/" +
           std::to_string(c.poolSize) +
           (c.guarantee.ticket == kTicketSize ? "" : "k" + std::to_string(c.guarantee.ticket));
}

// Every m numbers of 1..v share t with a ticket, counted on the numbers with loops.
bool plainlyKept(const std::vector<std::vector<int>>& tickets, int poolSize, Guarantee g) {
    std::vector<int> drawn(static_cast<std::size_t>(g.drawn));
    std::iota(drawn.begin(), drawn.end(), 1);
    // The ticket that covered the last numbers most likely covers the next,
    // which differ in one or two: it is tried first.
    std::size_t lastHit = 0;
    const auto covers = [&](const std::vector<int>& ticket) {
        int shared = 0;
        for (int n : drawn) shared += std::find(ticket.begin(), ticket.end(), n) != ticket.end();
        return shared >= g.match;
    };
    while (true) {
        bool covered = !tickets.empty() && covers(tickets[lastHit]);
        for (std::size_t i = 0; !covered && i < tickets.size(); ++i)
            if (covers(tickets[i])) {
                covered = true;
                lastHit = i;
            }
        if (!covered) return false;
        int i = g.drawn - 1;
        while (i >= 0 && drawn[static_cast<std::size_t>(i)] == poolSize - g.drawn + 1 + i) --i;
        if (i < 0) return true;
        ++drawn[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < g.drawn; ++j)
            drawn[static_cast<std::size_t>(j)] = drawn[static_cast<std::size_t>(j - 1)] + 1;
    }
}

std::unique_ptr<CoverJob> runJob(const Case& c, int seconds) {
    CoverRequest request;
    request.pool.resize(static_cast<std::size_t>(c.poolSize));
    std::iota(request.pool.begin(), request.pool.end(), 1);
    request.guarantee = c.guarantee;
    request.timeBudget = std::chrono::seconds(seconds);
    request.seed = 1;
    auto job = std::make_unique<CoverJob>(request);
    job->runToEnd();
    if (job->failure()) {
        std::fprintf(stderr, "%s: %s\n", caseName(c).c_str(), job->failure()->text.c_str());
        std::exit(1);
    }
    if (!plainlyKept(job->ticketLists(), c.poolSize, c.guarantee)) {
        std::fprintf(stderr, "%s: the list does not keep its guarantee\n", caseName(c).c_str());
        std::exit(1);
    }
    return job;
}

void runCase(const Case& c, int seconds) {
    const std::vector<CoverImprovement> found = runJob(c, seconds)->improvements();
    CoverImprovement at10{};
    for (const CoverImprovement& improvement : found)
        if (improvement.after <= std::chrono::seconds(10)) at10 = improvement;
    const CoverImprovement last = found.back();
    const int best = knownSize(c.poolSize, c.guarantee);
    const std::string known = best ? std::to_string(best) : "-";
    std::printf("| %-7s | %5d | %5s | %5zu | %6.1f | %5zu | %6.1f |\n", caseName(c).c_str(),
                ticketLowerBound(c.poolSize, c.guarantee), known.c_str(), at10.tickets, at10.after.count() / 1000.0,
                last.tickets, last.after.count() / 1000.0);
    std::fflush(stdout);
}

// A list for 4 if 4 on 20 numbers checked over all 4,845 subsets, and a
// 3 if 3 list over all 1,140: the fastest of several checks.
void timeCheck(Guarantee g) {
    CoverRequest request;
    request.pool.resize(20);
    std::iota(request.pool.begin(), request.pool.end(), 1);
    request.guarantee = g;
    request.timeBudget = std::chrono::seconds(2);
    CoverJob job(request);
    job.runToEnd();
    std::vector<TicketMask> masks;
    for (const std::vector<int>& ticket : job.ticketLists()) {
        TicketMask mask = 0;
        for (int n : ticket) mask |= TicketMask{1} << (n - 1);
        masks.push_back(mask);
    }
    double fastest = 1e9;
    for (int run = 0; run < 20; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const std::uint64_t uncovered = uncoveredSubsets(20, g, masks);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (uncovered != 0) std::exit(1);
        fastest = std::min(fastest, ms);
    }
    std::printf("Check of a %zu-ticket %s list on 20 numbers over every subset: %.3f ms (limit 100 ms)\n", masks.size(),
                guaranteeText(g).c_str(), fastest);
}

// The same moves on any build give the same list: its size and an FNV-1a sum of its numbers say so.
void runSpeed(std::uint64_t work, const std::string& only) {
    const Case cases[] = {{20, {3, 3}}, {16, {4, 4}}, {27, {3, 4}},    {30, {3, 3, 5}}, {49, {2, 6}},
                          {49, {3, 6}}, {59, {3, 3}}, {69, {3, 5, 5}}, {90, {2, 2}}};
    std::printf("| case | search ms | check ms | tickets | checksum |\n|---|---|---|---|---|\n");
    for (const Case& c : cases) {
        if (!only.empty() && caseName(c) != only) continue;
        CoverRequest request;
        request.pool.resize(static_cast<std::size_t>(c.poolSize));
        std::iota(request.pool.begin(), request.pool.end(), 1);
        request.highest = c.poolSize;
        request.guarantee = c.guarantee;
        request.timeBudget = std::chrono::hours(1);
        request.seed = 1;
        request.workLimit = work;
        const auto start = std::chrono::steady_clock::now();
        CoverJob job(request);
        if (job.failure()) {
            std::printf("| %s | refused: %s | | |\n", caseName(c).c_str(), job.failure()->text.c_str());
            continue;
        }
        job.runToEnd();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::uint64_t sum = 1469598103934665603ull;
        std::vector<TicketMask> masks;
        for (const std::vector<int>& ticket : job.ticketLists()) {
            TicketMask mask = 0;
            for (int n : ticket) {
                sum = (sum ^ static_cast<std::uint64_t>(n)) * 1099511628211ull;
                mask |= TicketMask{1} << (n - 1);
            }
            masks.push_back(mask);
        }
        double checkMs = 1e9;
        for (int run = 0; run < 3; ++run) {
            const auto checkStart = std::chrono::steady_clock::now();
            if (uncoveredSubsets(c.poolSize, c.guarantee, masks) != 0) std::exit(1);
            checkMs = std::min(
                checkMs,
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - checkStart).count());
        }
        std::printf("| %s | %.0f | %.1f | %zu | %016llx |\n", caseName(c).c_str(), ms, checkMs,
                    job.ticketLists().size(), static_cast<unsigned long long>(sum));
        std::fflush(stdout);
    }
}

} // namespace

// Each pool and guarantee the program takes, against the Schönheim bound (for
// t if t) and the best size known: the first proved list (the one --seconds 0
// keeps) and the shortest within the budget.
void runTable(int seconds, const std::vector<int>& ticketSizes) {
    std::printf("| ticket | pool | guarantee | bound | known | first | after %d s | found at | vs known |\n", seconds);
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    for (int ticket : ticketSizes)
        for (int match = 2; match <= 5; ++match)
            for (int drawn = match; drawn <= ticket; ++drawn)
                for (int poolSize = 10; poolSize <= 30; ++poolSize) {
                    const Case c{poolSize, {match, drawn, ticket}};
                    if (guaranteeFault(poolSize, c.guarantee)) continue;
                    const std::vector<CoverImprovement> found = runJob(c, seconds)->improvements();
                    const CoverImprovement last = found.back();
                    const int best = knownSize(poolSize, c.guarantee);
                    const std::string known = best ? std::to_string(best) : "-";
                    char versus[32] = "-";
                    if (best)
                        std::snprintf(versus, sizeof versus, "%+.1f%%",
                                      100.0 * (static_cast<double>(last.tickets) - best) / best);
                    const int bound = ticketLowerBound(poolSize, c.guarantee);
                    std::printf("| %d | %d | %s | %s | %s | %zu | %zu | %.1f | %s |\n", ticket, poolSize,
                                guaranteeText(c.guarantee).c_str(), bound > 1 ? std::to_string(bound).c_str() : "-",
                                known.c_str(), found.front().tickets, last.tickets,
                                static_cast<double>(last.after.count()) / 1000.0, versus);
                    std::fflush(stdout);
                }
}

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--table") {
        std::vector<int> ticketSizes;
        for (int i = 3; i < argc; ++i) ticketSizes.push_back(std::atoi(argv[i]));
        if (ticketSizes.empty()) ticketSizes = {5, 6, 7};
        runTable(argc > 2 ? std::atoi(argv[2]) : 5, ticketSizes);
        return 0;
    }
    if (argc > 1 && std::string(argv[1]) == "--speed") {
        runSpeed(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 60'000'000, argc > 3 ? argv[3] : "");
        return 0;
    }
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const std::string only = argc > 2 ? argv[2] : "";
    std::printf("| case    | bound | known | at 10 s | found at | at %d s | found at |\n", seconds);
    std::printf("|---|---|---|---|---|---|---|\n");
    bool ran = false;
    for (const Case& c : kCases)
        if (only.empty() || caseName(c) == only) {
            runCase(c, seconds);
            ran = true;
        }
    int t = 0, m = 0, v = 0, k = kTicketSize;
    if (!ran && std::sscanf(only.c_str(), "%dif%d/%dk%d", &t, &m, &v, &k) >= 3) runCase(Case{v, {t, m, k}}, seconds);
    if (only.empty()) {
        timeCheck({4, 4});
        timeCheck({3, 3});
    }
    return 0;
}
