#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A folder of its own under the system's temporary folder, named uniquely so
// that runs of the same test in two builds at once do not meet; removed with
// everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` as the file `name` in the folder; returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// The whole file; empty, with `exists` set to false, when it cannot be opened.
std::string bytesOf(const std::filesystem::path& file, bool* exists = nullptr);

// The files in `folder` other than `kept`.
std::vector<std::filesystem::path> filesBeside(const std::filesystem::path& folder, const std::string& kept);
