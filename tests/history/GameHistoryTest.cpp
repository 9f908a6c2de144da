// The history file of a game other than 6/49: its lines written and read
// back, every bad line named with its file and line, and its file name.
#include "core/Game.h"
#include "history/GameHistory.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {
Game gameOf(const char* matrix) { return gameFromMatrix(matrix).value_or(Game::lotto649()); }
} // namespace

TEST(GameHistory, DrawsOfAnyGameComeBackAsTheyWereWritten) {
    const Game powerball = gameOf("5/69+1/26");
    const std::vector<GameDraw> draws = {{2026, 12, 5, {3, 11, 24, 30, 41}, {7}},
                                         {2026, 12, 9, {1, 2, 45, 68, 69}, {26}}};
    std::string text;
    for (const GameDraw& draw : draws) text += gameHistoryLine(draw);
    EXPECT_EQ(text, "2026-12-05  03 11 24 30 41 + 07\r\n2026-12-09  01 02 45 68 69 + 26\r\n");
    const GameHistoryRead read = readGameHistoryText(text + "\r\n", powerball, "P.HIT");
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.draws, draws);

    const Game seven = gameOf("7/35");
    const GameHistoryRead plain = readGameHistoryText("2024-02-29 1 2 3 4 5 6 35\n", seven, "S.HIT");
    ASSERT_TRUE(plain.ok()) << plain.error;
    EXPECT_EQ(gameHistoryLine(plain.draws[0]), "2024-02-29  01 02 03 04 05 06 35\r\n");

    // A line typed in another order is read with its numbers sorted.
    const Game euro = gameOf("5/50+2/12");
    const GameHistoryRead typed = readGameHistoryText("2026-01-02  40 02 17 14 23 + 9 3\r\n", euro, "E.HIT");
    ASSERT_TRUE(typed.ok()) << typed.error;
    EXPECT_EQ(typed.draws[0].numbers, (std::vector<int>{2, 14, 17, 23, 40}));
    EXPECT_EQ(typed.draws[0].bonus, (std::vector<int>{3, 9}));
}

TEST(GameHistory, ABadLineIsNamedWithItsFileAndLine) {
    const Game powerball = gameOf("5/69+1/26");
    const auto error = [&](const std::string& line) {
        const GameHistoryRead read =
            readGameHistoryText("2026-12-05  03 11 24 30 41 + 07\r\n" + line + "\r\n", powerball, "P.HIT");
        EXPECT_TRUE(read.draws.empty());
        return read.error;
    };
    const std::string form =
        " is not a draw of 5/69 + 1/26 (a date YYYY-MM-DD and 5 numbers, then + and 1 bonus number): \"";
    EXPECT_EQ(error("2026-12-09  03 11 24 30 41"),
              "Line 2 of the history file P.HIT" + form + "2026-12-09  03 11 24 30 41\".");
    EXPECT_EQ(error("12/09/2026  03 11 24 30 41 + 07"),
              "Line 2 of the history file P.HIT" + form + "12/09/2026  03 11 24 30 41 + 07\".");
    EXPECT_EQ(error("2026-12-09  03 11 24 30 41 + 07 08"),
              "Line 2 of the history file P.HIT" + form + "2026-12-09  03 11 24 30 41 + 07 08\".");
    EXPECT_EQ(error("2026-02-29  03 11 24 30 41 + 07"),
              "Line 2 of the history file P.HIT holds the date 2026-02-29, which is not a calendar date.");
    EXPECT_EQ(error("2026-12-09  03 11 24 30 70 + 07"),
              "Line 2 of the history file P.HIT holds the number 70, outside 1 to 69.");
    EXPECT_EQ(error("2026-12-09  03 11 24 30 30 + 07"), "Line 2 of the history file P.HIT holds the number 30 twice.");
    EXPECT_EQ(error("2026-12-09  03 11 24 30 41 + 27"),
              "Line 2 of the history file P.HIT holds the bonus number 27, outside 1 to 26.");

    const GameHistoryRead noBonus = readGameHistoryText("2026-12-09  01 02 03 04 05 + 06\r\n", gameOf("5/39"), "F.HIT");
    EXPECT_EQ(noBonus.error,
              "Line 1 of the history file F.HIT is not a draw of 5/39 (a date YYYY-MM-DD and 5 numbers): "
              "\"2026-12-09  01 02 03 04 05 + 06\".");
    EXPECT_NE(readGameHistory(powerball, "/nonexistent/P.HIT").error.find("could not be opened"), std::string::npos);
}

TEST(GameHistory, TheFileIsNamedFromTheGame) {
    EXPECT_EQ(gameHistoryFileName(gameOf("5/39")), "5-39.HIT");
    EXPECT_EQ(gameHistoryFileName(gameOf("5/69+1/26")), "5-69+1-26.HIT");
    const std::optional<Game> named = Game::make("Mega Millions", 70, 5, false, 24, 1, {});
    ASSERT_TRUE(named);
    EXPECT_EQ(gameHistoryFileName(*named), "MEGA-MILLIONS.HIT");
}
