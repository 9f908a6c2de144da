#pragma once

#include <string>

namespace orvane {

// The data folder and the default paths of the four user files in it.
struct DataPaths {
    std::string folder;
    std::string history;
    std::string wheelOutput;
    std::string pool;
    std::string settings;
};

// C:\Varnel on Windows, ~/Varnel elsewhere.
std::string defaultDataFolder();
DataPaths dataPathsIn(const std::string& folder);

} // namespace orvane
