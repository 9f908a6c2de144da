#pragma once

#include "core/DataPaths.h"

#include <cstdio>
#include <string>
#include <vector>

namespace orvane {

// Exit statuses of the command line.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs the command line headless: `args` is a command and its options
// ("wheel --pick 1-12"), or --help or --version; it excludes the program name.
// Results and help go to `out`, messages and usage errors to `err`. Returns the
// exit status: 0 success, 1 a run refused or failed, 2 a usage error.
int runCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, const DataPaths& paths);

} // namespace orvane
