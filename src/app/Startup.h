#pragma once

#include <QString>

namespace orvane {

// Makes the data folder ready: creates it when missing, places the sample
// history there when no history file exists (never overwriting one), and makes
// it the working folder. Returns an error text, empty on success.
QString prepareDataFolder(const QString& folder, const QString& historyPath);

} // namespace orvane
