#pragma once

#include "core/DataPaths.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <functional>

namespace orvane {

// What every command runs with: where its results and its messages go, and the
// data folder's default paths.
struct CommandContext {
    std::FILE* out = nullptr;
    std::FILE* err = nullptr;
    DataPaths paths;
};

// One command of the command line: the CLI11 subcommand that holds its options,
// and what runs once they have been parsed, returning the exit status.
struct Command {
    CLI::App* app = nullptr;
    std::function<int()> run;
};

// Each command's file offers one function of this shape: it adds the command to
// the program's app, binding the options to state that the returned run owns.
using AddCommand = Command (*)(CLI::App& program, const CommandContext& context);

} // namespace orvane
