#pragma once

// Fuzz targets hand each reader its input as a file, as the program does: the
// bytes go to one file per process in the temporary folder, rewritten for
// every input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzz {

// A path in the temporary folder, unique to this process and `name`.
inline std::string scratchPath(const char* name) {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/orvane-fuzz-" + std::to_string(getpid()) + "-" + name;
}

// Writes the input to the scratch file `name` and returns its path.
inline std::string inputFile(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path = scratchPath(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    return path;
}

inline std::string text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// A broken promise of a reader: stop as a crash would, so the fuzzer keeps the input.
inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace fuzz
