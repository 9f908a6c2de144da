#include "wheel/RunPreparation.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(NormaliseForRun, OnesTensAndDifference) {
    FilterControls controls;
    controls.ones[0] = "";
    controls.ones[1] = "9";
    controls.ones[2] = "-2.7";
    controls.tens[0] = "";
    controls.tens[1] = "-1";
    controls.tens[2] = "7";
    controls.tens[3] = "3.9";
    controls.maxDif = "-12.8";
    EXPECT_TRUE(normaliseForRun(controls).empty());
    EXPECT_EQ(controls.ones[0], "0");
    EXPECT_EQ(controls.ones[1], "6");
    EXPECT_EQ(controls.ones[2], "2");
    EXPECT_EQ(controls.tens[0], "6");
    EXPECT_EQ(controls.tens[1], "6");
    EXPECT_EQ(controls.tens[2], "6");
    EXPECT_EQ(controls.tens[3], "3");
    EXPECT_EQ(controls.maxDif, "12");
}

TEST(NormaliseForRun, SumChecksComeLast) {
    FilterControls controls;
    controls.minSum = "30";
    controls.maxSum = "20";
    EXPECT_EQ(normaliseForRun(controls).size(), 2u);
    EXPECT_EQ(controls.minSum, "21");
    EXPECT_EQ(controls.maxSum, "279");
}

TEST(RunTables, HistoryIsReadOnlyWhenAFilterNeedsIt) {
    TempFolder folder;
    RunTables tables;
    EXPECT_FALSE(readRunTables(FilterControls{}, folder.file("absent.HIT"), tables).has_value());
    EXPECT_FALSE(tables.lastDraw.has_value());
}

TEST(RunTables, LastDrawSignaturesAndIndex) {
    TempFolder folder;
    const std::string path = folder.write(
        "h.HIT", "010199  01 02 03 04 05 06\r\n020199  02 04 06 08 10 12\r\n030199  03 11 17 25 38 44\r\n");
    FilterControls controls;
    controls.lastDrawNumMax = "2";
    controls.evensSignatures = 1;
    controls.filterAgainstHistory = 1;
    controls.maxFromHistory = "5";
    RunTables tables;
    ASSERT_FALSE(readRunTables(controls, path, tables).has_value());
    EXPECT_EQ(tables.lastDraw, (std::array<int, 6>{3, 11, 17, 25, 38, 44}));
    // Three draws only: their three signatures and nothing else.
    EXPECT_EQ(std::popcount(tables.forbiddenSignatures), 3);
    EXPECT_FALSE(tables.history.CheckAgainstHistory({2, 4, 6, 8, 10, 12}));
}

TEST(RunTables, HistoryProblemsStopTheRunWithTheFileNamed) {
    TempFolder folder;
    FilterControls controls;
    controls.evensSignatures = 1;
    RunTables tables;
    const std::string missing = folder.file("absent.HIT");
    auto notice = readRunTables(controls, missing, tables);
    ASSERT_TRUE(notice.has_value());
    EXPECT_NE(notice->text.find(missing), std::string::npos);

    const std::string bad = folder.write("bad.HIT", "010199  01 02 03 04 05 06\r\nrubbish\r\n");
    notice = readRunTables(controls, bad, tables);
    ASSERT_TRUE(notice.has_value());
    EXPECT_NE(notice->text.find("Line 2"), std::string::npos);

    FilterControls lastDraw;
    lastDraw.lastDrawNumMaxPos = "3";
    const std::string empty = folder.write("empty.HIT", "");
    notice = readRunTables(lastDraw, empty, tables);
    ASSERT_TRUE(notice.has_value());
    EXPECT_NE(notice->text.find("holds no draw"), std::string::npos);
}
