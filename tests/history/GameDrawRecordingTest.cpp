// Recording a draw of any game but 6/49 keeps what recording a 6/49 draw
// keeps: date order, every other byte, refused dates, nothing half written.
#include "history/GameDrawRecording.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

const Game kPowerball = *gameFromMatrix("5/69+1/26");

} // namespace

TEST(GameDrawRecording, DrawsGoInDateOrderAndLeaveEveryOtherByte) {
    TempFolder folder;
    const std::string path = folder.path() + "/P.HIT";
    // A missing file is made; the numbers are recorded smallest first.
    ASSERT_TRUE(recordGameDraw(path, kPowerball, {2026, 12, 5, {41, 3, 30, 24, 11}, {7}}).ok());
    EXPECT_EQ(contentsOf(path), "2026-12-05  03 11 24 30 41 + 07\r\n");
    // A later draw at the end, after a line end the last line lacked.
    folder.write("P.HIT", "2026-12-05  03 11 24 30 41 + 07");
    const DrawRecording later = recordGameDraw(path, kPowerball, {2026, 12, 9, {1, 2, 3, 4, 5}, {26}});
    ASSERT_TRUE(later.ok()) << later.error;
    EXPECT_EQ(later.placedBefore, "");
    EXPECT_EQ(contentsOf(path), "2026-12-05  03 11 24 30 41 + 07\r\n2026-12-09  01 02 03 04 05 + 26\r\n");
    // A forgotten draw goes between, and the odd spacing of the lines around it stays.
    folder.write("P.HIT", "2026-12-01 10 20 30 40 50 + 1\n2026-12-09  01 02 03 04 05 + 26\r\n");
    const DrawRecording between = recordGameDraw(path, kPowerball, {2026, 12, 5, {3, 11, 24, 30, 41}, {7}});
    ASSERT_TRUE(between.ok()) << between.error;
    EXPECT_EQ(between.placedBefore, "2026-12-09");
    EXPECT_EQ(contentsOf(path), "2026-12-01 10 20 30 40 50 + 1\n2026-12-05  03 11 24 30 41 + 07\r\n"
                                "2026-12-09  01 02 03 04 05 + 26\r\n");
    // The earliest of all goes first.
    ASSERT_TRUE(recordGameDraw(path, kPowerball, {2025, 1, 1, {1, 2, 3, 4, 6}, {2}}).ok());
    EXPECT_EQ(contentsOf(path).substr(0, 33), "2025-01-01  01 02 03 04 06 + 02\r\n");
}

TEST(GameDrawRecording, ARefusedDrawLeavesTheFileAsItWas) {
    TempFolder folder;
    const std::string before = "2026-12-05  03 11 24 30 41 + 07\r\n";
    const std::string path = folder.write("P.HIT", before);
    const auto refused = [&](GameDraw draw, DrawRecording::Outcome outcome) {
        const DrawRecording recording = recordGameDraw(path, kPowerball, std::move(draw));
        EXPECT_EQ(recording.outcome, outcome);
        EXPECT_EQ(contentsOf(path), before);
        return recording.error;
    };
    EXPECT_EQ(refused({2026, 12, 5, {41, 30, 24, 11, 3}, {7}}, DrawRecording::Outcome::AlreadyRecorded),
              "The draw of 2026-12-05 is already recorded, on line 1 of " + path + ".");
    EXPECT_EQ(refused({2026, 12, 5, {1, 2, 3, 4, 5}, {7}}, DrawRecording::Outcome::DateTaken),
              "The history already holds another draw of 2026-12-05, on line 1 of " + path +
                  ": 2026-12-05  03 11 24 30 41 + 07. The draw was not recorded.");
    EXPECT_EQ(refused({2026, 12, 9, {1, 2, 3, 4, 70}, {7}}, DrawRecording::Outcome::Failed),
              "The draw holds the number 70, outside 1 to 69. The draw was not recorded.");
    EXPECT_EQ(refused({2026, 2, 29, {1, 2, 3, 4, 5}, {7}}, DrawRecording::Outcome::Failed),
              "The draw holds the date 2026-02-29, which is not a calendar date. The draw was not recorded.");
    EXPECT_EQ(refused({2026, 12, 9, {1, 2, 3, 4}, {7}}, DrawRecording::Outcome::Failed),
              "A draw has 5 numbers; 4 given. The draw was not recorded.");
    EXPECT_EQ(refused({2026, 12, 9, {1, 2, 3, 4, 5}, {}}, DrawRecording::Outcome::Failed),
              "A draw has 1 bonus number; 0 given. The draw was not recorded.");

    const std::string broken = "2026-12-05  03 11 24 30 41\r\n";
    folder.write("P.HIT", broken);
    const DrawRecording onBroken = recordGameDraw(path, kPowerball, {2026, 12, 9, {1, 2, 3, 4, 5}, {7}});
    EXPECT_EQ(onBroken.outcome, DrawRecording::Outcome::Failed);
    EXPECT_NE(onBroken.error.find("Line 1 of the history file " + path), std::string::npos) << onBroken.error;
    EXPECT_EQ(contentsOf(path), broken);
}
