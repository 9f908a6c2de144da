#include "cli/CommandLine.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

std::string drain(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    std::fclose(file);
    return text;
}

CliRun run(std::vector<std::string> args, const DataPaths& paths) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    int status = runCommandLine(args, out, err, paths);
    return CliRun{status, drain(out), drain(err)};
}

} // namespace

TEST(CommandLineWheel, WritesTheSetsAndPrintsTheSummary) {
    TempFolder folder;
    const std::string output = folder.file("out.TB");
    CliRun result = run({"wheel", "--pick", "1-6,9", "--output", output}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitSuccess) << result.err;
    EXPECT_EQ(result.out, "Sets generated: 7\nSets passing: 7\nPercent passing: 100%\n");
    EXPECT_EQ(contentsOf(output).substr(0, 13), "1 2 3 4 5 6\r\n");
}

TEST(CommandLineWheel, DefaultOutputGoesToTheDataFolder) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    CliRun result = run({"wheel", "--pick", "40-46", "--numbered"}, paths);
    ASSERT_EQ(result.status, kExitSuccess) << result.err;
    EXPECT_EQ(contentsOf(paths.wheelOutput).substr(0, 24), "1 : 40 41 42 43 44 45\r\n2");
}

TEST(CommandLineWheel, AppendKeepsTheEarlierRun) {
    TempFolder folder;
    const std::string output = folder.file("out.TB");
    run({"wheel", "--pick", "1-7", "--output", output}, dataPathsIn(folder.path()));
    run({"wheel", "--pick", "1-7", "--output", output, "--append"}, dataPathsIn(folder.path()));
    const std::string text = contentsOf(output);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 14);
}

TEST(CommandLineWheel, StandardOutputTakesTheSetsAndTheSummaryMovesToStandardError) {
    TempFolder folder;
    CliRun result = run({"wheel", "--pick", "1,2,3,4,5,6,49", "--output", "-"}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitSuccess);
    EXPECT_EQ(result.out.substr(0, 28), "1 2 3 4 5 6\r\n1 2 3 4 5 49\r\n1");
    EXPECT_EQ(result.err, "Sets generated: 7\nSets passing: 7\nPercent passing: 100%\n");
}

TEST(CommandLineWheel, RefusedRunsExitWithOne) {
    TempFolder folder;
    CliRun small = run({"wheel", "--pick", "1-6", "--output", "-"}, dataPathsIn(folder.path()));
    EXPECT_EQ(small.status, kExitFailed);
    EXPECT_NE(small.err.find("Problem: Not enough numbers have been selected."), std::string::npos);
    EXPECT_EQ(small.out, "");

    const std::string unopenable = folder.file("no/such/folder/out.TB");
    CliRun failed = run({"wheel", "--pick", "1-7", "--output", unopenable}, dataPathsIn(folder.path()));
    EXPECT_EQ(failed.status, kExitFailed);
    EXPECT_NE(failed.err.find(unopenable), std::string::npos);
}

TEST(CommandLineWheel, UsageErrorsExitWithTwo) {
    TempFolder folder;
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"wheel", "--pick", "1-50"},
             {"wheel", "--pick", "0,1,2,3,4,5,6"},
             {"wheel", "--pick", "9-3"},
             {"wheel", "--pick", "1,,2"},
             {"wheel", "--pick"},
             {"wheel"},
             {"wheel", "--pick", "1-7", "--colour", "red"},
             {"spin"},
             {}}) {
        CliRun result = run(args, dataPathsIn(folder.path()));
        EXPECT_EQ(result.status, kExitUsage) << (args.empty() ? "" : args.back());
        EXPECT_NE(result.err.find("usage: orvane wheel"), std::string::npos);
    }
}

#include "settings/SettingsFile.h"

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

    CliRun result = run({"wheel", "--pick", "1-9", "--settings", path}, dataPathsIn(folder.path()));
    ASSERT_EQ(result.status, kExitSuccess) << result.err;
    // Only sets from 7, 8, 9 remain: none, since a set needs six numbers.
    EXPECT_EQ(result.out, "Sets generated: 84\nSets passing: 0\nPercent passing: 0%\n");
    EXPECT_EQ(contentsOf(settings.wheelOutputPath), "");

    // --output overrides the file's destination and path.
    settings.destination = OutputDestination::Nothing;
    settings.filters.lastDrawNumMax = "6";
    ASSERT_EQ(saveSettingsFile(path, settings), "");
    result = run({"wheel", "--pick", "1-7", "--settings", path, "--output", "-"}, dataPathsIn(folder.path()));
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
    CliRun result = run({"wheel", "--pick", "1-7", "--settings", path}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitSuccess);
    EXPECT_NE(result.err.find("Impossible Value Entered: The minimum allowed sum cannot be greater"), std::string::npos);
    EXPECT_NE(result.err.find("Impossible Value Entered: The maximum allowed sum cannot be less"), std::string::npos);
    EXPECT_NE(result.out.find("Sets passing: 7"), std::string::npos);
}

TEST(CommandLineSettings, BadSettingsAndHistoryAreErrorsNamingTheFile) {
    TempFolder folder;
    const std::string cut = folder.write("cut.INI", "49\r\nTrue\r\n");
    CliRun result = run({"wheel", "--pick", "1-7", "--settings", cut}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_NE(result.err.find(cut), std::string::npos);
    EXPECT_NE(result.err.find("line 3"), std::string::npos);

    SettingsFile settings;
    settings.filters.filterAgainstHistory = 1;
    const std::string path = folder.file("VNTB.INI");
    ASSERT_EQ(saveSettingsFile(path, settings), "");
    const std::string missing = folder.file("absent.HIT");
    result = run({"wheel", "--pick", "1-7", "--settings", path, "--history", missing, "--output", "-"},
                 dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_NE(result.err.find(missing), std::string::npos);
    EXPECT_EQ(result.out, "");
}

TEST(CommandLineGroups, GroupsTurnTheGroupFilterOn) {
    TempFolder folder;
    CliRun result =
        run({"wheel", "--pick", "1-8", "--group", "1-4", "--output", "-"}, dataPathsIn(folder.path()));
    ASSERT_EQ(result.status, kExitSuccess) << result.err;
    // Of the 28 sets of 1..8, those holding all of 1 2 3 4 fail: C(4,2) = 6 of them.
    EXPECT_NE(result.err.find("Sets passing: 22"), std::string::npos) << result.err;

    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"wheel", "--pick", "1-8", "--group", "1-9"},
             {"wheel", "--pick", "1-8", "--group", "50"},
             {"wheel", "--pick", "1-8", "--group", "1", "--group", "2", "--group", "3", "--group", "4", "--group",
              "5", "--group", "6", "--group", "7"}})
        EXPECT_EQ(run(args, dataPathsIn(folder.path())).status, kExitUsage);
}
