// The program's own source tree keeps the dependency rule.

#include "DependencyRule.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += "  " + line + "\n";
    return text;
}

TEST(SourceTree, KeepsTheDependencyRule) {
    const archrule::TreeReport report = archrule::checkSourceTree(ORVANE_SOURCE_DIR);

    // A rule that read no CMakeLists.txt would pass everything: every layer
    // must have files.
    for (const auto layer :
         {archrule::Layer::Engine, archrule::Layer::CommandLine, archrule::Layer::Windows, archrule::Layer::Program}) {
        bool found = false;
        for (const auto& [file, layers] : report.layers) found = found || layers.count(layer);
        EXPECT_TRUE(found) << "no file of target " << archrule::targetName(layer) << " in " << ORVANE_SOURCE_DIR;
    }

    EXPECT_TRUE(report.problems.empty()) << "The include lines under src/ break the dependency rule:\n"
                                         << joined(report.problems);
}

} // namespace
