#include "core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace orvane {

std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes, int* code) {
    const auto failed = [code](int error, std::string reason) {
        if (code) *code = error == 0 ? EIO : error;
        return std::optional<std::string>(std::move(reason));
    };
    const std::string temporary = path + ".tmp";
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
