#pragma once

#include "cli/Command.h"

namespace orvane {

// `orvane import`: adds the draws of a CSV or text file to the history file.
Command addImportCommand(CLI::App& program, const CommandContext& context);

} // namespace orvane
