#pragma once

#include <string>
#include <vector>

namespace orvane {

enum class Removal { Deleted, Missing, Failed };

// Deletes the file at `path`: Missing when there is none, Failed (with the
// reason in `why`) when it exists but cannot be deleted.
Removal removeFile(const std::string& path, std::string* why = nullptr);

// The files the program may have made, in `workingFolder`, that are cleared
// before it is uninstalled; the settings file there is one of them.
std::vector<std::string> uninstallFilesIn(const std::string& workingFolder);

// Deletes those of `paths` that exist, never `keep` (the history, which holds
// the user's own records). Returns the paths that exist but could not be deleted.
std::vector<std::string> removeExisting(const std::vector<std::string>& paths, const std::string& keep);

} // namespace orvane
