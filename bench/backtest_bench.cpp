// The backtest, engine only, over the sample history with every filter on:
// the verdicts for all its draws (the job's first slice, which also builds the
// filters for the sets) and the one pass over all 13,983,816 sets that counts
// every filter's share, the joint share and the share without each filter,
// in one go and in the window's 15 ms steps, with what chance would keep
// for every row; then the same over a random history of 100,000 draws, and
// Powerball's backtest over 1,500 random draws with all 69 numbers. Each
// figure is the fastest of several runs. The joint count is checked against a wheel run with the same
// settings, and the sliced result against the whole one; a wrong result exits with 1.
#include "BenchFiles.h"
#include "backtest/Backtest.h"
#include "wheel/WheelStart.h"

#include <algorithm>
#include <numeric>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>

using namespace orvane;
using namespace bench;

namespace {

constexpr int kRuns = 5;

FilterControls everyFilterOn() {
    FilterControls c;
    c.minSum = "100";
    c.maxSum = "200";
    c.maxDif = "20";
    c.rejectLast15Sums = 1;
    c.lastDrawNumMax = "1";
    c.lastDrawNumMaxPos = "0";
    c.enablePairs = 1;
    c.allowTwoPairs = 0;
    c.evensAllowed = {0, 1, 1, 1, 1, 1, 0};
    c.evensSignatures = 1;
    c.tens = {"3", "3", "3", "3", "3"};
    c.ones = {"2", "2", "2", "2", "2", "2", "2", "2", "2", "2"};
    c.enablePosAnalysis = 1;
    c.positionPreset = PositionPreset::Percent98;
    c.maxBelowMid = "5";
    c.maxAboveMid = "5";
    c.enableKeyNumbers = 1;
    c.keyRule = KeyRule::RequireAny;
    c.keyNumbers = {"7", "21", "33", "", ""};
    c.enableLocks = 1;
    c.lockedOut[0] = "2";
    c.enableSumPick = 1;
    for (int sum = 90; sum <= 210; ++sum) c.sumsAccepted[sum - 21] = sum % 7 != 0;
    c.filterAgainstHistory = 1;
    c.maxFromHistory = "3";
    c.enableGroups = 1;
    c.groups[0] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    c.enableExactValues = 1;
    c.exactValues[5] = {"40", "41", "42", "43", "44", "45", "46", "47", "48", "49"};
    return c;
}

// Filters of every kind for another game, the history-reading ones included.
FilterControls gameFiltersOn(const Game& game) {
    FilterControls c(game);
    c.minSum = "100";
    c.maxSum = "250";
    c.maxDif = "40";
    c.rejectLast15Sums = 1;
    c.lastDrawNumMax = "1";
    c.lastDrawNumMaxPos = "0";
    c.enablePairs = 1;
    c.allowTwoPairs = 0;
    c.evensAllowed.front() = 0;
    c.evensSignatures = 1;
    for (std::string& tens : c.tens) tens = "3";
    c.ones.fill("2");
    c.maxBelowMid = "4";
    c.maxAboveMid = "4";
    c.filterAgainstHistory = 1;
    c.maxFromHistory = "3";
    c.enableGroups = 1;
    c.groups[0] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    return c;
}

// Uniformly random draws of the game, with a bonus number when it has a pool.
std::vector<GameDraw> randomGameDraws(const Game& game, std::size_t count) {
    std::mt19937 random(69);
    std::vector<GameDraw> draws;
    std::vector<int> numbers(static_cast<std::size_t>(game.highest()));
    for (std::size_t i = 0; i < count; ++i) {
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin(), numbers.end(), random);
        GameDraw draw{2000 + static_cast<int>(i / 300),
                      1 + static_cast<int>(i / 25 % 12),
                      1 + static_cast<int>(i % 25),
                      {numbers.begin(), numbers.begin() + game.perTicket()},
                      {}};
        std::sort(draw.numbers.begin(), draw.numbers.end());
        if (game.hasBonusPool()) draw.bonus.push_back(1 + static_cast<int>(random() % game.bonusPool()));
        draws.push_back(draw);
    }
    return draws;
}

// Uniformly random draws of six numbers, for a history far longer than the sample.
std::vector<DrawRecord> randomDraws(std::size_t count) {
    std::mt19937 random(49);
    std::vector<DrawRecord> draws;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint64_t taken = 0;
        DrawRecord draw{static_cast<long>(10100 + i % 1000), {}};
        for (int k = 0; k < 6;) {
            const int n = static_cast<int>(random() % 49) + 1;
            if (taken >> n & 1) continue;
            taken |= std::uint64_t{1} << n;
            draw.numbers[static_cast<std::size_t>(k++)] = n;
        }
        std::sort(draw.numbers.begin(), draw.numbers.end());
        draws.push_back(draw);
    }
    return draws;
}

// The whole backtest, chance shares included, in the window's 15 ms steps:
// the fastest of `runs`, and the longest step.
struct Timed {
    double ms = 1e9, longestStep = 0;
    BacktestResult result;
};
Timed timeSliced(const BacktestRequest& request, int runs) {
    Timed timed;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        BacktestJob job(request);
        for (bool ended = false; !ended;) {
            const auto step = Clock::now();
            ended = job.advance(std::chrono::milliseconds(15));
            timed.longestStep = std::max(timed.longestStep, msSince(step));
        }
        timed.ms = std::min(timed.ms, msSince(start));
        timed.result = job.result();
    }
    return timed;
}

} // namespace

int main() {
    programName = "backtest_bench";
    HistoryRead read = readHistoryRecords(ORVANE_SAMPLE_HISTORY);
    if (!read.ok()) fail(read.error);
    BacktestRequest request;
    request.controls = everyFilterOn();
    request.draws = read.draws;

    double bestDraws = 1e9, bestWhole = 1e9, bestSliced = 1e9, longestStep = 0;
    BacktestResult whole;
    for (int run = 0; run < kRuns; ++run) {
        auto start = Clock::now();
        BacktestJob job(request);
        // The draws are judged a part per slice; the last slice may start on the sets.
        while (job.result().draws.size() < read.draws.size() && !job.advance(std::chrono::nanoseconds(0))) {}
        bestDraws = std::min(bestDraws, msSince(start));
        if (job.result().draws.size() != read.draws.size()) fail("not every draw was judged");

        start = Clock::now();
        whole = runBacktest(request);
        bestWhole = std::min(bestWhole, msSince(start));

        start = Clock::now();
        BacktestJob sliced(request);
        for (bool ended = false; !ended;) {
            const auto step = Clock::now();
            ended = sliced.advance(std::chrono::milliseconds(15));
            longestStep = std::max(longestStep, msSince(step));
        }
        bestSliced = std::min(bestSliced, msSince(start));
        if (sliced.result().joint.sets.kept != whole.joint.sets.kept) fail("the sliced pass counted otherwise");
        for (std::size_t f = 0; f < whole.filters.size(); ++f)
            if (sliced.result().filters[f].sets.kept != whole.filters[f].sets.kept ||
                sliced.result().filters[f].setsWithout.kept != whole.filters[f].setsWithout.kept)
                fail("the sliced pass counted a filter otherwise");
    }

    WheelStartRequest wheel;
    wheel.controls = request.controls;
    for (int n = 1; n <= 49; ++n) wheel.pick.push_back(n);
    wheel.historyPath = ORVANE_SAMPLE_HISTORY;
    WheelStart start = startWheel(std::move(wheel));
    if (!start.job) fail("the wheel run was refused");
    start.job->runToEnd();
    if (start.job->passing() != whole.joint.sets.kept || start.job->generated() != whole.joint.sets.of)
        fail("the joint share differs from the wheel's passing count");

    // A random history of 100,000 draws: the lifts must all read as chance.
    BacktestRequest longRequest = request;
    longRequest.draws = randomDraws(100'000);
    const Timed longRun = timeSliced(longRequest, 3);
    int consistent = 0;
    for (const FilterResult& row : longRun.result.filters) consistent += row.reading == Reading::ConsistentWithChance;
    if (!longRun.result.complete) fail("the 100,000-draw backtest did not finish");

    std::printf("backtest, %zu draws, %zu filters on: draw verdicts %.2f ms (limit 50)\n", read.draws.size(),
                whole.filters.size(), bestDraws);
    std::printf("backtest, shares over %llu sets for %zu filters in one pass: %.0f ms in one go (limit 3000), "
                "%.0f ms in 15 ms steps, longest step %.1f ms; %llu sets kept by all, as the wheel passes\n",
                static_cast<unsigned long long>(whole.joint.sets.of), whole.filters.size(), bestWhole, bestSliced,
                longestStep, static_cast<unsigned long long>(whole.joint.sets.kept));
    std::printf("backtest with chance shares, %zu filters, %zu draws: %.0f ms in one go (limit 1500); all together %s, "
                "chance share %.4f%% +/- %.4f%%\n",
                whole.filters.size(), read.draws.size(), bestWhole,
                whole.joint.chance.estimated ? "estimated" : "exact", whole.joint.chance.share * 100,
                1.96 * whole.joint.chance.error * 100);
    std::printf("backtest with chance shares, %zu filters, 100,000 random draws: %.0f ms in 15 ms steps (limit 5000), "
                "longest step %.1f ms; %d of %zu filters consistent with chance, all together %s\n",
                longRun.result.filters.size(), longRun.ms, longRun.longestStep, consistent,
                longRun.result.filters.size(),
                longRun.result.joint.reading == Reading::ConsistentWithChance ? "consistent with chance" : "not");

    // Powerball: every number, 1,500 random draws.
    BacktestRequest game;
    game.game = *gameFromMatrix("5/69+1/26");
    game.controls = gameFiltersOn(game.game);
    game.gameDraws = randomGameDraws(game.game, 1'500);
    const Timed gameRun = timeSliced(game, 3);
    const BacktestResult gameWhole = runBacktest(game);
    if (!gameRun.result.complete) fail("the Powerball backtest did not finish");
    if (gameRun.result.joint.sets.kept != gameWhole.joint.sets.kept ||
        gameRun.result.joint.chance.share != gameWhole.joint.chance.share)
        fail("the sliced Powerball backtest differs from the whole one");
    int gameConsistent = 0;
    for (const FilterResult& row : gameWhole.filters) gameConsistent += row.reading == Reading::ConsistentWithChance;
    std::printf("backtest of Powerball, %zu filters, 1,500 random draws, %llu sets: %.0f ms in 15 ms steps, longest "
                "step %.1f ms; %d of %zu filters consistent with chance, all together %s (chance share %.4f%% +/- "
                "%.4f%%)\n",
                gameWhole.filters.size(), static_cast<unsigned long long>(gameWhole.joint.sets.of), gameRun.ms,
                gameRun.longestStep, gameConsistent, gameWhole.filters.size(),
                gameWhole.joint.reading == Reading::ConsistentWithChance ? "consistent with chance" : "not",
                gameWhole.joint.chance.share * 100, 1.96 * gameWhole.joint.chance.error * 100);
    return 0;
}
