#pragma once

#include "core/DataPaths.h"
#include "core/Game.h"

#include <string>

namespace orvane {

// The state every window shares: the game being played, the four file paths
// and the requests that the main window's settings timer serves.
struct SharedSettings {
    explicit SharedSettings(const DataPaths& paths)
        : dataPaths(paths), defaults(paths), historyPath(paths.history), wheelOutputPath(paths.wheelOutput),
          poolPath(paths.pool), settingsPath(paths.settings) {}

    // Makes `chosen` the game played, with its files at their default paths.
    void useGame(const Game& chosen) {
        game = chosen;
        defaults = gamePaths(dataPaths, chosen);
        historyPath = defaults.history;
        wheelOutputPath = defaults.wheelOutput;
        poolPath = defaults.pool;
        settingsPath = defaults.settings;
    }

    DataPaths dataPaths; // the data folder's paths, from which every game's are made
    Game game = Game::lotto649();
    DataPaths defaults; // the game's default paths
    std::string historyPath;
    std::string wheelOutputPath;
    std::string poolPath;
    std::string settingsPath;
    bool saveRequest = false;
    bool exitAfterSaveRequest = false;
    bool restoreRequest = false;
    bool poolStop = false;
};

} // namespace orvane
