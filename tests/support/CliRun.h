#pragma once

#include "cli/CommandLine.h"

#include <cstdio>
#include <string>
#include <vector>

// One run of the command line with its standard output and error captured.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline std::string drainedText(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    std::fclose(file);
    return text;
}

inline CliRun runCli(const std::vector<std::string>& args, const orvane::DataPaths& paths) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = orvane::runCommandLine(args, out, err, paths);
    return CliRun{status, drainedText(out), drainedText(err)};
}
