#pragma once

#include "cli/Command.h"

namespace orvane {

// `orvane pool`: prints what the pool window's output box shows after Begin,
// and with --save writes the pool file as its save step does.
Command addPoolCommand(CLI::App& program, const CommandContext& context);

} // namespace orvane
