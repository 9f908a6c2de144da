#include "core/FileRemoval.h"

#include "core/SameFile.h"

#include <filesystem>
#include <system_error>

namespace orvane {

namespace fs = std::filesystem;

Removal removeFile(const std::string& path, std::string* why) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (!fs::exists(status)) return Removal::Missing;
    // A folder is not a file this program writes; it is never removed.
    if (fs::is_directory(status)) {
        if (why) *why = "it is a folder";
        return Removal::Failed;
    }
    if (fs::remove(path, error)) return Removal::Deleted;
    if (why) *why = error.message();
    return Removal::Failed;
}

std::vector<std::string> uninstallFilesIn(const std::string& workingFolder) {
    std::vector<std::string> paths;
    for (const char* name : {"VNTB.INI", "analysis.txt", "temp.fil", "last5.txt", "records.txt", "top.txt", "recs.txt",
                             "updated.txt", "best.txt", "xCount.txt", "ordered.txt", "pool.tmp"})
        paths.push_back((fs::path(workingFolder) / name).string());
    return paths;
}

std::vector<std::string> removeExisting(const std::vector<std::string>& paths, const std::string& keep) {
    std::vector<std::string> failed;
    for (const std::string& path : paths) {
        if (sameFile(path, keep)) continue;
        if (removeFile(path) == Removal::Failed) failed.push_back(path);
    }
    return failed;
}

} // namespace orvane
