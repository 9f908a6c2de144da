#include "reports/ReportJob.h"

#include "reports/NumberLinesReport.h"
#include "reports/ReportHistory.h"
#include "reports/SkipHitReport.h"

#include "support/SampleReportDraws.h"
#include "support/TempFolder.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

const ReportSources kSample{ORVANE_SAMPLE_HISTORY, ""};

// The text the engine's own report function gives for the sample, to compare a job with.
std::string directText(ReportKind kind) {
    switch (kind) {
    case ReportKind::NumberCount: return numberCountReport(sampleReportDraws()).text;
    case ReportKind::Midpoint: return midpointReport(sampleReportDraws()).text;
    case ReportKind::SpanOfSet: return spanOfSetReport(sampleReportDraws()).text;
    case ReportKind::SumHits: return sumHitsReport(sampleReportDraws()).text;
    case ReportKind::SumOfSets: return sumOfSetsReport(sampleReportDraws()).text;
    case ReportKind::EvensSignature: return evensSignatureReport(sampleReportDraws()).text;
    case ReportKind::NumberLines: return numberLinesReport(sampleReportDraws()).text;
    case ReportKind::SkipHit: return skipHitReport(sampleReportDraws()).text;
    case ReportKind::HistoryViewer: return contentsOf(ORVANE_SAMPLE_HISTORY);
    case ReportKind::OutputViewer: return {};
    }
    return {};
}

struct Pieces {
    std::vector<ReportPiece> pieces;
    std::string shown; // the text area after every piece, starting from "earlier"
};

// Steps a job with a small piece size, applying each piece to a text area
// that held `earlier`.
Pieces stepThrough(ReportJob& job, std::size_t most, const std::string& earlier = {}) {
    Pieces result{{}, earlier};
    for (int guard = 0; !job.ended() && guard < 1'000'000; ++guard) {
        ReportPiece piece = job.step(std::chrono::milliseconds(15), most);
        if (piece.replaces) result.shown.clear();
        result.shown += piece.text;
        if (!piece.text.empty()) result.pieces.push_back(std::move(piece));
    }
    return result;
}

std::string historyOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

} // namespace

TEST(ReportCaptions, EveryReportIsFoundByItsOwnCaptionOnly) {
    const std::vector<std::string> expected = {"Historic Number Count",     "View & Manipulate Output File",
                                               "Midpoint Analysis Report",  "Span of Set Calculator",
                                               "View & Manipulate History", "Sum Hits Counter",
                                               "Number Lines Calculator",   "Evens Signature Calculator",
                                               "Sum of Sets Calculator",    "Skip/Hit Report"};
    std::vector<std::string> captions;
    for (ReportKind kind : everyReport()) {
        captions.push_back(reportCaption(kind));
        EXPECT_EQ(reportForCaption(reportCaption(kind)), kind);
        EXPECT_FALSE(reportForCaption(runningCaption(kind)).has_value()) << runningCaption(kind);
    }
    EXPECT_EQ(captions, expected);
    // The menu's texts, other cases and near misses name no report.
    for (const char* caption : {"Sum Hits Report", "General Historic Number Count", "historic number count",
                                "Historic Number Count ", "View && Manipulate History", "", "A-F Span of Set Report"})
        EXPECT_FALSE(reportForCaption(caption).has_value()) << caption;
}

TEST(ReportCaptions, RunningCaptionsCarryTheirSuffix) {
    EXPECT_EQ(runningCaption(ReportKind::NumberCount), "Historic Number Count - Working...");
    EXPECT_EQ(runningCaption(ReportKind::Midpoint), "Midpoint Analysis Report - Calculating...");
    EXPECT_EQ(runningCaption(ReportKind::HistoryViewer), "View & Manipulate History - Loading History...");
    EXPECT_EQ(runningCaption(ReportKind::OutputViewer), "View & Manipulate Output File - Loading File...");
    EXPECT_EQ(runningCaption(ReportKind::NumberLines), "Number Lines Calculator - Working...");
    EXPECT_EQ(runningCaption(ReportKind::SkipHit), "Skip/Hit Report - Working...");
}

// Whatever the piece size, the pieces put together are the report's own text,
// each cut after a line end.
TEST(ReportJobPieces, PiecesMakeUpTheReportsTextOnTheSample) {
    for (ReportKind kind : everyReport()) {
        if (kind == ReportKind::OutputViewer) continue;
        for (std::size_t most : {std::size_t{1}, std::size_t{700}, std::size_t{1} << 30}) {
            ReportJob job(kind, kSample);
            const Pieces result = stepThrough(job, most);
            EXPECT_EQ(result.shown, directText(kind)) << reportCaption(kind) << ", pieces of " << most;
            EXPECT_FALSE(job.problem().has_value());
            for (const ReportPiece& piece : result.pieces) {
                ASSERT_EQ(piece.text.back(), '\n') << reportCaption(kind);
                if (most > 1) {
                    EXPECT_LE(piece.text.size(), most) << reportCaption(kind);
                }
            }
            if (most == 1) {
                EXPECT_EQ(result.pieces.size(), linesOf(result.shown, "").size()) << reportCaption(kind);
            }
        }
    }
}

// Begin twice: a replacing report shows once, an appending report twice.
TEST(ReportJobPieces, OnlyTheFirstPieceOfAReplacingReportReplaces) {
    for (ReportKind kind : everyReport()) {
        if (kind == ReportKind::OutputViewer) continue;
        ReportJob first(kind, kSample);
        const std::string once = stepThrough(first, 4096).shown;
        ReportJob second(kind, kSample);
        const Pieces again = stepThrough(second, 4096, once);
        const bool replaces = reportReplacesText(kind);
        EXPECT_EQ(replaces,
                  kind == ReportKind::NumberCount || kind == ReportKind::NumberLines || kind == ReportKind::SkipHit)
            << reportCaption(kind);
        EXPECT_EQ(again.shown, replaces ? once : once + once) << reportCaption(kind);
        ASSERT_GT(again.pieces.size(), 0u);
        EXPECT_EQ(again.pieces.front().replaces, replaces) << reportCaption(kind);
        for (std::size_t i = 1; i < again.pieces.size(); ++i) EXPECT_FALSE(again.pieces[i].replaces);
    }
}

TEST(ReportJobPieces, ALineLongerThanAPieceIsGivenWhole) {
    TempFolder folder;
    const std::string longLine = "010199  01 02 03 04 05 06" + std::string(300, ' ');
    const std::string path = folder.write("long.HIT", longLine + "\r\n050199  07 08 09 10 11 12\r\n");
    ReportJob job(ReportKind::HistoryViewer, {path, ""});
    const Pieces result = stepThrough(job, 40);
    ASSERT_EQ(result.pieces.size(), 2u);
    EXPECT_EQ(result.pieces[0].text, longLine + "\r\n");
    EXPECT_EQ(result.shown, longLine + "\r\n050199  07 08 09 10 11 12\r\n");
}

TEST(ReportJobPieces, OutputViewerShowsTheFileInPieces) {
    TempFolder folder;
    std::string file;
    std::string expected;
    for (int i = 1; i <= 5000; ++i) {
        const int a = 1 + i % 40;
        file += std::to_string(a) + " 41 42 43 44 45\r\n";
        if (a < 10) expected += '0';
        expected += std::to_string(a) + " 41 42 43 44 45\r\n";
    }
    const std::string path = folder.write("out.TB", file);
    ReportJob job(ReportKind::OutputViewer, {"", path});
    const Pieces result = stepThrough(job, 1800);
    EXPECT_EQ(result.shown, expected);
    EXPECT_GT(result.pieces.size(), 40u);
    EXPECT_FALSE(job.problem().has_value());
    EXPECT_EQ(ReportJob(ReportKind::OutputViewer, {"", path}).runToEnd(), expected);
}

// Missing and malformed files: the message, and no text at all.
TEST(ReportJobProblems, MissingFilesGiveTheCannotExecuteMessage) {
    TempFolder folder;
    const std::string missing = folder.file("none.HIT");
    for (ReportKind kind : everyReport()) {
        ReportJob job(kind, {missing, missing});
        EXPECT_EQ(job.runToEnd(), "") << reportCaption(kind);
        EXPECT_TRUE(job.ended());
        ASSERT_TRUE(job.problem().has_value()) << reportCaption(kind);
        EXPECT_EQ(job.problem()->title, "Cannot Execute Command");
        EXPECT_EQ(job.problem()->text, "The file " + missing +
                                           " could not be opened.  It may not exist, has been renamed, or is "
                                           "currently in use by some other process.");
        EXPECT_FALSE(job.table().has_value());
    }
}

TEST(ReportJobProblems, AMalformedHistoryNamesItsLineAndGivesNoText) {
    TempFolder folder;
    const std::string path =
        folder.write("bad.HIT", historyOf({"010199  01 02 03 04 05 06", "020199  01 02 03 04 05 50"}));
    for (ReportKind kind : everyReport()) {
        if (kind == ReportKind::OutputViewer || kind == ReportKind::HistoryViewer) continue;
        ReportJob job(kind, {path, ""});
        EXPECT_EQ(stepThrough(job, 100).shown, "") << reportCaption(kind);
        ASSERT_TRUE(job.problem().has_value()) << reportCaption(kind);
        EXPECT_NE(job.problem()->text.find("Line 2"), std::string::npos) << job.problem()->text;
        EXPECT_NE(job.problem()->text.find(path), std::string::npos) << job.problem()->text;
    }
    // The viewer shows the file as it stands, for the user to see the bad line.
    ReportJob viewer(ReportKind::HistoryViewer, {path, ""});
    EXPECT_EQ(viewer.runToEnd(), contentsOf(path));
    EXPECT_FALSE(viewer.problem().has_value());
}

// The counting tables behind the charts and the CSV.
TEST(ReportJobTables, TablesOfTheCountingReports) {
    for (ReportKind kind : everyReport()) {
        ReportJob job(kind, {ORVANE_SAMPLE_HISTORY, ORVANE_SAMPLE_HISTORY});
        job.runToEnd();
        EXPECT_EQ(job.table().has_value(), reportHasTable(kind)) << reportCaption(kind);
        if (!job.table()) continue;
        EXPECT_EQ(job.table()->draws, 599u);
        EXPECT_EQ(job.table()->title, reportCaption(kind) + " of 599 draws");
    }
    const auto tableOf = [](ReportKind kind) {
        ReportJob job(kind, kSample);
        job.runToEnd();
        return *job.table();
    };
    const auto total = [](const ReportTable& table) {
        std::uint64_t sum = 0;
        for (const ValueCount& row : table.rows) sum += row.count;
        return sum;
    };
    const ReportTable numbers = tableOf(ReportKind::NumberCount);
    EXPECT_EQ(numbers.rows.size(), 49u);
    EXPECT_EQ(total(numbers), 6u * 599);
    const ReportTable spans = tableOf(ReportKind::SpanOfSet);
    EXPECT_EQ(spans.rows.front().value, 5);
    EXPECT_EQ(spans.rows.back().value, 48);
    const ReportTable sums = tableOf(ReportKind::SumHits);
    EXPECT_EQ(sums.rows.size(), 259u);
    EXPECT_EQ(total(sums), 599u);
    const ReportTable evens = tableOf(ReportKind::EvensSignature);
    EXPECT_EQ(evens.rows.size(), 7u);
    EXPECT_EQ(total(evens), 599u);
    const ReportTable skips = tableOf(ReportKind::SkipHit);
    ASSERT_EQ(skips.rows.size(), 49u);
    const SkipHitReport direct = skipHitReport(sampleReportDraws());
    for (std::size_t i = 0; i < 49; ++i) {
        EXPECT_EQ(skips.rows[i].value, direct.currentSkips[i].first);
        EXPECT_EQ(skips.rows[i].count, direct.currentSkips[i].second);
    }
    // The skip/hit table names its columns in a line of its text; the other
    // counting reports' lines say what they count.
    ASSERT_EQ(skips.headingLines.size(), 1u);
    EXPECT_EQ(skips.headingLines[0], direct.columnHeading);
    EXPECT_TRUE(skips.headingLines[0].starts_with("No  Drawn  Current"));
    for (const ReportTable& table : {numbers, spans, sums, evens})
        EXPECT_TRUE(table.headingLines.empty()) << table.title;
}

TEST(ReportJobTables, CsvHasAHeaderAndOneRowPerValue) {
    TempFolder folder;
    const std::string path = folder.write("one.HIT", historyOf({"061299  03 11 24 30 41 49"}));
    const auto csvOf = [&path](ReportKind kind) {
        ReportJob job(kind, {path, ""});
        job.runToEnd();
        return linesOf(tableCsv(*job.table()), "<no line end>");
    };
    const auto numbers = csvOf(ReportKind::NumberCount);
    ASSERT_EQ(numbers.size(), 50u);
    EXPECT_EQ(numbers[0], "Number,Count");
    EXPECT_EQ(numbers[1], "1,0");
    EXPECT_EQ(numbers[3], "3,1");
    EXPECT_EQ(numbers[49], "49,1");
    EXPECT_EQ(csvOf(ReportKind::SpanOfSet)[0], "Span,Count");
    EXPECT_EQ(csvOf(ReportKind::SpanOfSet)[46 - 5 + 1], "46,1");
    EXPECT_EQ(csvOf(ReportKind::SumHits).size(), 260u);
    EXPECT_EQ(csvOf(ReportKind::EvensSignature)[0], "Evens,Count");
    EXPECT_EQ(csvOf(ReportKind::EvensSignature)[3], "2,1");
    const auto skips = csvOf(ReportKind::SkipHit);
    EXPECT_EQ(skips[0], "Number,Current skip");
    EXPECT_EQ(skips[3], "3,0");
    EXPECT_EQ(skips[1], "1,1");
}
