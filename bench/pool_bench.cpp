// The pool generator's jobs, engine only: a Begin (T = 5, G = 10, P = 49,
// N = 1, reading the history included) and the self-optimization batch of
// 125 passes, over the sample history and over a made-up 6,000-draw history,
// in one go and in the window's 15 ms steps (the longest step bounds how long
// the window waits), plus a Begin over 60,000 draws for the steps' bound.
// Each figure is the fastest of several runs. Every result is checked against
// generatePool over draws read here the plain way, and its counts against the
// draws the chosen groups were followed by; a wrong result exits with 1.
#include "BenchFiles.h"
#include "pool/PoolBatch.h"
#include "pool/PoolJob.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace orvane;
using namespace bench;

namespace {

constexpr auto kStepBudget = std::chrono::milliseconds(15);
constexpr int kRuns = 15;
constexpr int kBatchRuns = 5;
constexpr PoolParameters kBegin{5, 10, 49, 1};

// A deterministic made-up history: six different numbers per draw.
std::string madeUpHistory(std::size_t count) {
    std::mt19937 random(6049);
    std::string text;
    char line[40];
    for (std::size_t i = 0; i < count; ++i) {
        std::vector<int> numbers(49);
        for (int n = 0; n < 49; ++n) numbers[static_cast<std::size_t>(n)] = n + 1;
        std::shuffle(numbers.begin(), numbers.end(), random);
        std::sort(numbers.begin(), numbers.begin() + 6);
        std::snprintf(line, sizeof line, "%02zu%02zu%02zu  %02d %02d %02d %02d %02d %02d\r\n", i % 12 + 1, i % 28 + 1,
                      i / 52 % 100, numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]);
        text += line;
    }
    return text;
}

// The outcome against generatePool over the plainly read draws, and its
// counts against the draws that followed the chosen groups.
void check(const std::optional<PoolOutcome>& outcome, const std::vector<ReportDraw>& draws,
           const PoolParameters& parameters, const std::string& what) {
    if (!outcome) fail(what + ": no result");
    if (!(*outcome == generatePool(draws, parameters))) fail(what + ": not the result generatePool gives");
    std::uint64_t expected = 0, counted = 0;
    for (const ScoredBlock& group : outcome->bestGroups)
        if (group.end > 0)
            expected += 6 * std::min<std::uint64_t>(static_cast<std::uint64_t>(parameters.followingDraws),
                                                    draws.size() - static_cast<std::size_t>(group.end));
    for (const RankedNumber& row : outcome->ranking) counted += row.count;
    if (counted != expected) fail(what + ": the counts do not add up to the following draws' numbers");
    std::vector<int> sorted = outcome->pool;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        if (sorted[i] != static_cast<int>(i) + 1) fail(what + ": the pool is not the 49 numbers");
}

struct Timing {
    double whole = 1e9;   // in one go
    double stepped = 1e9; // in 15 ms steps
    double longest = 1e9; // the longest of those steps
};

template <typename Job, typename Make>
Timing timeJob(Make make, int runs, const std::vector<ReportDraw>& draws, const PoolParameters& parameters,
               const std::string& what) {
    Timing timing;
    for (int run = 0; run < runs; ++run) {
        auto start = Clock::now();
        std::unique_ptr<Job> whole = make();
        whole->runToEnd();
        timing.whole = std::min(timing.whole, msSince(start));
        check(whole->outcome(), draws, parameters, what);

        std::unique_ptr<Job> stepped = make();
        double longest = 0;
        start = Clock::now();
        for (bool ended = false; !ended;) {
            const auto step = Clock::now();
            ended = stepped->advance(kStepBudget);
            longest = std::max(longest, msSince(step));
        }
        timing.stepped = std::min(timing.stepped, msSince(start));
        timing.longest = std::min(timing.longest, longest);
        check(stepped->outcome(), draws, parameters, what + ", stepped");
    }
    return timing;
}

} // namespace

int main() {
    makeScratch("pool-bench");
    bool missed = false;
    const auto flag = [&missed](double ms, double limit) {
        if (ms < limit) return "";
        missed = true;
        return "  OVER TARGET";
    };

    const std::string samplePath = ORVANE_SAMPLE_HISTORY;
    const std::string largePath = (scratch / "MADEUP.HIT").string();
    const std::string hugePath = (scratch / "HUGE.HIT").string();
    {
        std::ofstream(largePath, std::ios::binary) << madeUpHistory(6'000);
        std::ofstream(hugePath, std::ios::binary) << madeUpHistory(60'000);
    }
    struct History {
        const char* name;
        std::string path;
        double beginTarget;
        double batchTarget;
    };
    const History histories[] = {{"sample", samplePath, 10, 300}, {"made-up", largePath, 50, 500}};

    std::printf("Pool jobs, engine only, history read included, fastest of %d runs (batch: %d), in ms; "
                "longest %lld ms step < 20\n",
                kRuns, kBatchRuns, static_cast<long long>(kStepBudget.count()));
    for (const History& history : histories) {
        const std::vector<ReportDraw> draws = plainDrawsOf(fileText(history.path));
        const std::string what = std::string(history.name) + " (" + std::to_string(draws.size()) + " draws)";
        const Timing begin = timeJob<PoolJob>(
            [&] {
                return std::make_unique<PoolJob>(history.path, kBegin, PoolRunTexts{"5", "10"});
            },
            kRuns, draws, kBegin, what + ", Begin");
        std::printf("%-24s Begin T 5, G 10  %8.3f ms%s, stepped %8.3f ms, longest step %6.3f ms%s\n", what.c_str(),
                    begin.whole, flag(begin.whole, history.beginTarget), begin.stepped, begin.longest,
                    flag(begin.longest, 20));
        const Timing batch =
            timeJob<PoolBatchJob>([&] { return std::make_unique<PoolBatchJob>(history.path, 10, "10"); }, kBatchRuns,
                                  draws, PoolParameters{5, 10, 49, 5}, what + ", batch");
        std::printf("%-24s batch, 125 passes %8.3f ms%s, stepped %8.3f ms, longest step %6.3f ms%s\n", what.c_str(),
                    batch.whole, flag(batch.whole, history.batchTarget), batch.stepped, batch.longest,
                    flag(batch.longest, 20));
    }

    const std::vector<ReportDraw> hugeDraws = plainDrawsOf(fileText(hugePath));
    const PoolParameters longTrend{15, 20, 49, 5};
    const Timing huge = timeJob<PoolJob>(
        [&] {
            return std::make_unique<PoolJob>(hugePath, longTrend, PoolRunTexts{"15", "20"});
        },
        kBatchRuns, hugeDraws, longTrend, "60,000 draws, Begin");
    std::printf("%-24s Begin T 15, G 20 %8.3f ms, stepped %8.3f ms, longest step %6.3f ms%s\n", "60,000 draws",
                huge.whole, huge.stepped, huge.longest, flag(huge.longest, 20));

    removeScratch();
    if (missed) std::printf("some figures are over their targets\n");
    return 0;
}
