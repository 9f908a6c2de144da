#include "history/HistoryFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(HistoryRecords, SampleHistoryReadsEveryDraw) {
    HistoryRead read = readHistoryRecords(ORVANE_SAMPLE_HISTORY);
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.draws.size(), 599u);
    EXPECT_EQ(read.draws.front(), (DrawRecord{50788, {15, 17, 30, 42, 44, 49}}));
    EXPECT_EQ(read.draws.back(), (DrawRecord{102399, {11, 20, 23, 33, 37, 47}}));
}

TEST(HistoryRecords, SmallNumbersAndDateGroupReadAsNumbers) {
    TempFolder folder;
    std::string path = folder.write("one.HIT", "010299  01 02 03 04 05 06\r\n");
    HistoryRead read = readHistoryRecords(path);
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.draws.size(), 1u);
    EXPECT_EQ(read.draws[0].date, 10299);
    EXPECT_EQ(read.draws[0].numbers, (std::array<int, 6>{1, 2, 3, 4, 5, 6}));
}

TEST(HistoryRecords, AcceptsLfLineEndsAndAMissingFinalLineEnd) {
    TempFolder folder;
    std::string path = folder.write("lf.HIT", "010199  01 02 03 04 05 06\n020199  07 08 09 10 11 12");
    HistoryRead read = readHistoryRecords(path);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.draws.size(), 2u);
}

TEST(HistoryRecords, MalformedLinesAreReportedWithFileAndLine) {
    TempFolder folder;
    struct Case {
        std::string line;
        std::string says;
    };
    for (const Case& bad :
         {Case{"030199  01 02 03 04 05", "is not a draw record"},
          Case{"030199  01 02 03 04 05 06 07", "is not a draw record"},
          Case{"030199  01 02 0x 04 05 06", "is not a draw record"},
          Case{"030199  01 02 03 04 05 50", "outside 1 to 49"}, Case{"030199  00 02 03 04 05 06", "outside 1 to 49"}}) {
        std::string path =
            folder.write("bad.HIT", "010199  01 02 03 04 05 06\r\n020199  07 08 09 10 11 12\r\n" + bad.line + "\r\n");
        HistoryRead read = readHistoryRecords(path);
        EXPECT_FALSE(read.ok()) << bad.line;
        EXPECT_TRUE(read.draws.empty());
        EXPECT_NE(read.error.find("Line 3"), std::string::npos) << read.error;
        EXPECT_NE(read.error.find(path), std::string::npos) << read.error;
        EXPECT_NE(read.error.find(bad.says), std::string::npos) << read.error;
    }
}

// A damaged history (a megabyte of garbage without a line end, binary bytes)
// is refused with a message that quotes only the start of the line.
TEST(HistoryRecords, AGarbageLineIsQuotedInPart) {
    TempFolder folder;
    const std::string garbage = std::string("01\0\x01", 4) + std::string(std::size_t{1} << 20, 'x');
    const std::string path = folder.write("junk.HIT", "010199  01 02 03 04 05 06\r\n" + garbage);
    const HistoryRead read = readHistoryRecords(path);
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.error.find("Line 2 of the history file " + path), std::string::npos) << read.error;
    EXPECT_NE(read.error.find("\"01??xxx"), std::string::npos) << read.error;
    EXPECT_NE(read.error.find("...\"."), std::string::npos) << read.error;
    EXPECT_LT(read.error.size(), path.size() + 200);
}

TEST(HistoryRecords, MissingFileIsReportedWithItsPath) {
    TempFolder folder;
    const std::string path = folder.file("absent.HIT");
    EXPECT_NE(readHistoryRecords(path).error.find(path), std::string::npos);
    EXPECT_NE(readLastDrawDate(path).error.find(path), std::string::npos);
    EXPECT_NE(readHistoryLines(path).error.find(path), std::string::npos);
}

TEST(LastDrawDate, ShowsTheLastLinesDate) {
    EXPECT_EQ(readLastDrawDate(ORVANE_SAMPLE_HISTORY).text, "10-23-99");
    TempFolder folder;
    EXPECT_EQ(readLastDrawDate(folder.write("one.HIT", "061299  03 11 24 30 41 49\r\n")).text, "06-12-99");
    EXPECT_FALSE(readLastDrawDate(folder.write("empty.HIT", "")).ok());
    EXPECT_FALSE(readLastDrawDate(folder.write("short.HIT", "0612\r\n")).ok());
}

TEST(HistoryLines, ShowsEveryLineUnchanged) {
    HistoryLines lines = readHistoryLines(ORVANE_SAMPLE_HISTORY);
    ASSERT_TRUE(lines.ok());
    ASSERT_EQ(lines.lines.size(), 599u);
    EXPECT_EQ(lines.lines[0], "050788  15 17 30 42 44 49");
}

TEST(HistoryText, EachRecordsPlaceIsItsLineAndWhereTheNextLineStarts) {
    const std::string text = "010199  01 02 03 04 05 06\r\n\r\n020199  07 08 09 10 11 12\n030199  01 02 03 04 05 06";
    std::vector<RecordPlace> places;
    const HistoryRead read = readHistoryText(text, "h.HIT", &places);
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.draws.size(), 3u);
    EXPECT_EQ(places, (std::vector<RecordPlace>{{1, 0, 27}, {3, 29, 55}, {4, 55, text.size()}}));
    EXPECT_EQ(read.draws[1], (DrawRecord{20199, {7, 8, 9, 10, 11, 12}}));

    // A line that is not a record: the error names it, and no place is given.
    const HistoryRead bad = readHistoryText("010199  01 02 03 04 05 06\r\nnot a draw\r\n", "h.HIT", &places);
    EXPECT_EQ(bad.error.rfind("Line 2 of the history file h.HIT", 0), 0u) << bad.error;
    EXPECT_TRUE(bad.draws.empty());
    EXPECT_TRUE(places.empty());
}
