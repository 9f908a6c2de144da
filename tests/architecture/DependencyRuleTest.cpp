// The dependency rule on small made-up source trees: one that keeps it, and
// each kind of break planted into it.

#include "DependencyRule.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using archrule::Layer;

namespace {

namespace fs = std::filesystem;

// A source tree laid out like the program's: engine folders core/ and wheel/,
// history/ holding an engine reader and a window, the command line, the
// platform and the application with the executable's main.cpp.
class DependencyRule : public ::testing::Test {
protected:
    void SetUp() override {
        write("CMakeLists.txt", "add_library(orvane_engine STATIC)\n"
                                "add_library(orvane_windows STATIC ${PROJECT_SOURCE_DIR}/data/orvane.qrc)\n"
                                "add_executable(orvane)\n");
        write("core/CMakeLists.txt", "configure_file(Version.h.in ${CMAKE_CURRENT_BINARY_DIR}/Version.h)\n"
                                     "target_sources(orvane_engine PRIVATE\n"
                                     "  Notice.h\n"
                                     "  Text.cpp Text.h # the number texts\n"
                                     "  Version.h.in\n"
                                     ")\n");
        write("core/Notice.h", "#pragma once\n#include <string>\n");
        write("core/Text.h", "#pragma once\n#include \"core/Notice.h\"\n");
        write("core/Text.cpp",
              "#include \"core/Text.h\"\n#include \"Notice.h\"\n#include <cstdio>\n#include <stdint.h>\n");
        write("core/Version.h.in", "#define VERSION \"@PROJECT_VERSION@\"\n");
        write("wheel/CMakeLists.txt", "target_sources(orvane_engine PRIVATE Job.cpp Job.h)\n");
        write("wheel/Job.h", "#pragma once\n#include \"core/Notice.h\"\n\n#include <vector>\n");
        write("wheel/Job.cpp",
              "#include \"wheel/Job.h\"\n#include \"core/Version.h\"\n#include \"history/HistoryFile.h\"\n");
        write("history/CMakeLists.txt", "target_sources(orvane_engine PRIVATE HistoryFile.cpp HistoryFile.h)\n"
                                        "target_sources(orvane_windows PRIVATE DrawWindow.cpp DrawWindow.h)\n");
        write("history/HistoryFile.h", "#pragma once\n#include <string>\n");
        write("history/HistoryFile.cpp", "#include \"history/HistoryFile.h\"\n");
        write("history/DrawWindow.h",
              "#pragma once\n#include \"history/HistoryFile.h\"\n#include \"platform/Platform.h\"\n"
              "#include <QDialog>\n");
        write("history/DrawWindow.cpp", "#include \"history/DrawWindow.h\"\n");
        write("cli/CMakeLists.txt", "target_sources(orvane_cli PRIVATE CommandLine.cpp CommandLine.h)\n");
        write("cli/CommandLine.h", "#pragma once\n#include <string>\n");
        write("cli/CommandLine.cpp",
              "#include \"cli/CommandLine.h\"\n#include \"wheel/Job.h\"\n#include <CLI/CLI.hpp>\n");
        write("platform/CMakeLists.txt", "target_sources(orvane_windows PRIVATE Platform.h)\n");
        write("platform/Platform.h", "#pragma once\n#include \"core/Notice.h\"\n#include <QString>\n");
        write("app/CMakeLists.txt", "target_sources(orvane_windows PRIVATE MainWindow.cpp MainWindow.h)\n"
                                    "target_sources(orvane PRIVATE main.cpp)\n");
        write("app/MainWindow.h", "#pragma once\n#include \"history/DrawWindow.h\"\n#include <QMainWindow>\n");
        write("app/MainWindow.cpp",
              "#include \"MainWindow.h\"\n#include \"wheel/Job.h\"\n#include <QtWidgets/QMenu>\n");
        write("app/main.cpp",
              "#include \"app/MainWindow.h\"\n#include \"cli/CommandLine.h\"\n#include <QApplication>\n");
    }

    void write(const std::string& file, const std::string& text) {
        const fs::path path = src() / file;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    void append(const std::string& file, const std::string& text) {
        std::ofstream(src() / file, std::ios::binary | std::ios::app) << text;
    }

    fs::path src() const { return fs::path(folder_.path()) / "src"; }

    archrule::TreeReport check() const { return archrule::checkSourceTree(src()); }
    std::vector<std::string> problems() const { return check().problems; }

    TempFolder folder_;
};

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += "\n  " + line;
    return text;
}

// Exactly one problem, at `where`, mentioning each of `words`.
void expectOneProblem(const std::vector<std::string>& problems, const std::string& where,
                      const std::vector<std::string>& words) {
    ASSERT_EQ(problems.size(), 1u) << joined(problems);
    EXPECT_EQ(problems[0].rfind(where + ": ", 0), 0u) << problems[0];
    for (const auto& word : words)
        EXPECT_NE(problems[0].find(word), std::string::npos) << "'" << word << "' not in: " << problems[0];
}

TEST_F(DependencyRule, KeepingTheRuleHasNoProblems) {
    const auto report = check();
    EXPECT_TRUE(report.problems.empty()) << joined(report.problems);

    // One folder's files go to different targets.
    EXPECT_EQ(report.layers.at("history/HistoryFile.h"), std::set<Layer>{Layer::Engine});
    EXPECT_EQ(report.layers.at("history/DrawWindow.cpp"), std::set<Layer>{Layer::Windows});
    EXPECT_EQ(report.layers.at("app/main.cpp"), std::set<Layer>{Layer::Program});
    EXPECT_EQ(report.layers.at("core/Version.h.in"), std::set<Layer>{Layer::Engine});
    EXPECT_EQ(report.layers.count("core/CMakeLists.txt"), 0u);
}

TEST_F(DependencyRule, EngineFileIncludingTheApplicationIsNamedWithItsLine) {
    write("wheel/Job.h", "#pragma once\n#include \"core/Notice.h\"\n#include \"app/MainWindow.h\"\n");
    // The include also closes the folder cycle app/ -> wheel/ -> app/.
    const auto found = problems();
    ASSERT_EQ(found.size(), 2u) << joined(found);
    EXPECT_EQ(found[0].rfind("src/wheel/Job.h:3: #include \"app/MainWindow.h\": an engine file includes", 0), 0u)
        << found[0];
}

TEST_F(DependencyRule, EngineFileMayNotIncludeThePlatformOrTheCommandLine) {
    write("app/MainWindow.cpp", "#include \"MainWindow.h\"\n"); // no app/ -> wheel/ edge, so no cycle
    write("wheel/Job.cpp", "#include \"wheel/Job.h\"\n#include \"platform/Platform.h\"\n");
    expectOneProblem(problems(), "src/wheel/Job.cpp:2", {"platform/", "engine file"});

    write("wheel/Job.cpp", "#include \"wheel/Job.h\"\n\n#include \"cli/CommandLine.h\"\n");
    // cli/ includes wheel/ as well: the cycle is the second problem.
    const auto found = problems();
    ASSERT_EQ(found.size(), 2u) << joined(found);
    EXPECT_EQ(found[0].rfind("src/wheel/Job.cpp:3: #include \"cli/CommandLine.h\": an engine file includes", 0), 0u)
        << found[0];
}

TEST_F(DependencyRule, EngineFileReachingThePlatformByARelativePathIsCaught) {
    write("wheel/Job.cpp", "#include \"wheel/Job.h\"\n#include \"../platform/Platform.h\"\n");
    expectOneProblem(problems(), "src/wheel/Job.cpp:2", {"src/platform/Platform.h", "engine file"});
}

TEST_F(DependencyRule, EngineFileIncludingQtInAnySpellingIsCaught) {
    for (const std::string include : {"<QString>", "<QtCore/QObject>", "\"QObject\"", "<qstring.h>"}) {
        write("core/Notice.h", "#pragma once\n#include " + include + "\n");
        expectOneProblem(problems(), "src/core/Notice.h:2", {include, "includes Qt"});
    }
}

TEST_F(DependencyRule, EngineFileIncludingAnotherLibraryIsCaught) {
    for (const std::string include : {"<unistd.h>", "<gtest/gtest.h>", "<CLI/CLI.hpp>", "\"nowhere.h\""}) {
        write("core/Notice.h", "#pragma once\n#include <string>\n#include " + include + "\n");
        expectOneProblem(problems(), "src/core/Notice.h:3", {include, "engine file"});
    }
}

// Syncing to the disk needs the system's file calls: the replace-write may
// include them, no other engine file.
TEST_F(DependencyRule, OnlyTheReplaceWriteIncludesTheSystemFileCalls) {
    append("core/CMakeLists.txt", "target_sources(orvane_engine PRIVATE AtomicFile.cpp)\n");
    write("core/AtomicFile.cpp", "#include <cstdio>\n#include <fcntl.h>\n#include <unistd.h>\n");
    EXPECT_TRUE(problems().empty()) << joined(problems());
    write("core/AtomicFile.cpp", "#include <sys/socket.h>\n");
    expectOneProblem(problems(), "src/core/AtomicFile.cpp:1", {"<sys/socket.h>", "engine file"});
}

TEST_F(DependencyRule, EngineFileIncludingAWindowOfItsOwnFolderIsCaught) {
    write("history/HistoryFile.cpp", "#include \"history/HistoryFile.h\"\n#include \"DrawWindow.h\"\n");
    expectOneProblem(problems(), "src/history/HistoryFile.cpp:2", {"src/history/DrawWindow.h", "orvane_windows"});
}

TEST_F(DependencyRule, IncludeLinesAreFoundHoweverTheyAreSpaced) {
    write("core/Notice.h", "#pragma once\r\n  #  include\t<QString>\r\n");
    expectOneProblem(problems(), "src/core/Notice.h:2", {"includes Qt"});
}

TEST_F(DependencyRule, CommandLineFileMayNotIncludeQtTheApplicationOrThePlatform) {
    write("app/main.cpp", "#include \"app/MainWindow.h\"\n"); // no app/ -> cli/ edge, so no cycle
    for (const std::string include : {"<QCoreApplication>", "\"app/MainWindow.h\"", "\"platform/Platform.h\"",
                                      "\"history/DrawWindow.h\"", "<boost/any.hpp>"}) {
        write("cli/CommandLine.h", "#pragma once\n#include " + include + "\n");
        expectOneProblem(problems(), "src/cli/CommandLine.h:2", {include, "command-line file"});
    }
}

TEST_F(DependencyRule, TwoFoldersIncludingEachOtherAreNamedWithBothLines) {
    append("core/Notice.h", "#include \"wheel/Job.h\"\n");
    expectOneProblem(problems(), "src/core/Notice.h:3",
                     {"core/ -> wheel/ -> core/", "src/core/Notice.h:3 #include \"wheel/Job.h\"",
                      "src/wheel/Job.cpp:2 #include \"core/Version.h\""});
}

TEST_F(DependencyRule, ALongerCycleIsNamedRoundItsFolders) {
    // checks/ -> history/ -> wheel/ -> checks/, with no shorter way round.
    write("checks/CMakeLists.txt", "target_sources(orvane_engine PRIVATE Index.h)\n");
    write("checks/Index.h", "#pragma once\n#include \"history/HistoryFile.h\"\n");
    write("history/HistoryFile.h", "#pragma once\n#include <string>\n#include \"wheel/Job.h\"\n");
    write("wheel/Job.h", "#pragma once\n#include \"core/Notice.h\"\n#include \"checks/Index.h\"\n");
    write("wheel/Job.cpp", "#include \"wheel/Job.h\"\n");
    expectOneProblem(problems(), "src/checks/Index.h:2",
                     {"checks/ -> history/ -> wheel/ -> checks/", "src/checks/Index.h:2", "src/history/HistoryFile.h:3",
                      "src/wheel/Job.h:3"});
}

TEST_F(DependencyRule, WindowFoldersMayNotFormACycleEither) {
    append("platform/Platform.h", "#include \"app/MainWindow.h\"\n");
    // app/ -> history/ -> platform/ -> app/: windows code is no exception.
    const auto found = problems();
    ASSERT_EQ(found.size(), 1u) << joined(found);
    EXPECT_NE(found[0].find("folders include each other"), std::string::npos) << found[0];
    EXPECT_NE(found[0].find("src/platform/Platform.h:4"), std::string::npos) << found[0];
}

TEST_F(DependencyRule, AFileNoTargetListsIsAProblem) {
    write("wheel/Extra.h", "#pragma once\n#include <QString>\n");
    expectOneProblem(problems(), "src/wheel/Extra.h", {"no target lists this file", "src/wheel/CMakeLists.txt"});

    write("wheel/Extra.h", "#pragma once\n");
    write("reports/Report.cpp", "#include <string>\n"); // a new folder without a CMakeLists.txt
    const auto found = problems();
    ASSERT_EQ(found.size(), 2u) << joined(found);
    EXPECT_EQ(found[0].rfind("src/reports/Report.cpp: no target lists this file", 0), 0u) << found[0];
}

TEST_F(DependencyRule, AListingInACommentDoesNotCount) {
    write("wheel/CMakeLists.txt", "target_sources(orvane_engine PRIVATE Job.cpp Job.h)\n"
                                  "# target_sources(orvane_engine PRIVATE Extra.h)\n"
                                  "#[[ target_sources(orvane_engine PRIVATE Extra.h) ]]\n");
    write("wheel/Extra.h", "#pragma once\n");
    expectOneProblem(problems(), "src/wheel/Extra.h", {"no target lists this file"});
}

TEST_F(DependencyRule, ListingsMayBeQuotedAndSpreadOverLines) {
    write("wheel/CMakeLists.txt", "TARGET_SOURCES(orvane_engine\n  PUBLIC\n    \"Job.h\"\n"
                                  "  PRIVATE\n    Job.cpp $<$<CONFIG:Debug>:Checks.cpp>\n)\n");
    const auto report = check();
    EXPECT_TRUE(report.problems.empty()) << joined(report.problems);
    EXPECT_EQ(report.layers.at("wheel/Job.h"), std::set<Layer>{Layer::Engine});
}

TEST_F(DependencyRule, ATargetTheRuleDoesNotKnowIsAProblem) {
    write("wheel/CMakeLists.txt", "target_sources(orvane_engine PRIVATE Job.cpp)\n"
                                  "target_sources(orvane_extras PRIVATE Job.h)\n");
    expectOneProblem(problems(), "src/wheel/CMakeLists.txt", {"orvane_extras", "src/wheel/Job.h"});
}

TEST_F(DependencyRule, AnIncludeOfAMissingSourceFileIsAProblem) {
    append("app/MainWindow.cpp", "#include \"wheel/Gone.h\"\n");
    expectOneProblem(problems(), "src/app/MainWindow.cpp:4", {"wheel/Gone.h", "names no file under src/"});
}

} // namespace
