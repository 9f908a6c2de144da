#include "history/DrawImport.h"
#include "history/GameHistory.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {
const Game kPowerball = *gameFromMatrix("5/69+1/26");
const Game kEuro = *gameFromMatrix("5/50+2/12");
} // namespace

// Another game's file: its numbers, then its bonus columns, read into its own
// history form in date order; the columns after them are left alone.
TEST(GameImport, ReadsTheBonusColumnsIntoTheGamesHistory) {
    TempFolder folder;
    const std::string source = folder.write("pb.csv", "Draw Date,WB1,WB2,WB3,WB4,WB5,PB,Power Play\r\n"
                                                      "12/06/2026,37,11,24,30,3,12,2\r\n"
                                                      "12/03/2026,1,2,3,4,5,27,3\r\n"
                                                      "11/29/2026,1,2,3,4,70,5,3\r\n"
                                                      "11/26/2026,9,9,3,4,5,5,3\r\n"
                                                      "11/22/2026,9,8,3,4\r\n"
                                                      "11/19/2026,1,2,3,4,5,26,3\r\n");
    const std::string history =
        folder.write("POWERBALL.HIT", "2026-12-09  01 02 03 04 05 + 01\r\n2026-11-19  01 02 03 04 05 + 26\r\n");
    const DrawImport result = importDraws(source, history, DateOrder::MonthDayYear, kPowerball);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 1u);
    EXPECT_EQ(result.skipped, 1u);
    ASSERT_EQ(result.rejected.size(), 4u);
    EXPECT_EQ(result.rejected[0].reason, "\"27\" is not a bonus number from 1 to 26");
    EXPECT_EQ(result.rejected[1].reason, "\"70\" is not a number from 1 to 69");
    EXPECT_EQ(result.rejected[2].reason, "the number 9 is given twice");
    EXPECT_EQ(result.rejected[3].reason, "it holds fewer than five numbers and one bonus number after the date");
    // The history's own lines keep their text; the new draw is written in the game's form, in date order.
    EXPECT_EQ(contentsOf(history), "2026-11-19  01 02 03 04 05 + 26\r\n"
                                   "2026-12-06  03 11 24 30 37 + 12\r\n"
                                   "2026-12-09  01 02 03 04 05 + 01\r\n");
    EXPECT_TRUE(readGameHistory(kPowerball, history).ok());
}

TEST(GameImport, TwoBonusNumbersAreSortedAndADamagedHistoryIsNamed) {
    TempFolder folder;
    const std::string source = folder.write("euro.txt", "2026-12-08 50 1 20 30 40 11 2\n2026-12-05 1 2 3 4 5 7 7\n");
    const std::string history = folder.file("EURO.HIT");
    const DrawImport result = importDraws(source, history, std::nullopt, kEuro);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 1u);
    ASSERT_EQ(result.rejected.size(), 1u);
    EXPECT_EQ(result.rejected[0].reason, "the bonus number 7 is given twice");
    EXPECT_EQ(contentsOf(history), "2026-12-08  01 20 30 40 50 + 02 11\r\n");

    folder.write("EURO.HIT", "2026-12-08  01 20 30 40 50 + 02 11\r\nnot a draw\r\n");
    const DrawImport damaged = importDraws(source, history, std::nullopt, kEuro);
    EXPECT_EQ(damaged.status, DrawImport::Status::HistoryUnreadable);
    EXPECT_NE(damaged.error.find("Line 2 of the history file " + history), std::string::npos) << damaged.error;
    EXPECT_EQ(contentsOf(history), "2026-12-08  01 20 30 40 50 + 02 11\r\nnot a draw\r\n");
}
