#pragma once

#include "cli/Command.h"

namespace orvane {

// `orvane backtest`: how the filters of a settings file would have treated the
// draws of the history, beside the share of all sets they keep.
Command addBacktestCommand(CLI::App& program, const CommandContext& context);

} // namespace orvane
