#include "reports/HistoryReports.h"
#include "reports/ReportHistory.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {
const std::string kThreeDraws =
    "050788  15 17 30 42 44 49\r\n051488  03 11 24 30 41 49\r\n052188  49 01 02 03 04 05\r\n";
} // namespace

TEST(CommandLineReport, PrintsTheWindowsTextAndTheCountsAsCsv) {
    TempFolder folder;
    const std::string history = folder.write("h.HIT", kThreeDraws);
    const CliRun text = runCli({"report", "Historic Number Count", "--history", history}, dataPathsIn(folder.path()));
    ASSERT_EQ(text.status, kExitSuccess) << text.err;
    EXPECT_EQ(text.out, numberCountReport(readReportHistory(history).draws).text);
    EXPECT_NE(text.out.find("49 has been drawn 003 times."), std::string::npos) << text.out;

    const CliRun csv =
        runCli({"report", "Historic Number Count", "--history", history, "--csv"}, dataPathsIn(folder.path()));
    ASSERT_EQ(csv.status, kExitSuccess) << csv.err;
    std::uint64_t total = 0;
    std::size_t rows = 0;
    for (std::size_t at = csv.out.find("\r\n") + 2; at < csv.out.size(); at = csv.out.find("\r\n", at) + 2, ++rows)
        total += std::stoull(csv.out.substr(csv.out.find(',', at) + 1));
    EXPECT_EQ(rows, 49u);
    EXPECT_EQ(total, 6u * 3u); // every draw counts each of its six numbers once
}

TEST(CommandLineReport, ShowsTheHistoryAndTheOutputFileAsTheViewersDo) {
    TempFolder folder;
    const std::string history = folder.write("h.HIT", kThreeDraws);
    const std::string output = folder.write("out.TB", "17 : 5 12 23 34 41 49\r\n1 2 3 4 5 6\r\n");
    const DataPaths paths = dataPathsIn(folder.path());
    EXPECT_EQ(runCli({"report", "View & Manipulate History", "--history", history}, paths).out, kThreeDraws);
    const CliRun viewed = runCli({"report", "View & Manipulate Output File", "--output", output}, paths);
    EXPECT_EQ(viewed.status, kExitSuccess) << viewed.err;
    EXPECT_EQ(viewed.out, "17 : 05 12 23 34 41 49\r\n01 02 03 04 05 06\r\n");
}

TEST(CommandLineReport, MissingFilesFailAndUnknownCaptionsAreUsageErrors) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const CliRun missing = runCli({"report", "Sum Hits Counter", "--history", folder.file("absent.HIT")}, paths);
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_NE(
        missing.err.find("Cannot Execute Command: The file " + folder.file("absent.HIT") + " could not be opened."),
        std::string::npos)
        << missing.err;
    EXPECT_TRUE(missing.out.empty());
    EXPECT_EQ(runCli({"report", "View & Manipulate Output File", "--output", folder.file("absent.TB")}, paths).status,
              kExitFailed);
    EXPECT_EQ(runCli({"report", "Historic number count"}, paths).status, kExitUsage); // compared exactly
    const std::string history = folder.write("h.HIT", kThreeDraws);
    EXPECT_EQ(runCli({"report", "Sum of Sets Calculator", "--history", history, "--csv"}, paths).status, kExitUsage);
}

TEST(CommandLineReport, NumberLinesAndSkipHitReadTheSameHistory) {
    TempFolder folder;
    const std::string history = folder.write("h.HIT", kThreeDraws);
    const DataPaths paths = dataPathsIn(folder.path());
    const CliRun lines = runCli({"report", "Number Lines Calculator", "--history", history}, paths);
    ASSERT_EQ(lines.status, kExitSuccess) << lines.err;
    std::size_t count = 0;
    for (std::size_t at = 0; (at = lines.out.find("\r\n", at)) != std::string::npos; at += 2) ++count;
    EXPECT_EQ(count, 14700u);
    EXPECT_EQ(runCli({"report", "Number Lines Calculator", "--history", history, "--csv"}, paths).status, kExitUsage);

    const CliRun skips = runCli({"report", "Skip/Hit Report", "--history", history, "--csv"}, paths);
    ASSERT_EQ(skips.status, kExitSuccess) << skips.err;
    EXPECT_EQ(skips.out.substr(0, 21), "Number,Current skip\r\n");
    EXPECT_NE(skips.out.find("\r\n49,0\r\n"), std::string::npos); // 49 is in the latest draw
    EXPECT_NE(skips.out.find("\r\n15,2\r\n"), std::string::npos); // 15 only in the first of three
}
