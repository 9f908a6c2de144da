#pragma once

#include "cli/Command.h"

namespace orvane {

// `orvane record`: checks a new draw as the history update window does and
// appends it to the history file.
Command addRecordCommand(CLI::App& program, const CommandContext& context);

} // namespace orvane
