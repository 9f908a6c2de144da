#include "reports/ReportHistory.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orvane;

TEST(ReportHistory, SampleHistoryReadsEveryDrawAscending) {
    const ReportHistory read = readReportHistory(ORVANE_SAMPLE_HISTORY);
    ASSERT_TRUE(read.ok()) << read.failure->text;
    ASSERT_EQ(read.draws.size(), 599u);
    EXPECT_EQ(read.draws.front(), (ReportDraw{15, 17, 30, 42, 44, 49}));
    EXPECT_EQ(read.draws.back(), (ReportDraw{11, 20, 23, 33, 37, 47}));
    for (const ReportDraw& draw : read.draws) EXPECT_TRUE(std::is_sorted(draw.begin(), draw.end()));
}

TEST(ReportHistory, ARecordTypedInAnotherOrderIsReadSorted) {
    TempFolder folder;
    const std::string path = folder.write("desc.HIT", "061299  49 41 30 24 11 03\r\n061999  07 01 33 12 48 20\n");
    const ReportHistory read = readReportHistory(path);
    ASSERT_TRUE(read.ok()) << read.failure->text;
    ASSERT_EQ(read.draws.size(), 2u);
    EXPECT_EQ(read.draws[0], (ReportDraw{3, 11, 24, 30, 41, 49}));
    EXPECT_EQ(read.draws[1], (ReportDraw{1, 7, 12, 20, 33, 48}));
}

TEST(ReportHistory, AnEmptyHistoryHasNoDraws) {
    TempFolder folder;
    const ReportHistory read = readReportHistory(folder.write("empty.HIT", ""));
    EXPECT_TRUE(read.ok());
    EXPECT_TRUE(read.draws.empty());
}

TEST(ReportHistory, AMissingHistoryGivesTheCannotExecuteNotice) {
    TempFolder folder;
    const std::string path = folder.file("gone.HIT");
    const ReportHistory read = readReportHistory(path);
    ASSERT_FALSE(read.ok());
    EXPECT_TRUE(read.draws.empty());
    EXPECT_EQ(*read.failure,
              (Notice{"The file " + path +
                          " could not be opened.  It may not exist, has been renamed, or is currently in use by "
                          "some other process.",
                      "Cannot Execute Command", NoticeIcon::Exclamation}));
    EXPECT_EQ(*read.failure, historyNotOpenedNotice(path));
}

TEST(ReportHistory, MalformedLinesAreNamedWithFileAndLineAndGiveNoDraws) {
    TempFolder folder;
    struct Case {
        std::string line;
        std::string says;
    };
    for (const Case& bad :
         {Case{"030199  01 02 03 04 05", "is not a draw record"},
          Case{"030199  01 02 03 04 05 06 07", "is not a draw record"},
          Case{"030199  01 02 0x 04 05 06", "is not a draw record"},
          Case{"030199  01 02 03 04 05 50", "outside 1 to 49"}, Case{"030199  00 02 03 04 05 06", "outside 1 to 49"},
          Case{"030199  01 02 03 04 05 02", "holds the number 2 twice"}}) {
        // A blank line before the bad one: the line number still counts it.
        const std::string path = folder.write(
            "bad.HIT", "010199  01 02 03 04 05 06\r\n\r\n020199  07 08 09 10 11 12\r\n" + bad.line + "\r\n");
        const ReportHistory read = readReportHistory(path);
        ASSERT_FALSE(read.ok()) << bad.line;
        EXPECT_TRUE(read.draws.empty());
        EXPECT_NE(read.failure->text.find("Line 4 "), std::string::npos) << read.failure->text;
        EXPECT_NE(read.failure->text.find(path), std::string::npos) << read.failure->text;
        EXPECT_NE(read.failure->text.find(bad.says), std::string::npos) << read.failure->text;
        EXPECT_EQ(read.failure->icon, NoticeIcon::Exclamation);
    }
}
