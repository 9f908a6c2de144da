#include "cli/CommandLine.h"

#include "core/Version.h"
#include "settings/SettingsFile.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace orvane;

namespace {} // namespace

TEST(CommandLineWheel, WritesTheSetsAndPrintsTheSummary) {
    TempFolder folder;
    const std::string output = folder.file("out.TB");
    CliRun result = runCli({"wheel", "--pick", "1-6,9", "--output", output}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitSuccess) << result.err;
    EXPECT_EQ(result.out, "Sets generated: 7\nSets passing: 7\nPercent passing: 100%\n");
    EXPECT_EQ(contentsOf(output).substr(0, 13), "1 2 3 4 5 6\r\n");
}

TEST(CommandLineWheel, DefaultOutputGoesToTheDataFolder) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    CliRun result = runCli({"wheel", "--pick", "40-46", "--numbered"}, paths);
    ASSERT_EQ(result.status, kExitSuccess) << result.err;
    EXPECT_EQ(contentsOf(paths.wheelOutput).substr(0, 24), "1 : 40 41 42 43 44 45\r\n2");
}

TEST(CommandLineWheel, AppendKeepsTheEarlierRun) {
    TempFolder folder;
    const std::string output = folder.file("out.TB");
    runCli({"wheel", "--pick", "1-7", "--output", output}, dataPathsIn(folder.path()));
    runCli({"wheel", "--pick", "1-7", "--output", output, "--append"}, dataPathsIn(folder.path()));
    const std::string text = contentsOf(output);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 14);
}

TEST(CommandLineWheel, StandardOutputTakesTheSetsAndTheSummaryMovesToStandardError) {
    TempFolder folder;
    CliRun result = runCli({"wheel", "--pick", "1,2,3,4,5,6,49", "--output", "-"}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitSuccess);
    EXPECT_EQ(result.out.substr(0, 28), "1 2 3 4 5 6\r\n1 2 3 4 5 49\r\n1");
    EXPECT_EQ(result.err, "Sets generated: 7\nSets passing: 7\nPercent passing: 100%\n");
}

TEST(CommandLineWheel, RefusedRunsExitWithOne) {
    TempFolder folder;
    CliRun small = runCli({"wheel", "--pick", "1-6", "--output", "-"}, dataPathsIn(folder.path()));
    EXPECT_EQ(small.status, kExitFailed);
    EXPECT_NE(small.err.find("Problem: Not enough numbers have been selected."), std::string::npos);
    EXPECT_EQ(small.out, "");

    const std::string unopenable = folder.file("no/such/folder/out.TB");
    CliRun failed = runCli({"wheel", "--pick", "1-7", "--output", unopenable}, dataPathsIn(folder.path()));
    EXPECT_EQ(failed.status, kExitFailed);
    EXPECT_NE(failed.err.find(unopenable), std::string::npos);
}

TEST(CommandLineSettings, FiltersAndPathsComeFromTheFile) {
    TempFolder folder;
    const std::string history = folder.write("h.HIT", "010199  01 02 03 04 05 06\r\n");
    SettingsFile settings;
    settings.historyPath = history;
    settings.wheelOutputPath = folder.file("fromfile.TB");
    settings.diskMode = DiskMode::Overwrite;
    settings.filters.lastDrawNumMax = "0"; // no number of the last draw
    const std::string path = folder.file("VNTB.INI");
    ASSERT_EQ(saveSettingsFile(path, settings), "");

    CliRun result = runCli({"wheel", "--pick", "1-9", "--settings", path}, dataPathsIn(folder.path()));
    ASSERT_EQ(result.status, kExitSuccess) << result.err;
    // Only sets from 7, 8, 9 remain: none, since a set needs six numbers.
    EXPECT_EQ(result.out, "Sets generated: 84\nSets passing: 0\nPercent passing: 0%\n");
    EXPECT_EQ(contentsOf(settings.wheelOutputPath), "");

    // --output overrides the file's destination and path.
    settings.destination = OutputDestination::Nothing;
    settings.filters.lastDrawNumMax = "6";
    ASSERT_EQ(saveSettingsFile(path, settings), "");
    result = runCli({"wheel", "--pick", "1-7", "--settings", path, "--output", "-"}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitSuccess);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 7);
}

TEST(CommandLineSettings, SumCorrectionsArePrintedAndTheRunGoesOn) {
    TempFolder folder;
    SettingsFile settings;
    settings.destination = OutputDestination::Nothing;
    settings.filters.minSum = "30";
    settings.filters.maxSum = "20";
    const std::string path = folder.file("VNTB.INI");
    ASSERT_EQ(saveSettingsFile(path, settings), "");
    CliRun result = runCli({"wheel", "--pick", "1-7", "--settings", path}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitSuccess);
    EXPECT_NE(result.err.find("Impossible Value Entered: The minimum allowed sum cannot be greater"),
              std::string::npos);
    EXPECT_NE(result.err.find("Impossible Value Entered: The maximum allowed sum cannot be less"), std::string::npos);
    EXPECT_NE(result.out.find("Sets passing: 7"), std::string::npos);
}

TEST(CommandLineSettings, AnUnreadableFilterBoxRefusesTheRunAndLeavesTheOutput) {
    TempFolder folder;
    SettingsFile settings;
    settings.wheelOutputPath = folder.write("kept.TB", "kept\r\n");
    settings.diskMode = DiskMode::Overwrite;
    const std::string path = folder.file("VNTB.INI");
    const std::vector<std::pair<std::function<void(FilterControls&)>, std::string>> cases{
        {[](FilterControls& f) { f.maxDif = ""; },
         "Maximum Difference (Filters A) is empty: type a number from 0 to 44."},
        {[](FilterControls& f) { f.ones[7] = "ab"; },
         "Ones Place Limits 7 (Filters A) holds \"ab\": type a number from 0 to 6."},
        {[](FilterControls& f) {
             f.enableKeyNumbers = 1;
             f.keyNumbers[4] = "50";
         },
         "Key # 05 (Filters B) holds \"50\": type a number from 1 to 49, or leave the box empty."}};
    for (const auto& [spoil, message] : cases) {
        settings.filters = FilterControls{};
        spoil(settings.filters);
        ASSERT_EQ(saveSettingsFile(path, settings), "");
        const CliRun result = runCli({"wheel", "--pick", "1-7", "--settings", path}, dataPathsIn(folder.path()));
        EXPECT_EQ(result.status, kExitFailed);
        EXPECT_EQ(result.err, "Invalid Response: " + message + "\n");
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(contentsOf(settings.wheelOutputPath), "kept\r\n");
    }
}

TEST(CommandLineSettings, BadSettingsAndHistoryAreErrorsNamingTheFile) {
    TempFolder folder;
    const std::string cut = folder.write("cut.INI", "49\r\nTrue\r\n");
    CliRun result = runCli({"wheel", "--pick", "1-7", "--settings", cut}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_NE(result.err.find(cut), std::string::npos);
    EXPECT_NE(result.err.find("line 3"), std::string::npos);

    SettingsFile settings;
    settings.filters.filterAgainstHistory = 1;
    const std::string path = folder.file("VNTB.INI");
    ASSERT_EQ(saveSettingsFile(path, settings), "");
    const std::string missing = folder.file("absent.HIT");
    result = runCli({"wheel", "--pick", "1-7", "--settings", path, "--history", missing, "--output", "-"},
                    dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_NE(result.err.find(missing), std::string::npos);
    EXPECT_EQ(result.out, "");
}

TEST(CommandLineGroups, GroupsTurnTheGroupFilterOn) {
    TempFolder folder;
    CliRun result = runCli({"wheel", "--pick", "1-8", "--group", "1-4", "--output", "-"}, dataPathsIn(folder.path()));
    ASSERT_EQ(result.status, kExitSuccess) << result.err;
    // Of the 28 sets of 1..8, those holding all of 1 2 3 4 fail: C(4,2) = 6 of them.
    EXPECT_NE(result.err.find("Sets passing: 22"), std::string::npos) << result.err;
}

TEST(CommandLineGroups, GroupsGivenReplaceEveryGroupOfTheSettingsFile) {
    TempFolder folder;
    SettingsFile settings;
    settings.destination = OutputDestination::Nothing;
    settings.filters.enableGroups = 0;
    settings.filters.groups[0] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    settings.filters.groups[1] = {"1", "2", "3", "4"};
    const std::string path = folder.file("VNTB.INI");
    ASSERT_EQ(saveSettingsFile(path, settings), "");
    // A group none of the pick's numbers is in: every set passes, unless a
    // group of the file (or the tail of one) stays in force beside it.
    CliRun result =
        runCli({"wheel", "--pick", "1-8", "--settings", path, "--group", "20,21"}, dataPathsIn(folder.path()));
    ASSERT_EQ(result.status, kExitSuccess) << result.err;
    EXPECT_NE(result.out.find("Sets passing: 28\n"), std::string::npos) << result.out;
}

TEST(CommandLineOutput, TheSetsNeverOverwriteAFileTheRunReads) {
    TempFolder folder;
    const std::string historyText = "010199  01 02 03 04 05 06\r\n";
    const std::string history = folder.write("h.HIT", historyText);
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"wheel", "--pick", "1-7", "--history", history, "--output", history},
             {"wheel", "--pick", "1-7", "--history", history, "--output", history, "--append"}}) {
        CliRun result = runCli(args, dataPathsIn(folder.path()));
        EXPECT_EQ(result.status, kExitFailed);
        EXPECT_NE(result.err.find("Output File Error: The wheel output file " + history + " is the history file"),
                  std::string::npos)
            << result.err;
    }
    EXPECT_EQ(contentsOf(history), historyText);

    SettingsFile settings;
    settings.historyPath = history;
    const std::string path = folder.file("VNTB.INI");
    ASSERT_EQ(saveSettingsFile(path, settings), "");
    const std::string settingsText = contentsOf(path);
    CliRun result =
        runCli({"wheel", "--pick", "1-7", "--settings", path, "--output", path}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_NE(result.err.find("is the settings file"), std::string::npos) << result.err;
    EXPECT_EQ(contentsOf(path), settingsText);
}

TEST(CommandLineOutput, AStandardOutputThatCannotBeWrittenFailsTheRun) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "needs /dev/full";
    TempFolder folder;
    SettingsFile settings;
    settings.destination = OutputDestination::Printer;
    const std::string printing = folder.file("VNTB.INI");
    ASSERT_EQ(saveSettingsFile(printing, settings), "");

    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    for (const Case& c : std::vector<Case>{
             {{"wheel", "--pick", "1-7", "--output", "-"}, "standard output could not be written"},
             {{"wheel", "--pick", "1-7", "--settings", printing}, "standard output could not be written"},
             {{"wheel", "--pick", "1-7", "--output", folder.file("out.TB")}, "summary could not be written"}}) {
        std::FILE* full = std::fopen("/dev/full", "w");
        ASSERT_NE(full, nullptr);
        std::FILE* err = std::tmpfile();
        const int status = runCommandLine(c.args, full, err, dataPathsIn(folder.path()));
        std::fclose(full);
        const std::string message = drainedText(err);
        EXPECT_EQ(status, kExitFailed) << c.args.back();
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
}

TEST(CommandLineOptions, GivenTwiceTheLastValueCounts) {
    TempFolder folder;
    const std::string first = folder.file("first.TB");
    const std::string second = folder.file("second.TB");
    CliRun result = runCli({"wheel", "--pick", "1-6", "--pick", "1-7", "--output", first, "--output", second},
                           dataPathsIn(folder.path()));
    ASSERT_EQ(result.status, kExitSuccess) << result.err;
    EXPECT_EQ(result.out, "Sets generated: 7\nSets passing: 7\nPercent passing: 100%\n");
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_EQ(contentsOf(second).substr(0, 13), "1 2 3 4 5 6\r\n");
}

TEST(CommandLineHelp, HelpAndVersionGoToStandardOutputAndExitZero) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    for (std::vector<std::string> args :
         std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"--help", "--bogus"}}) {
        CliRun result = runCli(args, paths);
        EXPECT_EQ(result.status, kExitSuccess) << args.front();
        EXPECT_EQ(result.err, "");
        EXPECT_NE(result.out.find("Usage: orvane COMMAND [OPTIONS]\n"), std::string::npos) << result.out;
        EXPECT_NE(result.out.find("\n  wheel "), std::string::npos) << result.out;
        EXPECT_NE(result.out.find("--version"), std::string::npos) << result.out;
    }

    const std::string version = std::string("orvane ") + kVersionText + "\n";
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--version"}, {"wheel", "--version"}, {"wheel", "--pick", "1-7", "--version"}}) {
        CliRun result = runCli(args, paths);
        EXPECT_EQ(result.status, kExitSuccess);
        EXPECT_EQ(result.out, version);
        EXPECT_EQ(result.err, "");
    }

    // Help is all that happens: no run, no output file.
    EXPECT_FALSE(std::filesystem::exists(paths.folder));
}

TEST(CommandLineHelp, TheWheelHelpShowsItsUsageAndEveryOption) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"wheel", "--help"}, {"wheel", "-h"}, {"wheel", "--pick", "1-7", "--help"}}) {
        CliRun result = runCli(args, paths);
        EXPECT_EQ(result.status, kExitSuccess);
        EXPECT_EQ(result.err, "");
        EXPECT_NE(result.out.find("Usage: orvane wheel --pick LIST [--settings FILE] [--group LIST]...\n"
                                  "                    [--history FILE] [--output FILE|-] [--append] [--numbered]\n"),
                  std::string::npos)
            << result.out;
        for (const char* option : {"--pick LIST", "--settings FILE", "--group LIST", "--history FILE",
                                   "--output FILE|-", "--append", "--numbered", "--version", "-h,--help"})
            EXPECT_NE(result.out.find(std::string("\n  ") + option), std::string::npos) << option;
        // The defaults it names are this data folder's.
        EXPECT_NE(result.out.find(paths.history), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(paths.folder));
}

TEST(CommandLineUsage, UnknownCommandsAndOptionsPrintTheUsageAndExitTwo) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    struct Case {
        std::vector<std::string> args;
        std::string error;
        std::string usage;
    };
    for (const Case& c : std::vector<Case>{
             {{}, "no command given", "Usage: orvane COMMAND"},
             {{"spin"}, "unknown command 'spin'", "Usage: orvane COMMAND"},
             {{"spin", "--pick", "1-7"}, "unknown command 'spin'", "Usage: orvane COMMAND"},
             {{"--bogus"}, "unknown option '--bogus'", "Usage: orvane COMMAND"},
             {{"--bogus", "wheel", "--pick", "1-7"}, "unknown option '--bogus'", "Usage: orvane wheel"},
             {{"wheel", "--pick", "1-7", "--colour", "red"}, "unknown option '--colour'", "Usage: orvane wheel"},
             {{"wheel", "--pick", "1-7", "--colour=red"}, "unknown option '--colour=red'", "Usage: orvane wheel"},
             {{"wheel", "--pick", "1-7", "extra"}, "unexpected argument 'extra'", "Usage: orvane wheel"},
             {{"wheel", "--pick", "1-7", "wheel"}, "unexpected argument 'wheel'", "Usage: orvane wheel"},
             {{"wheel", "--pick", "1-7", "--group", "1-4", "5-8"}, "unexpected argument '5-8'", "Usage: orvane wheel"},
         }) {
        CliRun result = runCli(c.args, paths);
        EXPECT_EQ(result.status, kExitUsage) << c.error;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("orvane: " + c.error + "\n" + c.usage, 0), 0u) << result.err;
        EXPECT_NE(result.err.find("--help' for more information."), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(paths.folder)) << "a usage error ran the wheel";
}

TEST(CommandLineUsage, MissingOrMalformedListsNameTheOptionAndExitTwo) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    const std::vector<std::string> sevenGroups{"wheel", "--pick",  "1-8", "--group", "1", "--group",
                                               "2",     "--group", "3",   "--group", "4", "--group",
                                               "5",     "--group", "6",   "--group", "7"};
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    for (const Case& c : std::vector<Case>{
             {{"wheel"}, "--pick is required"},
             {{"wheel", "--output", "-"}, "--pick is required"},
             {{"wheel", "--pick"}, "--pick"},
             {{"wheel", "--pick", "1-50"}, "--pick: '1-50' lies outside the numbers 1 to 49"},
             {{"wheel", "--pick", "0,1,2,3,4,5,6"}, "--pick: '0' lies outside the numbers 1 to 49"},
             {{"wheel", "--pick", "9-3"}, "--pick: the range '9-3' runs backwards"},
             {{"wheel", "--pick", "1,,2"}, "--pick: '' is not a number or a range like 1-12"},
             {{"wheel", "--pick", "1-7x"}, "--pick: '1-7x' is not a number or a range like 1-12"},
             {{"wheel", "--pick", "-5"}, "--pick: '-5' is not a number or a range like 1-12"},
             {{"wheel", "--pick", "50", "--pick", "1-7"}, "--pick: '50' lies outside the numbers 1 to 49"},
             {{"wheel", "--pick", "1-8", "--group", "1-9"}, "--group: a group holds at most 8 numbers"},
             {{"wheel", "--pick", "1-8", "--group", "50"}, "--group: '50' lies outside the numbers 1 to 49"},
             {{"wheel", "--pick", "1-8", "--group", "1-4", "--group", "x"}, "--group: 'x' is not a number"},
             {{"wheel", "--pick", "1-8", "--group"}, "--group"},
             {sevenGroups, "--group: at most 6 groups"},
         }) {
        CliRun result = runCli(c.args, paths);
        EXPECT_EQ(result.status, kExitUsage) << c.error;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("orvane: " + c.error, 0), 0u) << result.err;
        EXPECT_NE(result.err.find("\nUsage: orvane wheel --pick LIST"), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(paths.folder)) << "a usage error ran the wheel";

    // Six groups of eight are the most there may be.
    std::vector<std::string> sixGroups{"wheel", "--pick", "1-8", "--output", "-"};
    for (int g = 0; g < 6; ++g)
        sixGroups.insert(sixGroups.end(), {"--group", std::to_string(g * 8 + 1) + "-" + std::to_string(g * 8 + 8)});
    EXPECT_EQ(runCli(sixGroups, paths).status, kExitSuccess);
}
