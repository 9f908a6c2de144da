#include "reports/SkipHitReport.h"

#include "core/Combination.h"

#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvane;

namespace {

// Twelve draws with known gaps, oldest first. 10 and 41 come every time; 1 in
// draws 1, 3, 7 and 12; 2 in 2, 3 and 4; 3 only in 5; 20 in 1 and 12; 44 in
// every draw from 2 to 11 but 3; 45 in 6 and 8 to 11; 49 never.
const std::vector<Combination> kTwelveDraws{
    {1, 10, 20, 41, 42, 43},  // 1
    {2, 10, 41, 42, 43, 44},  // 2
    {1, 2, 10, 41, 42, 43},   // 3
    {2, 10, 41, 42, 43, 44},  // 4
    {3, 10, 41, 42, 43, 44},  // 5
    {10, 41, 42, 43, 44, 45}, // 6
    {1, 10, 41, 42, 43, 44},  // 7
    {10, 41, 42, 43, 44, 45}, // 8
    {10, 41, 42, 43, 44, 45}, // 9
    {10, 41, 42, 43, 44, 45}, // 10
    {10, 41, 42, 43, 44, 45}, // 11
    {1, 10, 20, 41, 42, 43},  // 12
};

const NumberSkips& figuresOf(const SkipHitReport& report, int number) {
    return report.numbers.at(static_cast<std::size_t>(number - 1));
}

// The report line of a number (lines 1 to 3 are the title, a blank and the headings).
std::string lineOf(const SkipHitReport& report, int number) {
    return linesOf(report.text).at(static_cast<std::size_t>(number + 2));
}

} // namespace

// The figures of each number on the hand-made history.

TEST(SkipHitFigures, ANumberWithSeveralGapsHasThemNewestFirst) {
    const SkipHitReport report = skipHitReport(kTwelveDraws);
    const NumberSkips& one = figuresOf(report, 1);
    EXPECT_EQ(one.number, 1);
    EXPECT_EQ(one.drawn, 4u);
    EXPECT_EQ(one.current, 0u); // in the latest draw
    EXPECT_EQ(one.longest, 4u); // draws 8 to 11
    ASSERT_TRUE(one.averageTenths.has_value());
    EXPECT_EQ(*one.averageTenths, 27u); // (1 + 3 + 4) / 3 = 2.67
    EXPECT_EQ(one.lastSkips, (std::vector<std::uint64_t>{4, 3, 1}));
}

TEST(SkipHitFigures, BackToBackDrawsAreSkipsOfZeroAndTheCurrentSkipCanBeTheLongest) {
    const NumberSkips two = figuresOf(skipHitReport(kTwelveDraws), 2);
    EXPECT_EQ(two.drawn, 3u);
    EXPECT_EQ(two.current, 8u); // draws 5 to 12
    EXPECT_EQ(two.longest, 8u);
    EXPECT_EQ(two.averageTenths, std::optional<std::uint64_t>{0});
    EXPECT_EQ(two.lastSkips, (std::vector<std::uint64_t>{0, 0}));
}

TEST(SkipHitFigures, ANumberDrawnOnceHasNoAverageAndNoSkips) {
    const NumberSkips three = figuresOf(skipHitReport(kTwelveDraws), 3);
    EXPECT_EQ(three.drawn, 1u);
    EXPECT_EQ(three.current, 7u);
    EXPECT_EQ(three.longest, 7u); // the draws before draw 5 are not a skip
    EXPECT_FALSE(three.averageTenths.has_value());
    EXPECT_TRUE(three.lastSkips.empty());
}

TEST(SkipHitFigures, ANeverDrawnNumberHasSkippedEveryDraw) {
    const NumberSkips never = figuresOf(skipHitReport(kTwelveDraws), 49);
    EXPECT_EQ(never.drawn, 0u);
    EXPECT_EQ(never.current, 12u);
    EXPECT_EQ(never.longest, 12u);
    EXPECT_FALSE(never.averageTenths.has_value());
    EXPECT_TRUE(never.lastSkips.empty());
}

TEST(SkipHitFigures, ANumberInEveryDrawListsOnlyItsTenNewestSkips) {
    const NumberSkips ten = figuresOf(skipHitReport(kTwelveDraws), 10);
    EXPECT_EQ(ten.drawn, 12u);
    EXPECT_EQ(ten.current, 0u);
    EXPECT_EQ(ten.longest, 0u);
    EXPECT_EQ(ten.averageTenths, std::optional<std::uint64_t>{0});
    EXPECT_EQ(ten.lastSkips, std::vector<std::uint64_t>(10, 0)); // of its 11 skips
}

TEST(SkipHitFigures, TheNewestTenAreTheOnesListed) {
    // 7 comes with skips 1, 2, ..., 11 and then 0: newest first 0, 11, 10, ..., 3.
    const Combination without{1, 2, 3, 4, 5, 6};
    const Combination with{1, 2, 3, 4, 5, 7};
    std::vector<Combination> draws{with};
    for (int skip = 1; skip <= 11; ++skip) {
        draws.insert(draws.end(), static_cast<std::size_t>(skip), without);
        draws.push_back(with);
    }
    draws.push_back(with);
    const NumberSkips seven = figuresOf(skipHitReport(draws), 7);
    EXPECT_EQ(seven.drawn, 13u);
    EXPECT_EQ(seven.lastSkips, (std::vector<std::uint64_t>{0, 11, 10, 9, 8, 7, 6, 5, 4, 3}));
    EXPECT_EQ(seven.longest, 11u);
    EXPECT_EQ(seven.averageTenths, std::optional<std::uint64_t>{55}); // 66 / 12
}

TEST(SkipHitFigures, AveragesRoundToTheNearestTenthHalvesUp) {
    const SkipHitReport report = skipHitReport(kTwelveDraws);
    EXPECT_EQ(figuresOf(report, 45).averageTenths, std::optional<std::uint64_t>{3}); // (1+0+0+0)/4 = 0.25
    EXPECT_EQ(figuresOf(report, 44).averageTenths, std::optional<std::uint64_t>{1}); // 1/8 = 0.125
    EXPECT_EQ(figuresOf(report, 20).averageTenths, std::optional<std::uint64_t>{100});
}

TEST(SkipHitFigures, AValueOutsideOneToFortyNineBelongsToNoNumber) {
    const std::vector<Combination> draws{{0, 2, 3, 4, 5, 50}, {-7, 2, 3, 4, 5, 99}};
    const SkipHitReport report = skipHitReport(draws);
    ASSERT_EQ(report.numbers.size(), 49u);
    EXPECT_EQ(figuresOf(report, 2).drawn, 2u);
    EXPECT_EQ(figuresOf(report, 1).drawn, 0u);
    EXPECT_EQ(figuresOf(report, 49).drawn, 0u);
}

// The text: title, headings, one fixed-column line per number, CR LF.

TEST(SkipHitText, GoldenLinesOfTheHandMadeHistory) {
    const SkipHitReport report = skipHitReport(kTwelveDraws);
    const auto lines = linesOf(report.text);
    ASSERT_EQ(lines.size(), 52u);
    EXPECT_EQ(lines[0], "Skip/Hit Report of 12 draws in the history file.");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "No  Drawn  Current  Longest  Average  Last ten skips, newest first");
    EXPECT_EQ(report.columnHeading, lines[2]);
    EXPECT_EQ(lines[3], "01      4        0        4      2.7   4  3  1");
    EXPECT_EQ(lines[4], "02      3        8        8      0.0   0  0");
    EXPECT_EQ(lines[5], "03      1        7        7        -");
    EXPECT_EQ(lines[12], "10     12        0        0      0.0   0  0  0  0  0  0  0  0  0  0");
    EXPECT_EQ(lines[22], "20      2        0       10     10.0  10");
    EXPECT_EQ(lines[47], "45      5        1        1      0.3   0  0  0  1");
    EXPECT_EQ(lines[51], "49      0       12       12        -");
}

TEST(SkipHitText, EveryLineEndsInCrLfWithoutTrailingBlanks) {
    const std::string text = skipHitReport(kTwelveDraws).text;
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (const std::string& line : linesOf(text)) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
        if (!line.empty()) {
            EXPECT_NE(line.back(), ' ') << '"' << line << '"';
        }
    }
}

TEST(SkipHitText, ColumnsWidenForAHistoryWithLongSkips) {
    // 100,000 draws: 7 only in the first and the last, 6 in all others.
    std::vector<Combination> draws(100'000, Combination{1, 2, 3, 4, 5, 6});
    draws.front() = {1, 2, 3, 4, 5, 7};
    draws.back() = {1, 2, 3, 4, 5, 7};
    const SkipHitReport report = skipHitReport(draws);
    const auto lines = linesOf(report.text);
    ASSERT_EQ(lines.size(), 52u);
    EXPECT_EQ(lines[0], "Skip/Hit Report of 100000 draws in the history file.");
    EXPECT_EQ(lines[2], "No   Drawn  Current  Longest   Average  Last ten skips, newest first");
    EXPECT_EQ(report.columnHeading, lines[2]);
    // The listed skips are as wide as the widest of them: 99998.
    EXPECT_EQ(lines[3], "01  100000        0        0       0.0      0     0     0     0     0     0     0     0     0"
                        "     0");
    EXPECT_EQ(lines[8], "06   99998        1        1       0.0      0     0     0     0     0     0     0     0     0"
                        "     0");
    EXPECT_EQ(lines[9], "07       2        0    99998   99998.0  99998");
    EXPECT_EQ(lines[51], "49       0   100000   100000         -");
}

TEST(SkipHitText, AnEmptyHistoryGivesZerosAndDashes) {
    const SkipHitReport report = skipHitReport({});
    const auto lines = linesOf(report.text);
    ASSERT_EQ(lines.size(), 52u);
    EXPECT_EQ(lines[0], "Skip/Hit Report of 0 draws in the history file.");
    EXPECT_EQ(lines[3], "01      0        0        0        -");
    EXPECT_EQ(report.draws, 0u);
}

TEST(SkipHitText, ReplacesTheTextArea) {
    const SkipHitReport report = skipHitReport(kTwelveDraws);
    EXPECT_TRUE(report.replacesText);
    EXPECT_EQ(report.draws, 12u);
    EXPECT_EQ(lineOf(report, 3), "03      1        7        7        -");
}

// The table of current skips, for the chart and the CSV.

TEST(SkipHitTable, HoldsEveryNumberWithItsCurrentSkip) {
    const SkipHitReport report = skipHitReport(kTwelveDraws);
    ASSERT_EQ(report.currentSkips.size(), 49u);
    for (int number = 1; number <= 49; ++number) {
        const auto& [value, count] = report.currentSkips[static_cast<std::size_t>(number - 1)];
        EXPECT_EQ(value, number);
        EXPECT_EQ(count, figuresOf(report, number).current);
    }
    EXPECT_EQ(report.currentSkips[0].second, 0u);
    EXPECT_EQ(report.currentSkips[1].second, 8u);
    EXPECT_EQ(report.currentSkips[48].second, 12u);
}
