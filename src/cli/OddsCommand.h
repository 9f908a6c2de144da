#pragma once

#include "cli/Command.h"

namespace orvane {

// `orvane odds`: the odds of every prize tier for one ticket of the game, and
// with --tickets the coverage of a ticket file over every possible draw and its
// guarantee table.
Command addOddsCommand(CLI::App& program, const CommandContext& context);

} // namespace orvane
