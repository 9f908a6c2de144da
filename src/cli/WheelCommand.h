#pragma once

#include "cli/Command.h"

namespace orvane {

// `orvane wheel`: wheels a pick through the filters headless, records the
// passing sets and prints the counts.
Command addWheelCommand(CLI::App& program, const CommandContext& context);

} // namespace orvane
