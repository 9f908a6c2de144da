#pragma once

#include "wheel/FilterControls.h"
#include "wheel/WheelOutput.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace orvane {

// The pool generator window's options kept in the settings file.
struct PoolWindowSettings {
    std::string poolSize = "49";
    int style = 0; // 0 Minimum, 1 Verbose
    int draws = 0; // 0 to 4: one to five draws
    std::string trendLength = "5";
    std::string bestGroups = "10";
    CheckValue saveToDisk = 0;
    CheckValue sendToPrinter = 0;
};

// Everything the settings file holds, line by line: 387 lines for 6/49. The
// file of another game starts with a line naming its game ("Game | Fantasy 5 |
// 5/39"), and its lists are sized from that game.
struct SettingsFile {
    Game game = Game::lotto649();
    PoolWindowSettings pool;
    std::string historyPath;
    std::string settingsPath;
    std::string wheelOutputPath;
    std::string poolPath;
    OutputDestination destination = OutputDestination::Disk;
    DiskMode diskMode = DiskMode::Overwrite;
    FilterControls filters;
};

inline constexpr int kSettingsLineCount = 387;

// A game's settings at their defaults: every list sized from it.
SettingsFile settingsFor(const Game& game);

// The longest line a settings file may hold: as much as a text box takes
// (32,767 characters), more than any path. A longer line is not a setting, so
// the reader refuses it without keeping it.
inline constexpr std::size_t kLongestSettingsLine = 32'767;

// The file's text: every line in its encoding, each ended by CR LF.
std::string settingsText(const SettingsFile& settings);

// The game another game's settings file at `path` names on its first line;
// nothing for a 6/49 file, a file that names no game, or no file.
std::optional<Game> otherGameOfSettingsFile(const std::string& path);

// Writes the file through a temporary file in the same folder, so a failed
// write leaves the earlier file whole. Returns an error naming the path.
std::string saveSettingsFile(const std::string& path, const SettingsFile& settings);

// Reads the file line by line into `settings`, applying each line as it is read
// (a file of another game than settings.game first resets them to that game's);
// on the first line that is missing, too long or cannot be converted it stops,
// leaving the lines before it applied. `failedLine` is 0 on success. The error
// quotes the start of a line that cannot be converted.
struct SettingsReadResult {
    int failedLine = 0;
    std::string error;
    bool ok() const { return error.empty(); }
};
SettingsReadResult readSettingsFile(const std::string& path, SettingsFile& settings);

} // namespace orvane
