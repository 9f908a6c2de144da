#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace orvane {

// The manual page orvane(1) in roff, made from the same commands, options and
// texts as the --help pages, so the two cannot tell different stories.
std::string manualPage(const CLI::App& program);

} // namespace orvane
