#pragma once

#include "cli/Command.h"

#include <string>
#include <vector>

namespace orvane {

// `orvane report CAPTION`: prints what the report window shows after Begin on
// an empty text area, or with --csv the table of a counting report.
Command addReportCommand(CLI::App& program, const CommandContext& context);

// Every caption the command knows.
std::vector<std::string> reportCaptions();

} // namespace orvane
