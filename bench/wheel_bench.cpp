// The wheel's hot path: the per-set pipeline over the full 49-number pick,
// with no output and with the file output (to the null device).
#include "wheel/WheelJob.h"

#include <benchmark/benchmark.h>

#include <numeric>

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
        WheelJob job(fullPick(), SetPipeline{}, FileWheelOutput::open("/dev/null", DiskMode::Overwrite, false, failure));
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
        while (!job.advance(std::chrono::milliseconds(15))) {
        }
        benchmark::DoNotOptimize(job.passing());
    }
    setsPerSecond(state, 13'983'816);
}
BENCHMARK(SlicedFullPick)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
