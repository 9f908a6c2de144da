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

// Runs a subcommand headless ("wheel ..."); `args` excludes the program name.
int runCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, const DataPaths& paths);

} // namespace orvane
