// The win check against the wheel that writes what it reads: the full
// 49-number wheel written to a file, and that file tallied against a draw,
// plain and numbered, in turns, the fastest of several rounds each. The file
// goes to the folder given, else /dev/shm where there is one, so the disk's
// speed does not enter the figures.
#include "tally/WinTally.h"
#include "wheel/WheelJob.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <string>

using namespace orvane;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double wheelFull(const std::string& path, bool numbered) {
    std::vector<int> pick(49);
    std::iota(pick.begin(), pick.end(), 1);
    const auto start = Clock::now();
    Notice failure;
    WheelJob job(pick, SetPipeline{}, FileWheelOutput::open(path, DiskMode::Overwrite, numbered, failure));
    job.runToEnd();
    const double seconds = secondsSince(start);
    if (job.failure() || job.passing() != 13'983'816) {
        std::fprintf(stderr, "the wheel did not write %s\n", path.c_str());
        std::exit(1);
    }
    return seconds;
}

double check(const std::string& path, bool sliced) {
    const std::uint64_t winning = *winningNumberMask({3, 11, 24, 30, 41, 49});
    const auto start = Clock::now();
    WinTallyJob job(path, winning);
    if (sliced)
        while (!job.advance(std::chrono::milliseconds(15))) {}
    else
        job.runToEnd();
    const double seconds = secondsSince(start);
    if (job.failure() || job.setsChecked() != 13'983'816 || job.tallies()[6] != 1) {
        std::fprintf(stderr, "the check of %s went wrong\n", path.c_str());
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main(int argc, char* argv[]) {
    std::filesystem::path folder = argc > 1                                    ? std::filesystem::path(argv[1])
                                   : std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                               : std::filesystem::temp_directory_path();
    const std::string plain = (folder / "orvane-tally-bench.TB").string();
    const std::string numbered = (folder / "orvane-tally-bench-numbered.TB").string();
    const int rounds = 7;
    double best[4] = {1e9, 1e9, 1e9, 1e9};
    wheelFull(numbered, true);
    for (int round = 0; round < rounds; ++round) {
        best[0] = std::min(best[0], wheelFull(plain, false));
        best[1] = std::min(best[1], check(plain, false));
        best[2] = std::min(best[2], check(plain, true));
        best[3] = std::min(best[3], check(numbered, false));
    }
    std::printf("full wheel to %s: %.3f s (fastest of %d)\n", plain.c_str(), best[0], rounds);
    std::printf("check of its 13,983,816 plain lines: %.3f s in one go (%.2f of the wheel), %.3f s in 15 ms slices\n",
                best[1], best[1] / best[0], best[2]);
    std::printf("check of the numbered lines (%.0f MB): %.3f s\n", std::filesystem::file_size(numbered) / 1e6, best[3]);
    std::filesystem::remove(plain);
    std::filesystem::remove(numbered);
    return best[1] <= best[0] ? 0 : 1;
}
