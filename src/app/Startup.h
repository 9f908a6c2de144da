#pragma once

#include "core/SharedSettings.h"

#include <QString>

#include <string>
#include <vector>

namespace orvane {

// Makes the data folder ready: creates it when missing, places the sample
// history and the two manuals there when they are missing (never overwriting
// the user's files), and makes it the working folder. Returns an error text,
// empty on success.
QString prepareDataFolder(const QString& folder, const QString& historyPath);

class Platform;

// The history (.HIT) or wheel output (.TB) file the program was started with,
// as a desktop starts it for a double click on one: its absolute path, or
// empty when the arguments are not one such file that exists (a command).
QString fileToOpen(const std::vector<std::string>& args);

// Keeps `path`, the settings file of `game` last saved or loaded, in the per-user store.
void rememberSettingsFile(Platform& platform, const Game& game, const std::string& path);

// The settings of the game played last saved or loaded come back at start:
// the settings file is the one kept in the per-user store for the game, or the
// game's default file (VNTB.INI for 6/49) when none is kept or the one kept is
// gone; when it exists, its restore is requested for the settings timer.
void requestSavedSettings(SharedSettings& shared, Platform& platform);

} // namespace orvane
