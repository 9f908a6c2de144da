#include "pool/PoolReport.h"

#include "core/Version.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(PoolReport, MinimumListsOneNumberPerLine) {
    EXPECT_EQ(minimumPoolText({7, 31, 12}), " 7 \r\n 31 \r\n 12 \r\n");
    EXPECT_EQ(minimumPoolText({}), "");
}

TEST(PoolReport, VerboseHeadingAndRanks) {
    const VerboseHeading heading{{5, 10, 7, 3}, "5", "10", "06/12/99", "21:04:05"};
    const std::string text = verbosePoolText({7, 31, 12, 49, 1, 23, 40}, heading);
    const std::vector<std::string> lines = linesOf(text, "<no line end>");
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "VN-Gathra, a Part of VN-Tambril, Version " + std::to_string(kVersionMajor) + "." +
                            std::to_string(kVersionMinor) + ", Build " + std::to_string(kVersionRevision));
    EXPECT_EQ(lines[1], "For entertainment only; no method changes the odds of a draw.");
    EXPECT_EQ(lines[2], "Requested Pool Size: 7");
    EXPECT_EQ(lines[3], "This number pool is good for the next 3 draw(s).");
    EXPECT_EQ(lines[4], "User specified trend length used: 5");
    EXPECT_EQ(lines[5], "User requested the use of the top 10 comparison groups.");
    EXPECT_EQ(lines[6], "Report Generated 06/12/99 at 21:04:05");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "1 - 7");
    EXPECT_EQ(lines[9], "2 - 31");
    EXPECT_EQ(lines[14], "7 - 40");
}

// The combo texts are quoted as typed, the numbers as values.
TEST(PoolReport, VerboseQuotesTheTypedTexts) {
    const VerboseHeading heading{{12, 20, 2, 1}, "12 draws", "20", "d", "t"};
    const std::vector<std::string> lines = linesOf(verbosePoolText({3, 4}, heading));
    EXPECT_EQ(lines[4], "User specified trend length used: 12 draws");
    EXPECT_EQ(lines[2], "Requested Pool Size: 2");
    EXPECT_EQ(lines.back(), "2 - 4");
}

TEST(PoolReport, SavedFormTrimsBlanksOnlyAtTheEnds) {
    EXPECT_EQ(savedPoolText(" 7 \r\n 31 \r\n"), "7 \r\n 31 \r\n\r\n");
    EXPECT_EQ(savedPoolText("  VN-Gathra  "), "VN-Gathra\r\n");
    EXPECT_EQ(savedPoolText("\r\n 7 "), "\r\n 7\r\n");
    EXPECT_EQ(savedPoolText("   "), "\r\n");
    EXPECT_EQ(savedPoolText(""), "\r\n");
}
