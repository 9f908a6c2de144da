#include "core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace orvane {

namespace {

// Asks the system to put the file's bytes on the disk before it returns, so
// that the rename that follows never makes a file whose bytes a power loss
// could still take away.
bool syncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// Puts the folder's list of names on the disk, so that the rename itself
// survives a power loss. A system that cannot sync a folder keeps the rename
// all the same; the file itself is whole either way.
void syncFolderOf(const std::string& path) {
#ifndef _WIN32
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    fsync(descriptor);
    close(descriptor);
#else
    (void)path;
#endif
}

} // namespace

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
    written = written && syncToDisk(file);
    written = std::fclose(file) == 0 && written;
    int error = errno;
    std::string reason = std::strerror(errno);
    if (written) {
        // Replaces the earlier file in one step, also where a plain rename
        // refuses to replace an existing file.
        std::error_code replaced;
        std::filesystem::rename(temporary, path, replaced);
        if (!replaced) {
            syncFolderOf(path);
            return std::nullopt;
        }
        error = replaced.value();
        reason = replaced.message();
    }
    std::remove(temporary.c_str());
    return failed(error, reason);
}

} // namespace orvane
