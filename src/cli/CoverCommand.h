#pragma once

#include "cli/Command.h"

namespace orvane {

// `orvane cover`: builds an abbreviated wheel, a short list of tickets from
// the pick that keeps a proved guarantee, and writes it as a wheel output.
Command addCoverCommand(CLI::App& program, const CommandContext& context);

} // namespace orvane
