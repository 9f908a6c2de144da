#pragma once

#include "core/SharedSettings.h"

#include <QString>

namespace orvane {

// Makes the data folder ready: creates it when missing, places the sample
// history and the two manuals there when they are missing (never overwriting
// the user's files), and makes it the working folder. Returns an error text,
// empty on success.
QString prepareDataFolder(const QString& folder, const QString& historyPath);

// The settings kept by the last Save Settings & Exit come back at start: when
// the settings file exists, its restore is requested for the settings timer.
void requestSavedSettings(SharedSettings& shared);

} // namespace orvane
