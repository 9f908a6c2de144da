#pragma once

// The include rule between the program's layers and folders, read from the
// source tree itself:
//
//  - Each file's layer is the target its folder's CMakeLists.txt adds it to
//    (target_sources, add_library, add_executable). A file under src/ that no
//    target lists is a problem of its own, so no file escapes the rule.
//  - An engine file includes only engine files and the standard library.
//  - A command-line file includes engine and command-line files, CLI11 and the
//    standard library.
//  - The folders' include graph has no cycle.

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace archrule {

enum class Layer { Engine, CommandLine, Windows, Program };

struct TreeReport {
    // Every file under the source folder, by its path relative to that folder
    // ("wheel/WheelJob.cpp"), with the layers of the targets listing it
    // (empty when no target does).
    std::map<std::string, std::set<Layer>> layers;
    // One line per break of the rule, each starting "src/<file>:<line>: ".
    std::vector<std::string> problems;
};

// The target whose files make up `layer` ("orvane_engine", ...).
std::string targetName(Layer layer);

// Reads the CMakeLists.txt files and the #include lines under `sourceFolder`.
TreeReport checkSourceTree(const std::filesystem::path& sourceFolder);

} // namespace archrule
