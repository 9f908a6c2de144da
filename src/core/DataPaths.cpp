#include "core/DataPaths.h"

#include <cstdlib>

namespace orvane {

std::string defaultDataFolder() {
#ifdef _WIN32
    return "C:\\Varnel";
#else
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/Varnel";
#endif
}

DataPaths dataPathsIn(const std::string& folder) {
#ifdef _WIN32
    const std::string sep = "\\";
#else
    const std::string sep = "/";
#endif
    return DataPaths{folder, folder + sep + "FL6-49.HIT", folder + sep + "Wheeled.TB", folder + sep + "Pool.GR",
                     folder + sep + "VNTB.INI"};
}

} // namespace orvane
