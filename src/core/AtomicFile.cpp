#include "core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace orvane {

std::string temporaryPathFor(const std::string& path) {
    static const std::string mark = [] {
        std::random_device device;
        char text[17];
        std::snprintf(text, sizeof text, "%08x%08x", static_cast<unsigned>(device()), static_cast<unsigned>(device()));
        return std::string(text);
    }();
    return path + "." + mark + ".tmp";
}

std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes, int* code) {
    const auto failed = [code](int error, std::string reason) {
        if (code) *code = error == 0 ? EIO : error;
        return std::optional<std::string>(std::move(reason));
    };
    const std::string temporary = temporaryPathFor(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return failed(errno, std::strerror(errno));
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    int error = errno;
    std::string reason = std::strerror(errno);
    if (written) {
        // Replaces the earlier file in one step, also where a plain rename
        // refuses to replace an existing file.
        std::error_code replaced;
        std::filesystem::rename(temporary, path, replaced);
        if (!replaced) return std::nullopt;
        error = replaced.value();
        reason = replaced.message();
    }
    std::remove(temporary.c_str());
    return failed(error, reason);
}

} // namespace orvane
