// The wheel of any game: the cost per set (per line, with a bonus pool) of
// the full pick with the filters at their defaults and a sum filter, output to
// nothing; 6/49 through its own job for comparison, and through the walk of
// any game.
#include "core/Game.h"
#include "core/NumberSet.h"
#include "wheel/GameWheel.h"
#include "wheel/RunPreparation.h"
#include "wheel/WheelJob.h"

#include <benchmark/benchmark.h>

#include <numeric>

using namespace orvane;

namespace {

std::vector<int> numbersUpTo(int highest) {
    std::vector<int> pick(static_cast<std::size_t>(highest));
    std::iota(pick.begin(), pick.end(), 1);
    return pick;
}

// The sums in the middle 40% of the game's range.
FilterControls sumFiltered(const Game& game) {
    FilterControls c(game);
    const int low = game.smallestSum(), span = game.largestSum() - low;
    c.minSum = std::to_string(low + span * 3 / 10);
    c.maxSum = std::to_string(low + span * 7 / 10);
    return c;
}

// The time per line in nanoseconds: the inverse of a rate of lines per nanosecond.
void nanosecondsPerLine(benchmark::State& state, std::uint64_t lines) {
    state.counters["ns_per_line"] = benchmark::Counter(
        static_cast<double>(lines) * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Lotto649Job(benchmark::State& state) {
    FilterControls c = sumFiltered(Game::lotto649());
    normaliseForRun(c);
    for (auto _ : state) {
        WheelJob job(numbersUpTo(49), SetPipeline(c, RunTables{}), nullptr);
        job.runToEnd();
        benchmark::DoNotOptimize(job.passing());
    }
    nanosecondsPerLine(state, 13'983'816);
}
BENCHMARK(Lotto649Job)->Unit(benchmark::kMillisecond);

void GameWalk(benchmark::State& state, const char* matrix, bool everyBonus) {
    const Game game = *gameFromMatrix(matrix);
    FilterControls c = sumFiltered(game);
    normaliseForRun(c, game);
    const GameRules rules = compileGameRules(game, c, {});
    const std::vector<int> bonus = everyBonus ? numbersUpTo(game.bonusPool()) : std::vector<int>{};
    std::uint64_t lines = 0;
    for (auto _ : state) {
        GameWheel wheel(game, numbersUpTo(game.highest()), bonus, rules, nullptr);
        wheel.runToEnd();
        lines = wheel.generated();
        benchmark::DoNotOptimize(wheel.passing());
    }
    nanosecondsPerLine(state, lines);
}
BENCHMARK_CAPTURE(GameWalk, lotto_6_49, "6/49", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GameWalk, lotto_6_59, "6/59", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GameWalk, lotto_5_39, "5/39", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GameWalk, lotto_6_90, "6/90", false)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(GameWalk, powerball_every_bonus, "5/69+1/26", true)->Unit(benchmark::kMillisecond);

// The filter against history over 1,500 made-up past draws, at most 3 numbers of any of them.
void GameWalkAgainstHistory(benchmark::State& state, const char* matrix) {
    const Game game = *gameFromMatrix(matrix);
    FilterControls c(game);
    c.filterAgainstHistory = 1;
    c.maxFromHistory = "3";
    normaliseForRun(c, game);
    GameRunTables tables;
    std::uint64_t seed = 1500;
    for (int d = 0; d < 1'500; ++d) {
        NumberSet past;
        while (past.count() < game.perTicket()) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            past.add(1 + static_cast<int>((seed >> 33) % static_cast<std::uint64_t>(game.highest())));
        }
        tables.pastDraws.push_back(past);
    }
    const GameRules rules = compileGameRules(game, c, tables);
    std::uint64_t lines = 0;
    for (auto _ : state) {
        GameWheel wheel(game, numbersUpTo(game.highest()), {}, rules, nullptr);
        wheel.runToEnd();
        lines = wheel.generated();
        benchmark::DoNotOptimize(wheel.passing());
    }
    nanosecondsPerLine(state, lines);
}
BENCHMARK_CAPTURE(GameWalkAgainstHistory, lotto_5_39, "5/39")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GameWalkAgainstHistory, powerball, "5/69+1/26")->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
