#include "reports/HistoryReports.h"

#include "support/SampleReportDraws.h"
#include "support/TempFolder.h"

#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>

using namespace orvane;

namespace {

const std::vector<ReportDraw> kOneDraw = {{3, 11, 24, 30, 41, 49}};
const std::vector<ReportDraw> kLowestDraw = {{1, 2, 3, 4, 5, 6}};

const std::vector<HistoryReportKind> kAllKinds = {HistoryReportKind::NumberCount, HistoryReportKind::Midpoint,
                                                  HistoryReportKind::SpanOfSet,   HistoryReportKind::SumHits,
                                                  HistoryReportKind::SumOfSets,   HistoryReportKind::EvensSignature};

bool holdsLine(const std::string& text, const std::string& line) {
    const auto lines = linesOf(text, "<no line end>");
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::uint64_t totalOf(const std::vector<ValueCount>& counts) {
    std::uint64_t total = 0;
    for (const ValueCount& row : counts) total += row.count;
    return total;
}

} // namespace

// The texts of a one-draw history "061299  03 11 24 30 41 49".
TEST(HistoryReportTexts, OneDrawNumberCount) {
    const HistoryReportResult result = numberCountReport(kOneDraw);
    const auto lines = linesOf(result.text, "<no line end>");
    ASSERT_EQ(lines.size(), 51u);
    EXPECT_EQ(lines[0], "There are currently 1 draws recorded in the history file.");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "01 has been drawn 000 times.");
    EXPECT_EQ(lines[4], "03 has been drawn 001 times.");
    EXPECT_EQ(lines[14], "13 has been drawn 000 times.");
    EXPECT_EQ(lines[50], "49 has been drawn 001 times.");
}

TEST(HistoryReportTexts, OneDrawMidpoint) { EXPECT_EQ(midpointReport(kOneDraw).text, "---+++  3\r\n"); }

TEST(HistoryReportTexts, OneDrawSpanOfSet) {
    const std::string text = spanOfSetReport(kOneDraw).text;
    const auto lines = linesOf(text, "<no line end>");
    ASSERT_EQ(lines.size(), 46u);
    EXPECT_EQ(lines[0], "001  46");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Span of 05 played 000 times.");
    EXPECT_EQ(lines[43], "Span of 46 played 001 times.");
    EXPECT_EQ(lines[45], "Span of 48 played 000 times.");
    EXPECT_EQ(text.substr(0, 41), "001  46\r\n\r\nSpan of 05 played 000 times.\r\n");
}

TEST(HistoryReportTexts, OneDrawSumHits) {
    const auto lines = linesOf(sumHitsReport(kOneDraw).text, "<no line end>");
    ASSERT_EQ(lines.size(), 259u);
    EXPECT_EQ(lines.front(), "021  00");
    EXPECT_EQ(lines[158 - 21], "158  01");
    EXPECT_EQ(lines.back(), "279  00");
}

TEST(HistoryReportTexts, OneDrawSumOfSets) { EXPECT_EQ(sumOfSetsReport(kOneDraw).text, "001: 158\r\n"); }

TEST(HistoryReportTexts, OneDrawEvensSignature) {
    EXPECT_EQ(evensSignatureReport(kOneDraw).text, "Set 001: OOEEOO (2)\r\n");
}

TEST(HistoryReportTexts, LowestDrawGivesSpanFiveSumTwentyOneAndSixBelowTheMidpoint) {
    EXPECT_EQ(midpointReport(kLowestDraw).text, "------  6\r\n");
    EXPECT_EQ(sumOfSetsReport(kLowestDraw).text, "001: 021\r\n");
    EXPECT_TRUE(holdsLine(sumHitsReport(kLowestDraw).text, "021  01"));
    const std::string span = spanOfSetReport(kLowestDraw).text;
    EXPECT_TRUE(holdsLine(span, "001  05"));
    EXPECT_TRUE(holdsLine(span, "Span of 05 played 001 times."));
    EXPECT_EQ(evensSignatureReport(kLowestDraw).text, "Set 001: OEOEOE (3)\r\n");
}

TEST(HistoryReportTexts, TheHighestDrawGivesSpanFiveAndSumTwoSeventyNine) {
    const std::vector<ReportDraw> highest = {{44, 45, 46, 47, 48, 49}};
    EXPECT_EQ(midpointReport(highest).text, "++++++  0\r\n");
    EXPECT_TRUE(holdsLine(sumHitsReport(highest).text, "279  01"));
    EXPECT_TRUE(holdsLine(spanOfSetReport(highest).text, "Span of 05 played 001 times."));
}

TEST(HistoryReportTexts, CountersWiderThanTheirPaddingKeepEveryDigit) {
    const std::vector<ReportDraw> draws(1234, ReportDraw{3, 11, 24, 30, 41, 49});
    EXPECT_TRUE(holdsLine(numberCountReport(draws).text, "03 has been drawn 1234 times."));
    EXPECT_TRUE(
        holdsLine(numberCountReport(draws).text, "There are currently 1234 draws recorded in the history file."));
    EXPECT_TRUE(holdsLine(sumHitsReport(draws).text, "158  1234"));
    const auto span = linesOf(spanOfSetReport(draws).text, "<no line end>");
    EXPECT_EQ(span[999], "1000  46");
    EXPECT_EQ(span[1233], "1234  46");
    EXPECT_EQ(linesOf(sumOfSetsReport(draws).text, "<no line end>")[1233], "1234: 158");
    EXPECT_EQ(linesOf(evensSignatureReport(draws).text, "<no line end>")[1233], "Set 1234: OOEEOO (2)");
}

TEST(HistoryReportTexts, AnEmptyHistoryCountsNothing) {
    const std::vector<ReportDraw> none;
    const auto count = linesOf(numberCountReport(none).text, "<no line end>");
    ASSERT_EQ(count.size(), 51u);
    EXPECT_EQ(count[0], "There are currently 0 draws recorded in the history file.");
    EXPECT_EQ(midpointReport(none).text, "");
    EXPECT_EQ(sumOfSetsReport(none).text, "");
    EXPECT_EQ(evensSignatureReport(none).text, "");
    EXPECT_EQ(linesOf(spanOfSetReport(none).text, "<no line end>").size(), 45u);
    EXPECT_EQ(linesOf(sumHitsReport(none).text, "<no line end>").size(), 259u);
}

TEST(HistoryReportTexts, EveryLineEndsWithCarriageReturnAndLineFeed) {
    for (HistoryReportKind kind : kAllKinds) {
        const std::string text = historyReport(kind, sampleReportDraws()).text;
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                EXPECT_EQ(text[i - 1], '\r') << "report " << static_cast<int>(kind) << " at " << i;
            }
            if (text[i] == '\r') {
                EXPECT_EQ(text[i + 1], '\n') << "report " << static_cast<int>(kind) << " at " << i;
            }
        }
    }
}

TEST(HistoryReportTexts, SampleHistoryLineCounts) {
    EXPECT_EQ(linesOf(numberCountReport(sampleReportDraws()).text, "<no line end>").size(), 51u);
    EXPECT_EQ(linesOf(midpointReport(sampleReportDraws()).text, "<no line end>").size(), 599u);
    EXPECT_EQ(linesOf(spanOfSetReport(sampleReportDraws()).text, "<no line end>").size(), 599u + 1 + 44);
    EXPECT_EQ(linesOf(sumHitsReport(sampleReportDraws()).text, "<no line end>").size(), 259u);
    EXPECT_EQ(linesOf(sumOfSetsReport(sampleReportDraws()).text, "<no line end>").size(), 599u);
    EXPECT_EQ(linesOf(evensSignatureReport(sampleReportDraws()).text, "<no line end>").size(), 599u);
    EXPECT_EQ(linesOf(sumOfSetsReport(sampleReportDraws()).text, "<no line end>").back(), "599: 171");
}

// Which reports replace the text area and which append to it.
TEST(HistoryReportPlacement, OnlyTheNumberCountReplacesTheText) {
    for (HistoryReportKind kind : kAllKinds) {
        EXPECT_EQ(historyReport(kind, kOneDraw).replacesText, kind == HistoryReportKind::NumberCount)
            << "report " << static_cast<int>(kind);
    }
}

// The tables of the counting reports, for charts and CSV.
TEST(HistoryReportTables, NumberCountsSumToSixTimesTheDraws) {
    const HistoryReportResult result = numberCountReport(sampleReportDraws());
    ASSERT_EQ(result.counts.size(), 49u);
    EXPECT_EQ(result.counts.front().value, 1);
    EXPECT_EQ(result.counts.back().value, 49);
    EXPECT_EQ(totalOf(result.counts), 6u * 599u);
}

TEST(HistoryReportTables, EveryDrawIsCountedOnceInTheSpanSumAndEvensTables) {
    const HistoryReportResult span = spanOfSetReport(sampleReportDraws());
    ASSERT_EQ(span.counts.size(), 44u);
    EXPECT_EQ(span.counts.front().value, 5);
    EXPECT_EQ(span.counts.back().value, 48);
    EXPECT_EQ(totalOf(span.counts), 599u);

    const HistoryReportResult sums = sumHitsReport(sampleReportDraws());
    ASSERT_EQ(sums.counts.size(), 259u);
    EXPECT_EQ(sums.counts.front().value, 21);
    EXPECT_EQ(sums.counts.back().value, 279);
    EXPECT_EQ(totalOf(sums.counts), 599u);

    const HistoryReportResult evens = evensSignatureReport(sampleReportDraws());
    ASSERT_EQ(evens.counts.size(), 7u);
    EXPECT_EQ(evens.counts.front().value, 0);
    EXPECT_EQ(evens.counts.back().value, 6);
    EXPECT_EQ(totalOf(evens.counts), 599u);
}

TEST(HistoryReportTables, TheTableAgreesWithTheText) {
    const HistoryReportResult result = numberCountReport(sampleReportDraws());
    const auto lines = linesOf(result.text, "<no line end>");
    for (const ValueCount& row : result.counts) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%02d has been drawn %03llu times.", row.value,
                      static_cast<unsigned long long>(row.count));
        EXPECT_EQ(lines[static_cast<std::size_t>(row.value) + 1], expected);
    }
    const HistoryReportResult evens = evensSignatureReport(kOneDraw);
    EXPECT_EQ(evens.counts[2], (ValueCount{2, 1}));
}

TEST(HistoryReportTables, ReportsOfOneDrawPerLineHaveNoTable) {
    EXPECT_TRUE(midpointReport(kOneDraw).counts.empty());
    EXPECT_TRUE(sumOfSetsReport(kOneDraw).counts.empty());
}

TEST(HistoryReportTables, ValuesOutsideATableAreLeftOut) {
    // Draws that a history read never gives: nothing is counted out of range.
    const std::vector<ReportDraw> odd = {{0, 2, 3, 4, 5, 50}, {7, 7, 7, 7, 7, 7}};
    const HistoryReportResult numbers = numberCountReport(odd);
    EXPECT_EQ(totalOf(numbers.counts), 4u + 6u);
    EXPECT_EQ(totalOf(spanOfSetReport(odd).counts), 0u);
    EXPECT_EQ(totalOf(sumHitsReport(odd).counts), 2u);
}

// The reports compute in memory: a user's own work file is never touched.
TEST(HistoryReportFiles, AUsersTempFilIsLeftAsItWas) {
    TempFolder folder;
    const std::string history =
        folder.write("FL6-49.HIT", "061299  03 11 24 30 41 49\r\n010199  01 02 03 04 05 06\r\n");
    const std::string mine = "my own notes\r\nkept here\r\n";
    folder.write("temp.fil", mine);
    const auto before = std::filesystem::last_write_time(folder.file("temp.fil"));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    for (HistoryReportKind kind : kAllKinds) {
        const ReportHistory read = readReportHistory(history);
        ASSERT_TRUE(read.ok());
        historyReport(kind, read.draws);
    }
    std::filesystem::current_path(previous);
    EXPECT_EQ(contentsOf(folder.file("temp.fil")), mine);
    EXPECT_EQ(std::filesystem::last_write_time(folder.file("temp.fil")), before);
    std::filesystem::remove(folder.file("temp.fil"));
    std::filesystem::current_path(folder.path());
    for (HistoryReportKind kind : kAllKinds) historyReport(kind, readReportHistory(history).draws);
    std::filesystem::current_path(previous);
    EXPECT_FALSE(std::filesystem::exists(folder.file("temp.fil")));
}

// Each report is linear in the draws: a long synthetic history is quick.
TEST(HistoryReportSize, SixtyThousandDrawsGiveOneLinePerDraw) {
    std::vector<ReportDraw> draws;
    draws.reserve(60000);
    for (int i = 0; i < 60000; ++i) {
        const int a = 1 + i % 44;
        draws.push_back({a, a + 1, a + 2, a + 3, a + 4, a + 5});
    }
    EXPECT_EQ(linesOf(sumOfSetsReport(draws).text, "<no line end>").size(), 60000u);
    EXPECT_EQ(totalOf(numberCountReport(draws).counts), 360000u);
    EXPECT_EQ(totalOf(spanOfSetReport(draws).counts), 60000u);
}
