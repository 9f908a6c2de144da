#include "ScratchFolder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-crash-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no scratch folder could be made from " + pattern);
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
}

std::string bytesOf(const std::filesystem::path& file, bool* exists) {
    std::ifstream in(file, std::ios::binary);
    if (exists) *exists = static_cast<bool>(in);
    std::ostringstream bytes;
    if (in) bytes << in.rdbuf();
    return std::move(bytes).str();
}

std::vector<std::filesystem::path> filesBeside(const std::filesystem::path& folder, const std::string& kept) {
    std::vector<std::filesystem::path> others;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename() != kept) others.push_back(entry.path());
    return others;
}
