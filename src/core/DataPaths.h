#pragma once

#include "core/Game.h"

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

// A file of `game` in the data folder, named from the game's name ("POWERBALL.HIT")
// or from its matrix ("5-39.HIT") when it has none; `extension` with its dot.
std::string gameFileName(const Game& game, const std::string& extension);

// The default paths of `game`'s files: 6/49's are `paths`; another game has a
// history, a settings file and a pool file of its own beside them
// ("POWERBALL.HIT", "POWERBALL.INI", "POWERBALL.GR") and shares the wheel
// output file.
DataPaths gamePaths(const DataPaths& paths, const Game& game);

} // namespace orvane
