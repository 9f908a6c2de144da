#include "core/SameFile.h"

#include <filesystem>

namespace orvane {

bool sameFile(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty()) return false;
    std::error_code missing;
    return std::filesystem::equivalent(first, second, missing);
}

} // namespace orvane
