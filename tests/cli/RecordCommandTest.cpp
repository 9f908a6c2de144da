#include "cli/CommandLine.h"

#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvane;

namespace {

CliRun record(std::vector<std::string> args, const DataPaths& paths) {
    args.insert(args.begin(), "record");
    return runCli(args, paths);
}

const std::string kHistory = "050788  15 17 30 42 44 49\r\n102399  11 20 23 33 37 47\r\n";
const std::string kTwoDigits =
    "All entries must be 2 digits.  If the entry is less than 10, put a zero in front of it.  For example, 03.\n";

std::vector<std::string> goodDraw(const std::string& history) {
    return {"--history", history, "12", "05", "99", "03", "11", "24", "30", "41", "49"};
}

// goodDraw with the value at `index` (0 = month ... 8 = F) replaced.
std::vector<std::string> drawWith(const std::string& history, std::size_t index, std::string text) {
    std::vector<std::string> args = goodDraw(history);
    args[2 + index] = std::move(text);
    return args;
}

} // namespace

TEST(CommandLineRecord, RecordsTheNumbersAscendingAndAForgottenDrawInDateOrder) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", kHistory);
    CliRun good = record(goodDraw(history), dataPathsIn(folder.path()));
    EXPECT_EQ(good.status, kExitSuccess) << good.err;
    EXPECT_EQ(good.err, "");
    EXPECT_EQ(good.out, "");
    CliRun descending = record({"--history", history, "12", "15", "99", "40", "30", "20", "10", "09", "08"},
                               dataPathsIn(folder.path()));
    EXPECT_EQ(descending.status, kExitSuccess) << descending.err;
    EXPECT_EQ(contentsOf(history), kHistory + "120599  03 11 24 30 41 49\r\n121599  08 09 10 20 30 40\r\n");

    // A draw of June, forgotten then: it goes before the draw of October.
    CliRun forgotten = record({"--history", history, "06", "12", "99", "49", "03", "41", "11", "30", "24"},
                              dataPathsIn(folder.path()));
    EXPECT_EQ(forgotten.status, kExitSuccess) << forgotten.err;
    EXPECT_EQ(contentsOf(history), "050788  15 17 30 42 44 49\r\n061299  03 11 24 30 41 49\r\n"
                                   "102399  11 20 23 33 37 47\r\n120599  03 11 24 30 41 49\r\n"
                                   "121599  08 09 10 20 30 40\r\n");
}

TEST(CommandLineRecord, ADateRecordedAlreadyIsRefusedAndNothingWritten) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", kHistory);
    CliRun same = record({"--history", history, "10", "23", "99", "47", "37", "33", "23", "20", "11"},
                         dataPathsIn(folder.path()));
    EXPECT_EQ(same.status, kExitFailed);
    EXPECT_EQ(same.err, "The draw of 10-23-99, 11 20 23 33 37 47, is already recorded, on line 2 of the history file " +
                            history + ".\n");
    CliRun other = record({"--history", history, "10", "23", "99", "01", "20", "23", "33", "37", "47"},
                          dataPathsIn(folder.path()));
    EXPECT_EQ(other.status, kExitFailed);
    EXPECT_EQ(other.err, "Line 2 of the history file " + history +
                             " records another draw of 10-23-99: 11 20 23 33 37 47. The draw 01 20 23 33 37 47 was not "
                             "recorded.\n");
    EXPECT_EQ(contentsOf(history), kHistory);
}

TEST(CommandLineRecord, WithoutHistoryTheDefaultFileTakesTheDraw) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    CliRun run = record({"01", "02", "00", "01", "02", "03", "04", "05", "06"}, paths);
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(contentsOf(paths.history), "010200  01 02 03 04 05 06\r\n");
}

TEST(CommandLineRecord, TheFirstFailedCheckIsPrintedAndNothingWritten) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", kHistory);
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    std::vector<std::string> monthAndDay = drawWith(history, 0, "13");
    monthAndDay[2 + 1] = "5";
    std::vector<std::string> monthAndRepeat = drawWith(history, 0, "13");
    monthAndRepeat[2 + 5] = "11"; // C equal to B
    std::vector<std::string> april31 = drawWith(history, 0, "04");
    april31[2 + 1] = "31";
    const Case cases[] = {
        {monthAndDay, kTwoDigits},
        {monthAndRepeat, "There are multiple instances of the same number.  Please try again.\n"},
        {drawWith(history, 8, ""),
         "There are one or more entry boxes with nothing in them.  Please fill them in and try again.\n"},
        {drawWith(history, 2, " 9"), kTwoDigits},
        {drawWith(history, 2, "ab"), kTwoDigits},
        {drawWith(history, 2, "-5"), kTwoDigits},
        {drawWith(history, 2, "1999"), kTwoDigits},
        {drawWith(history, 3, "007"), kTwoDigits},
        {drawWith(history, 3, "100"), "Invalid entry for Position A.  Please enter a number from 1 to 49.\n"},
        {drawWith(history, 8, "50"), "Invalid entry for Position F.  Please enter a number from 1 to 49.\n"},
        {april31, "Invalid entry for DAY of draw.  04-31-99 is not a calendar date: April 1999 has 30 days.\n"},
        {drawWith(history, 1, "32"), "Invalid entry for DAY of draw.  Please enter a number from 1 to 31.\n"},
    };
    for (const Case& c : cases) {
        CliRun run = record(c.args, dataPathsIn(folder.path()));
        EXPECT_EQ(run.status, kExitFailed) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(contentsOf(history), kHistory);
}

TEST(CommandLineRecord, AnUnwritableHistoryFailsNamingIt) {
    TempFolder folder;
    for (const std::string& path : {folder.path(), folder.file("missing/FL6-49.HIT")}) {
        CliRun run = record(goodDraw(path), dataPathsIn(folder.path()));
        EXPECT_EQ(run.status, kExitFailed);
        EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(CommandLineRecord, NineValuesAreNeeded) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", kHistory);
    std::vector<std::string> eight = goodDraw(history);
    eight.pop_back();
    std::vector<std::string> ten = goodDraw(history);
    ten.push_back("12");
    for (const auto& args : {eight, ten}) {
        CliRun run = record(args, dataPathsIn(folder.path()));
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_NE(run.err.find("Usage: orvane record [--history FILE] MM DD YY A B C D E F [MORE]...\n"
                               "                     [--game GAME]\n"),
                  std::string::npos)
            << run.err;
    }
    EXPECT_EQ(contentsOf(history), kHistory);
}
