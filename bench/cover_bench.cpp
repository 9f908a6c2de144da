// Abbreviated wheels: for each pool and guarantee, one search of the longest
// budget (60 s unless given), reporting the shortest proved list after 10 s
// and at the end, the seconds at which each was found, the lower bound and
// the best size known from the published tables. Then the time to check a
// list over every subset of a 20-number pool. Every list is checked again
// here against the plain reading of the guarantee; a failure exits with 1.
//
//   cover_bench [SECONDS] [CASE]     CASE as "3if3/12" runs that one alone
#include "cover/CoverCheck.h"
#include "cover/CoverJob.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

using namespace orvane;

namespace {

struct Case {
    int poolSize;
    Guarantee guarantee;
    int bestKnown; // 0 when this program's authors do not know it
};

const Case kCases[] = {
    {10, {3, 3}, 0}, {12, {3, 3}, 15}, {15, {3, 3}, 0},  {16, {3, 3}, 0},  {18, {3, 3}, 0},
    {20, {3, 3}, 71}, {22, {3, 3}, 77}, {10, {4, 4}, 0}, {12, {4, 4}, 0},  {14, {4, 4}, 80},
    {16, {4, 4}, 0},  {10, {5, 5}, 50}, {12, {5, 5}, 132}, {49, {3, 6}, 163},
};

std::string caseName(const Case& c) {
    return std::to_string(c.guarantee.match) + "if" + std::to_string(c.guarantee.drawn) + "/" +
           std::to_string(c.poolSize);
}

// Every m numbers of 1..v share t with a ticket, counted on the numbers with loops.
bool plainlyKept(const std::vector<Combination>& tickets, int poolSize, Guarantee g) {
    std::vector<int> drawn(static_cast<std::size_t>(g.drawn));
    std::iota(drawn.begin(), drawn.end(), 1);
    // The ticket that covered the last numbers most likely covers the next,
    // which differ in one or two: it is tried first.
    std::size_t lastHit = 0;
    const auto covers = [&](const Combination& ticket) {
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
        for (int j = i + 1; j < g.drawn; ++j) drawn[static_cast<std::size_t>(j)] = drawn[static_cast<std::size_t>(j - 1)] + 1;
    }
}

void runCase(const Case& c, int seconds) {
    CoverRequest request;
    request.pool.resize(static_cast<std::size_t>(c.poolSize));
    std::iota(request.pool.begin(), request.pool.end(), 1);
    request.guarantee = c.guarantee;
    request.timeBudget = std::chrono::seconds(seconds);
    request.seed = 1;
    CoverJob job(request);
    job.runToEnd();
    if (job.failure()) {
        std::fprintf(stderr, "%s: %s\n", caseName(c).c_str(), job.failure()->text.c_str());
        std::exit(1);
    }
    if (!plainlyKept(job.tickets(), c.poolSize, c.guarantee)) {
        std::fprintf(stderr, "%s: the list does not keep its guarantee\n", caseName(c).c_str());
        std::exit(1);
    }
    CoverImprovement at10{};
    for (const CoverImprovement& found : job.improvements())
        if (found.after <= std::chrono::seconds(10)) at10 = found;
    const CoverImprovement last = job.improvements().back();
    const std::string known = c.bestKnown ? std::to_string(c.bestKnown) : "-";
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
    for (const Combination& ticket : job.tickets()) {
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
    std::printf("Check of a %zu-ticket %s list on 20 numbers over every subset: %.3f ms (limit 100 ms)\n",
                masks.size(), guaranteeText(g).c_str(), fastest);
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const std::string only = argc > 2 ? argv[2] : "";
    std::printf("| case    | bound | known | at 10 s | found at | at %d s | found at |\n", seconds);
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const Case& c : kCases)
        if (only.empty() || caseName(c) == only) runCase(c, seconds);
    if (only.empty()) {
        timeCheck({4, 4});
        timeCheck({3, 3});
    }
    return 0;
}
