#pragma once

#include "cli/Command.h"

namespace orvane {

// `orvane record`: checks a new draw as the history update window does and
// records it in the history file in date order.
Command addRecordCommand(CLI::App& program, const CommandContext& context);

} // namespace orvane
