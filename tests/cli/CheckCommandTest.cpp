#include "cli/CommandLine.h"

#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace orvane;

namespace {} // namespace

TEST(CommandLineCheck, PrintsTheSevenTalliesWithZerosAsZero) {
    TempFolder folder;
    const std::string output =
        folder.write("out.TB", "3 11 24 30 41 49\r\n1 2 4 5 6 7\r\n3 11 24 30 41 48\r\n3 11 24 30 40 48\r\n");
    const CliRun result =
        runCli({"check", "--winning", "3,11,24,30,41,49", "--output", output}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitSuccess) << result.err;
    EXPECT_EQ(result.out, "0 of 6: 1\n1 of 6: 0\n2 of 6: 0\n3 of 6: 0\n4 of 6: 1\n5 of 6: 1\n6 of 6: 1\n");
    EXPECT_EQ(result.err, "");
}

TEST(CommandLineCheck, ReadsTheDefaultOutputAWheelWroteNumberedOrNot) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    for (bool numbered : {false, true}) {
        std::vector<std::string> wheel = {"wheel", "--pick", "1-10"};
        if (numbered) wheel.push_back("--numbered");
        ASSERT_EQ(runCli(wheel, paths).status, kExitSuccess);
        // Of the 210 sets of ten numbers, those holding k of 1..6 and 6 - k of 7..10.
        const CliRun result = runCli({"check", "--winning", "6,5,4,3,2,1"}, paths);
        EXPECT_EQ(result.status, kExitSuccess) << result.err;
        EXPECT_EQ(result.out, "0 of 6: 0\n1 of 6: 0\n2 of 6: 15\n3 of 6: 80\n4 of 6: 90\n5 of 6: 24\n6 of 6: 1\n");
    }
}

TEST(CommandLineCheck, WinningNumbersThatAreNotSixDifferentNumbersFromOneToFortyNineAreRefused) {
    TempFolder folder;
    const std::string output = folder.write("out.TB", "1 2 3 4 5 6\n");
    const std::string six = "; a draw has six winning numbers, as in 5,12,23,34,41,49\n";
    const std::pair<const char*, std::string> cases[] = {
        {"", "1 entry given" + six},
        {"1,2,3,4,5", "5 entries given" + six},
        {"1,2,3,4,5,6,7", "7 entries given" + six},
        {"1,2,3,,5,6", "winning number 4, \"\", is not a number from 1 to 49\n"},
        {"0,2,3,4,5,6", "winning number 1, \"0\", is not a number from 1 to 49\n"},
        {"1,2,3,4,5,50", "winning number 6, \"50\", is not a number from 1 to 49\n"},
        {"a,2,3,4,5,6", "winning number 1, \"a\", is not a number from 1 to 49\n"},
        {"1,2,3,4,5,6x", "winning number 6, \"6x\", is not a number from 1 to 49\n"},
        {"-1,2,3,4,5,6", "winning number 1, \"-1\", is not a number from 1 to 49\n"},
        {"1.5,2,3,4,5,6", "winning number 1, \"1.5\", is not a number from 1 to 49\n"},
        {"1,1,2,3,4,05", "winning number 2 repeats winning number 1 (1); a draw holds six different numbers\n"},
        {"1, 2,3,4,5,02", "winning number 6 repeats winning number 2 (2); a draw holds six different numbers\n"},
    };
    for (const auto& [winning, problem] : cases) {
        const CliRun result = runCli({"check", "--winning", winning, "--output", output}, dataPathsIn(folder.path()));
        EXPECT_EQ(result.status, kExitFailed) << winning;
        EXPECT_EQ(result.err, "orvane: --winning: " + problem) << winning;
        EXPECT_EQ(result.out, "") << winning;
    }
}

TEST(CommandLineCheck, AMissingOrMalformedFileFails) {
    TempFolder folder;
    const std::string missing = folder.file("Missing.TB");
    const CliRun absent =
        runCli({"check", "--winning", "1,2,3,4,5,6", "--output", missing}, dataPathsIn(folder.path()));
    EXPECT_EQ(absent.status, kExitFailed);
    EXPECT_EQ(absent.err, "Cannot Execute Command: The file " + missing +
                              " could not be opened.  It may not exist, has been renamed, or is currently in use by "
                              "some other process.\n");
    EXPECT_EQ(absent.out, "");

    const std::string bad = folder.write("bad.TB", "1 2 3 4 5 6\r\nnot a set\r\n");
    const CliRun malformed = runCli({"check", "--winning", "1,2,3,4,5,6", "--output", bad}, dataPathsIn(folder.path()));
    EXPECT_EQ(malformed.status, kExitFailed);
    EXPECT_NE(malformed.err.find("Line 2 of the wheel output file " + bad), std::string::npos) << malformed.err;
    EXPECT_EQ(malformed.out, "");
}

TEST(CommandLineCheck, WithoutWinningNumbersItIsAUsageError) {
    TempFolder folder;
    const CliRun result = runCli({"check"}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitUsage);
    EXPECT_NE(result.err.find("--winning"), std::string::npos) << result.err;
}
