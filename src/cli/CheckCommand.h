#pragma once

#include "cli/Command.h"

namespace orvane {

// `orvane check`: tallies the sets of a wheel output file by how many of a
// draw's winning numbers each one hits, and prints the seven tallies.
Command addCheckCommand(CLI::App& program, const CommandContext& context);

} // namespace orvane
