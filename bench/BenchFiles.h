#pragma once

// What the engine benchmarks share: a scratch folder for the files they write
// (on /dev/shm where there is one, so the disk's speed stays out of the
// figures), removed on every way out; a failure that exits with 1; the clock.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include <unistd.h>

namespace bench {

using Clock = std::chrono::steady_clock;

inline std::filesystem::path scratch;
inline std::string programName = "bench";

// Makes the scratch folder for the program `name`.
inline void makeScratch(const std::string& name) {
    programName = name;
    scratch = (std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                         : std::filesystem::temp_directory_path()) /
              ("orvane-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(scratch);
}

inline void removeScratch() {
    std::error_code ignored;
    if (!scratch.empty()) std::filesystem::remove_all(scratch, ignored);
}

[[noreturn]] inline void fail(const std::string& why) {
    std::fprintf(stderr, "%s: %s\n", programName.c_str(), why.c_str());
    removeScratch();
    std::exit(1);
}

inline double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) fail("cannot read " + path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out.flush()) fail("cannot write " + path);
}

// The draws of a history file read the plain way, to check the program's own
// reader against: a date, then six numbers, put in ascending order.
inline std::vector<std::array<int, 6>> plainDrawsOf(const std::string& text) {
    std::vector<std::array<int, 6>> draws;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::istringstream fields(line);
        long date = 0;
        std::array<int, 6> draw{};
        fields >> date;
        for (int& n : draw) fields >> n;
        if (!fields) fail("a history line that is not a draw: " + line);
        std::sort(draw.begin(), draw.end());
        draws.push_back(draw);
    }
    return draws;
}

} // namespace bench
