#pragma once

#include "cli/Command.h"

namespace orvane {

// `orvane games`: the games Orvane knows by name, the shipped catalogue and the
// user's own, one game a line.
Command addGamesCommand(CLI::App& program, const CommandContext& context);

} // namespace orvane
