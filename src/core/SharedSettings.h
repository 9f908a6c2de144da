#pragma once

#include "core/DataPaths.h"
#include "core/Game.h"

#include <string>

namespace orvane {

// The state every window shares: the game being played, the four file paths
// and the requests that the main window's settings timer serves.
struct SharedSettings {
    explicit SharedSettings(const DataPaths& paths)
        : defaults(paths), historyPath(paths.history), wheelOutputPath(paths.wheelOutput), poolPath(paths.pool),
          settingsPath(paths.settings) {}

    DataPaths defaults;
    Game game = Game::lotto649();
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
