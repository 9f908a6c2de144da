// The wheel's hot path: the per-set pipeline over the full 49-number pick,
// with no output and with the file output (to the null device), with every
// filter at its default and with a tight configuration, and the filter against
// history over histories of growing length.
#include "wheel/RunPreparation.h"
#include "wheel/WheelJob.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <random>

using namespace orvane;

namespace {

std::vector<int> fullPick() {
    std::vector<int> pick(49);
    std::iota(pick.begin(), pick.end(), 1);
    return pick;
}

void setsPerSecond(benchmark::State& state, std::uint64_t sets) {
    state.counters["sets_per_second"] =
        benchmark::Counter(static_cast<double>(sets), benchmark::Counter::kIsIterationInvariantRate);
}

void FullPickEngineOnly(benchmark::State& state) {
    std::uint64_t passing = 0;
    for (auto _ : state) {
        WheelJob job(fullPick(), SetPipeline{}, nullptr);
        job.runToEnd();
        passing = job.passing();
        benchmark::DoNotOptimize(passing);
    }
    setsPerSecond(state, 13'983'816);
}
BENCHMARK(FullPickEngineOnly)->Unit(benchmark::kMillisecond);

void FullPickToNullDevice(benchmark::State& state) {
    for (auto _ : state) {
        Notice failure;
        WheelJob job(fullPick(), SetPipeline{},
                     FileWheelOutput::open("/dev/null", DiskMode::Overwrite, false, failure));
        job.runToEnd();
        benchmark::DoNotOptimize(job.passing());
    }
    setsPerSecond(state, 13'983'816);
}
BENCHMARK(FullPickToNullDevice)->Unit(benchmark::kMillisecond);

void SlicedFullPick(benchmark::State& state) {
    // As the window drives it: 15 ms slices until the end.
    for (auto _ : state) {
        WheelJob job(fullPick(), SetPipeline{}, nullptr);
        while (!job.advance(std::chrono::milliseconds(15))) {}
        benchmark::DoNotOptimize(job.passing());
    }
    setsPerSecond(state, 13'983'816);
}
BENCHMARK(SlicedFullPick)->Unit(benchmark::kMillisecond);

// Sum 100 to 180, two to four even numbers, pairs but never two, at most two
// numbers per decade, at most one number of the last draw, no four numbers of
// any past draw, the 90% positional preset and the Ravelin skip.
FilterControls tightControls() {
    FilterControls c;
    c.minSum = "100";
    c.maxSum = "180";
    c.evensAllowed = {0, 0, 1, 1, 1, 0, 0};
    c.enablePairs = 1;
    c.allowTwoPairs = 0;
    c.tens = {"2", "2", "2", "2", "2"};
    c.lastDrawNumMax = "1";
    c.filterAgainstHistory = 1;
    c.maxFromHistory = "3";
    c.enablePosAnalysis = 1;
    c.positionPreset = PositionPreset::Percent90;
    c.enableRavelin = 1;
    return c;
}

// The tight configuration over the sample history, as the command line runs
// it: to the null device (range 1) or recording nothing (range 0); with the
// Ravelin skip as configured, or with it off to show what the skip saves.
void runTightConfiguration(benchmark::State& state, bool withSkip) {
    FilterControls controls = tightControls();
    normaliseForRun(controls);
    RunTables tables;
    if (auto problem = readRunTables(controls, ORVANE_SAMPLE_HISTORY, tables)) {
        state.SkipWithError(problem->text.c_str());
        return;
    }
    const bool toNullDevice = state.range(0) != 0;
    std::uint64_t generated = 0, passing = 0;
    for (auto _ : state) {
        Notice failure;
        WheelJob job(fullPick(), SetPipeline(controls, tables),
                     toNullDevice ? FileWheelOutput::open("/dev/null", DiskMode::Overwrite, false, failure) : nullptr,
                     withSkip ? std::optional(WheelJob::skipLimitsFor(controls)) : std::nullopt);
        job.runToEnd();
        generated = job.generated();
        passing = job.passing();
    }
    state.counters["generated"] = static_cast<double>(generated);
    state.counters["passing"] = static_cast<double>(passing);
}

void FullPickTightConfiguration(benchmark::State& state) { runTightConfiguration(state, true); }
void FullPickTightWithoutSkip(benchmark::State& state) { runTightConfiguration(state, false); }
BENCHMARK(FullPickTightConfiguration)->ArgName("output")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(FullPickTightWithoutSkip)->ArgName("output")->Arg(0)->Unit(benchmark::kMillisecond);

std::vector<DrawRecord> randomDraws(std::size_t count) {
    std::mt19937 random(49);
    std::vector<DrawRecord> draws(count);
    std::array<int, 49> numbers;
    std::iota(numbers.begin(), numbers.end(), 1);
    for (DrawRecord& draw : draws) {
        std::shuffle(numbers.begin(), numbers.end(), random);
        std::copy_n(numbers.begin(), 6, draw.numbers.begin());
        std::sort(draw.numbers.begin(), draw.numbers.end());
    }
    return draws;
}

// The filter against history with limit 2 over the full pick, engine only:
// range 0 is the sample history, the others that many random draws.
void FullPickAgainstHistoryLimit2(benchmark::State& state) {
    FilterControls controls;
    controls.filterAgainstHistory = 1;
    controls.maxFromHistory = "2";
    RunTables tables;
    if (state.range(0) == 0) {
        readRunTables(controls, ORVANE_SAMPLE_HISTORY, tables);
    } else {
        tables.history = HistoryIndex(randomDraws(static_cast<std::size_t>(state.range(0))), 2);
    }
    std::uint64_t passing = 0;
    for (auto _ : state) {
        WheelJob job(fullPick(), SetPipeline(controls, tables), nullptr);
        job.runToEnd();
        passing = job.passing();
    }
    state.counters["passing"] = static_cast<double>(passing);
    setsPerSecond(state, 13'983'816);
}
BENCHMARK(FullPickAgainstHistoryLimit2)->Arg(0)->Arg(599)->Arg(5990)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
