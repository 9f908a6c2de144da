#pragma once

#include "core/Game.h"
#include "core/Notice.h"
#include "reports/HistoryReports.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class OutputViewer;

// Every report of the report window, in the order its caption is looked up.
enum class ReportKind {
    NumberCount,
    OutputViewer,
    Midpoint,
    SpanOfSet,
    HistoryViewer,
    SumHits,
    NumberLines,
    EvensSignature,
    SumOfSets,
    SkipHit,
};

// The report a window caption names, the captions compared exactly; nothing
// for a caption that names none.
std::optional<ReportKind> reportForCaption(std::string_view caption);
// The window caption of a report ("Historic Number Count", "Skip/Hit Report", ...).
std::string reportCaption(ReportKind kind);
// The caption while the report runs ("Historic Number Count - Working...").
std::string runningCaption(ReportKind kind);
// Every report, in lookup order.
std::vector<ReportKind> everyReport();

// The table of a report that counts draws per value, for its chart and its CSV.
struct ReportTable {
    std::string title;        // the report and the number of draws it counted
    std::string valueHeading; // "Number", "Span", "Sum", "Evens"
    std::string countHeading; // "Count", "Current skip"
    std::vector<ValueCount> rows;
    std::uint64_t draws = 0;
    // The lines of the report's text that name its columns, without line
    // ends, so a printout can repeat them on every page; none for a report
    // whose lines say what they count.
    std::vector<std::string> headingLines;
};

// Whether the report gives a counting table: the number count, span, sum hits,
// evens signature and skip/hit reports.
bool reportHasTable(ReportKind kind);

// Whether the report's text replaces what the text area holds (the number
// count, number lines and skip/hit reports) rather than being appended to it.
bool reportReplacesText(ReportKind kind);

// The table as CSV: a header row of the two headings, one row per value, CR LF line ends.
std::string tableCsv(const ReportTable& table);

// The files a report reads.
struct ReportSources {
    std::string historyPath;
    std::string outputPath;
    Game game = Game::lotto649(); // whose lines the output file holds
};

// Text a report adds to the window's text area: it replaces what the area
// holds, or is appended to it. Lines end in CR LF.
struct ReportPiece {
    std::string text;
    bool replaces = false;
};

// One run of a report as a resumable job: step() works for about its budget
// and hands over the next piece of text, so a window can show the report as it
// comes, repaint between pieces and stop it at any of them. Whatever the
// report, the text handed over in order is exactly the report's text.
class ReportJob {
public:
    ReportJob(ReportKind kind, ReportSources sources);
    ~ReportJob();
    ReportJob(const ReportJob&) = delete;
    ReportJob& operator=(const ReportJob&) = delete;

    // Works for about `budget` and gives the text to add to the text area
    // since the last step, at most about `most` bytes, cut after a line end
    // (a longer single line is given whole). Empty text when there is none yet.
    ReportPiece step(std::chrono::nanoseconds budget, std::size_t most);
    // The whole text at once: what the window shows after the run on an empty text area.
    std::string runToEnd();

    // Every piece has been given, or the report failed.
    bool ended() const;
    ReportKind kind() const { return kind_; }
    // Why the report stopped short: a file that cannot be opened or read, a
    // malformed history, the output viewer's capacity. Text handed over before it stays.
    const std::optional<Notice>& problem() const { return problem_; }
    // The counting table, once the report has been computed; none for the
    // reports without one.
    const std::optional<ReportTable>& table() const { return table_; }

private:
    void compute();
    void readOutput(std::chrono::steady_clock::time_point deadline, std::size_t most);
    ReportPiece nextPiece(std::size_t most);

    ReportKind kind_;
    ReportSources sources_;
    bool computed_ = false;
    bool replaces_ = false;  // the next piece replaces the text area
    std::string text_;       // computed text not yet handed over
    std::size_t handed_ = 0; // bytes of text_ handed over
    std::unique_ptr<OutputViewer> viewer_;
    std::optional<Notice> problem_;
    std::optional<ReportTable> table_;
};

} // namespace orvane
