#include "core/DataPaths.h"

#include <cctype>
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

namespace {
#ifdef _WIN32
const std::string kSeparator = "\\";
#else
const std::string kSeparator = "/";
#endif
} // namespace

DataPaths dataPathsIn(const std::string& folder) {
    const std::string& sep = kSeparator;
    return DataPaths{folder, folder + sep + "FL6-49.HIT", folder + sep + "Wheeled.TB", folder + sep + "Pool.GR",
                     folder + sep + "VNTB.INI"};
}

std::string gameFileName(const Game& game, const std::string& extension) {
    std::string stem;
    const std::string source = game.name().empty() ? game.matrix() : game.name();
    for (char c : source) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '+')
            stem += static_cast<char>(std::toupper(u));
        else if (!stem.empty() && stem.back() != '-')
            stem += '-';
    }
    while (!stem.empty() && stem.back() == '-') stem.pop_back();
    return (stem.empty() ? std::string("GAME") : stem) + extension;
}

DataPaths gamePaths(const DataPaths& paths, const Game& game) {
    if (game.isLotto649()) return paths;
    DataPaths own = paths;
    own.history = paths.folder + kSeparator + gameFileName(game, ".HIT");
    own.settings = paths.folder + kSeparator + gameFileName(game, ".INI");
    own.pool = paths.folder + kSeparator + gameFileName(game, ".GR");
    return own;
}

} // namespace orvane
