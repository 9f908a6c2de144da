#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace orvane {

// A bash completion script for the program's commands and their options, made
// from the same commands and options as the --help pages; after `report` it
// offers the report captions, quoted.
std::string bashCompletion(const CLI::App& program, const std::vector<std::string>& reportCaptions);

} // namespace orvane
