#include "app/CommandLine.h"

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
