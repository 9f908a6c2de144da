#include "cli/CommandLine.h"
#include "history/GameHistory.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvane;

// Another game's draw: the date, its own count of numbers and its bonus
// numbers, recorded in that game's history file in the data folder.
TEST(GameRecordCommand, RecordsAnotherGamesDrawInItsOwnFile) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    CliRun five = runCli({"record", "--game", "Fantasy 5", "12", "05", "26", "37", "11", "24", "30", "03"}, paths);
    EXPECT_EQ(five.status, kExitSuccess) << five.err;
    EXPECT_EQ(contentsOf(folder.file("Varnel/FANTASY-5.HIT")), "2026-12-05  03 11 24 30 37\r\n");

    CliRun max = runCli({"record", "--game", "7/50", "--history", folder.file("max.HIT"), "12", "04", "2026", "1", "2",
                         "3", "4", "5", "6", "50"},
                        paths);
    EXPECT_EQ(max.status, kExitSuccess) << max.err;
    EXPECT_EQ(contentsOf(folder.file("max.HIT")), "2026-12-04  01 02 03 04 05 06 50\r\n");

    CliRun powerball = runCli({"record", "--game", "Powerball", "12", "06", "26", "3", "11", "24", "30", "37", "12"}, paths);
    EXPECT_EQ(powerball.status, kExitSuccess) << powerball.err;
    EXPECT_EQ(contentsOf(folder.file("Varnel/POWERBALL.HIT")), "2026-12-06  03 11 24 30 37 + 12\r\n");
    // The same date again is refused, and the file stays.
    CliRun again = runCli({"record", "--game", "Powerball", "12", "06", "26", "1", "2", "3", "4", "5", "6"}, paths);
    EXPECT_EQ(again.status, kExitFailed);
    EXPECT_EQ(contentsOf(folder.file("Varnel/POWERBALL.HIT")), "2026-12-06  03 11 24 30 37 + 12\r\n");
}

TEST(GameRecordCommand, AWrongCountOrANumberOutsideTheGameIsRefused) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    CliRun few = runCli({"record", "--game", "Powerball", "12", "06", "26", "3", "11", "24", "30", "37"}, paths);
    EXPECT_EQ(few.status, kExitUsage);
    EXPECT_EQ(few.err,
              "orvane: a draw of Powerball (5/69 + 1/26) holds 6 numbers (the bonus numbers last), and 5 were given\n");
    CliRun outside = runCli({"record", "--game", "5/39", "12", "06", "26", "3", "11", "24", "30", "40"}, paths);
    EXPECT_EQ(outside.status, kExitFailed);
    EXPECT_NE(outside.err.find("40"), std::string::npos) << outside.err;
    CliRun date = runCli({"record", "--game", "5/39", "02", "30", "26", "3", "11", "24", "30", "31"}, paths);
    EXPECT_EQ(date.status, kExitFailed);
    EXPECT_NE(date.err.find("2026-02-30"), std::string::npos) << date.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("Varnel/5-39.HIT")));
    // Without --game a tenth value is no number of a 6/49 draw.
    CliRun ten = runCli({"record", "12", "06", "26", "1", "2", "3", "4", "5", "6", "7"}, paths);
    EXPECT_EQ(ten.status, kExitUsage);
    EXPECT_EQ(ten.err.rfind("orvane: unexpected argument '7'", 0), 0u) << ten.err;
}
