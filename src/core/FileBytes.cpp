#include "core/FileBytes.h"

#include <cerrno>
#include <cstdio>

namespace orvane {

int readFileBytes(const std::string& path, std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return errno;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    const int error = std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
    std::fclose(file);
    return error;
}

} // namespace orvane
