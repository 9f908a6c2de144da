#pragma once

#include "cli/Command.h"

namespace orvane {

// `orvane report CAPTION`: prints what the report window shows after Begin on
// an empty text area, or with --csv the table of a counting report.
Command addReportCommand(CLI::App& program, const CommandContext& context);

} // namespace orvane
