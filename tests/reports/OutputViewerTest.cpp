#include "reports/OutputViewer.h"
#include "tally/WinTally.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {
// Everything the viewer shows of `path`, read `most` sets at a time.
std::string shown(OutputViewer& viewer, std::uint64_t most = 1000) {
    std::string text;
    while (viewer.read(text, most)) {}
    return text;
}
} // namespace

TEST(OutputViewer, ShowsPlainAndNumberedSetsWithTwoDigits) {
    TempFolder folder;
    const std::string path = folder.write("out.TB", "3 11 24 30 41 49\r\n17 : 5 12 23 34 41 49\r\n1 2 3 4 5 6\n");
    OutputViewer viewer(path);
    EXPECT_EQ(shown(viewer), "03 11 24 30 41 49\r\n17 : 05 12 23 34 41 49\r\n01 02 03 04 05 06\r\n");
    EXPECT_EQ(viewer.setsShown(), 3u);
    EXPECT_FALSE(viewer.problem().has_value());
}

TEST(OutputViewer, ReadingInPartsShowsTheSameText) {
    TempFolder folder;
    std::string file;
    for (int f = 7; f <= 49; ++f) file += "1 2 3 4 5 " + std::to_string(f) + "\r\n";
    const std::string path = folder.write("out.TB", file);
    OutputViewer whole(path), parts(path);
    EXPECT_EQ(shown(parts, 2), shown(whole));
    EXPECT_EQ(parts.setsShown(), 43u);
}

TEST(OutputViewer, AMissingFileIsNamed) {
    TempFolder folder;
    OutputViewer viewer(folder.file("absent.TB"));
    std::string text = "kept";
    EXPECT_FALSE(viewer.read(text, 10));
    EXPECT_EQ(text, "kept");
    ASSERT_TRUE(viewer.problem().has_value());
    EXPECT_EQ(viewer.problem()->title, "Cannot Execute Command");
    EXPECT_EQ(viewer.problem()->text, "The file " + folder.file("absent.TB") +
                                          " could not be opened.  It may not exist, has been renamed, or is currently "
                                          "in use by some other process.");
}

TEST(OutputViewer, BeyondItsCapacityItKeepsWhatItShowedAndCountsIt) {
    TempFolder folder;
    const std::string path = folder.write("out.TB", "1 2 3 4 5 6\r\n1 2 3 4 5 7\r\n1 2 3 4 5 8\r\n1 2 3 4 5 9\r\n");
    OutputViewer exact(path, 4);
    shown(exact);
    EXPECT_FALSE(exact.problem().has_value());

    OutputViewer full(path, 3);
    EXPECT_EQ(shown(full), "01 02 03 04 05 06\r\n01 02 03 04 05 07\r\n01 02 03 04 05 08\r\n");
    ASSERT_TRUE(full.problem().has_value());
    EXPECT_EQ(full.problem()->title, "Operation Cannot Be Completed");
    EXPECT_NE(full.problem()->text.find("- 3 bets loaded for display."), std::string::npos);
}

TEST(OutputViewer, ALineWithoutASetIsNamedAndTheSetsBeforeItStay) {
    TempFolder folder;
    const std::string path = folder.write("out.TB", "1 2 3 4 5 6\r\n1 2 3 4 5\r\n1 2 3 4 5 8\r\n");
    OutputViewer viewer(path);
    EXPECT_EQ(shown(viewer), "01 02 03 04 05 06\r\n");
    ASSERT_TRUE(viewer.problem().has_value());
    EXPECT_NE(viewer.problem()->text.find("Line 2 of the wheel output file " + path), std::string::npos);
}

// A NUL byte in a line is part of the line: the line holds no set, whether the
// byte comes first or after six good numbers, and the line is named.
TEST(OutputViewer, ANulByteMakesItsLineNoSet) {
    TempFolder folder;
    for (const std::string& bad : {std::string("\0 3 4 5 6 7 8", 13), std::string("1 2 3 4 5 9\0 junk", 17)}) {
        const std::string path = folder.write("out.TB", "1 2 3 4 5 6\r\n" + bad + "\r\n1 2 3 4 5 8\r\n");
        OutputViewer viewer(path);
        EXPECT_EQ(shown(viewer), "01 02 03 04 05 06\r\n");
        ASSERT_TRUE(viewer.problem().has_value());
        EXPECT_NE(viewer.problem()->text.find("Line 2 of the wheel output file"), std::string::npos);
    }
}

// A line too long to be a set line (blanks before a set, or garbage without a
// line end) is named as no set and not kept; the win checker refuses the
// garbage line too.
TEST(OutputViewer, ALineTooLongForASetIsNoSet) {
    TempFolder folder;
    const std::string padded = std::string(OutputViewer::kLongestLine, ' ') + "1 2 3 4 5 7";
    const std::string garbage(std::size_t{1} << 20, 'x');
    for (const std::string& bad : {padded, garbage}) {
        const std::string path = folder.write("out.TB", "1 2 3 4 5 6\r\n" + bad + "\r\n1 2 3 4 5 8\r\n");
        OutputViewer viewer(path);
        EXPECT_EQ(shown(viewer), "01 02 03 04 05 06\r\n");
        ASSERT_TRUE(viewer.problem().has_value());
        EXPECT_NE(viewer.problem()->text.find("Line 2 of the wheel output file"), std::string::npos);
    }
    WinTallyJob check(folder.write("out.TB", "1 2 3 4 5 6\r\n" + garbage), std::uint64_t{1} << 1);
    check.runToEnd();
    ASSERT_TRUE(check.failure().has_value());
    EXPECT_NE(check.failure()->text.find("Line 2 of the wheel output file"), std::string::npos);
}

TEST(OutputViewer, ShowsAnotherGamesLinesWithTheirBonusNumbers) {
    TempFolder folder;
    const Game powerball = *gameFromMatrix("5/69+1/26");
    const std::string path = folder.write("pb.TB", "3 11 24 30 41 + 7\r\n2 : 5 12 23 34 69 + 26\r\n1 2 3 4 5\r\n");
    OutputViewer viewer(path, OutputViewer::kCapacity, powerball);
    EXPECT_EQ(shown(viewer), "03 11 24 30 41 + 07\r\n2 : 05 12 23 34 69 + 26\r\n01 02 03 04 05\r\n");
    EXPECT_FALSE(viewer.problem().has_value());
}

TEST(OutputViewer, ALineOfAnotherGameIsNamedWithTheGame) {
    TempFolder folder;
    const Game fantasy = *gameFromMatrix("5/39");
    // A 6/49 set in a 5/39 file: six numbers, one beyond the drum.
    const std::string path = folder.write("f5.TB", "1 2 3 4 5\r\n3 11 24 30 41 45\r\n");
    OutputViewer viewer(path, OutputViewer::kCapacity, fantasy);
    EXPECT_EQ(shown(viewer), "01 02 03 04 05\r\n");
    ASSERT_TRUE(viewer.problem().has_value());
    EXPECT_NE(viewer.problem()->text.find("Line 2 of the wheel output file " + path + " does not hold a line of " +
                                          fantasy.title()),
              std::string::npos);
}
