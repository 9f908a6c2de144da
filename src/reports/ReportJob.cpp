#include "reports/ReportJob.h"

#include "core/LineEnd.h"
#include "history/HistoryFile.h"
#include "reports/NumberLinesReport.h"
#include "reports/OutputViewer.h"
#include "reports/ReportHistory.h"
#include "reports/SkipHitReport.h"

#include <array>
#include <limits>

namespace orvane {

namespace {

struct Captions {
    ReportKind kind;
    const char* caption;
    const char* running;
};

// The lookup order of the captions.
constexpr std::array<Captions, 10> kCaptions{{
    {ReportKind::NumberCount, "Historic Number Count", "Historic Number Count - Working..."},
    {ReportKind::OutputViewer, "View & Manipulate Output File", "View & Manipulate Output File - Loading File..."},
    {ReportKind::Midpoint, "Midpoint Analysis Report", "Midpoint Analysis Report - Calculating..."},
    {ReportKind::SpanOfSet, "Span of Set Calculator", "Span of Set Calculator - Working..."},
    {ReportKind::HistoryViewer, "View & Manipulate History", "View & Manipulate History - Loading History..."},
    {ReportKind::SumHits, "Sum Hits Counter", "Sum Hits Counter - Working..."},
    {ReportKind::NumberLines, "Number Lines Calculator", "Number Lines Calculator - Working..."},
    {ReportKind::EvensSignature, "Evens Signature Calculator", "Evens Signature Calculator - Working..."},
    {ReportKind::SumOfSets, "Sum of Sets Calculator", "Sum of Sets Calculator - Working..."},
    {ReportKind::SkipHit, "Skip/Hit Report", "Skip/Hit Report - Working..."},
}};

const Captions& captionsOf(ReportKind kind) {
    for (const Captions& entry : kCaptions)
        if (entry.kind == kind) return entry;
    return kCaptions.front();
}

std::optional<HistoryReportKind> historyKindOf(ReportKind kind) {
    switch (kind) {
    case ReportKind::NumberCount: return HistoryReportKind::NumberCount;
    case ReportKind::Midpoint: return HistoryReportKind::Midpoint;
    case ReportKind::SpanOfSet: return HistoryReportKind::SpanOfSet;
    case ReportKind::SumHits: return HistoryReportKind::SumHits;
    case ReportKind::SumOfSets: return HistoryReportKind::SumOfSets;
    case ReportKind::EvensSignature: return HistoryReportKind::EvensSignature;
    default: return std::nullopt;
    }
}

std::string drawsTitle(ReportKind kind, std::uint64_t draws) {
    return reportCaption(kind) + " of " + std::to_string(draws) + (draws == 1 ? " draw" : " draws");
}

// Sets read between two looks at the clock while the output viewer loads.
constexpr std::uint64_t kSetsPerClockCheck = 2048;

} // namespace

std::optional<ReportKind> reportForCaption(std::string_view caption) {
    for (const Captions& entry : kCaptions)
        if (caption == entry.caption) return entry.kind;
    return std::nullopt;
}

std::string reportCaption(ReportKind kind) { return captionsOf(kind).caption; }

std::string runningCaption(ReportKind kind) { return captionsOf(kind).running; }

std::vector<ReportKind> everyReport() {
    std::vector<ReportKind> kinds;
    kinds.reserve(kCaptions.size());
    for (const Captions& entry : kCaptions) kinds.push_back(entry.kind);
    return kinds;
}

bool reportHasTable(ReportKind kind) {
    switch (kind) {
    case ReportKind::NumberCount:
    case ReportKind::SpanOfSet:
    case ReportKind::SumHits:
    case ReportKind::EvensSignature:
    case ReportKind::SkipHit: return true;
    default: return false;
    }
}

bool reportReplacesText(ReportKind kind) {
    return kind == ReportKind::NumberCount || kind == ReportKind::NumberLines || kind == ReportKind::SkipHit;
}

std::string tableCsv(const ReportTable& table) {
    std::string csv = table.valueHeading + "," + table.countHeading;
    csv += kLineEnd;
    for (const ValueCount& row : table.rows) {
        csv += std::to_string(row.value);
        csv += ',';
        csv += std::to_string(row.count);
        csv += kLineEnd;
    }
    return csv;
}

ReportJob::ReportJob(ReportKind kind, ReportSources sources) : kind_(kind), sources_(std::move(sources)) {}

ReportJob::~ReportJob() = default;

void ReportJob::compute() {
    computed_ = true;
    if (kind_ == ReportKind::OutputViewer) {
        viewer_ = std::make_unique<OutputViewer>(sources_.outputPath, OutputViewer::kCapacity, sources_.game);
        return;
    }
    if (kind_ == ReportKind::HistoryViewer) {
        const HistoryLines read = readHistoryLines(sources_.historyPath);
        if (!read.ok()) {
            problem_ = historyNotOpenedNotice(sources_.historyPath);
            return;
        }
        for (const std::string& line : read.lines) {
            text_ += line;
            text_ += kLineEnd;
        }
        return;
    }

    const GameReportHistory history = readGameReportHistory(sources_.game, sources_.historyPath);
    if (!history.ok()) {
        problem_ = history.failure;
        return;
    }
    const std::uint64_t draws = history.draws.size();
    if (const std::optional<HistoryReportKind> statistic = historyKindOf(kind_)) {
        HistoryReportResult result = historyReport(*statistic, history.draws);
        text_ = std::move(result.text);
        replaces_ = result.replacesText;
        if (!result.counts.empty())
            table_ = ReportTable{
                drawsTitle(kind_, draws), result.valueHeading, "Count", std::move(result.counts), draws, {}};
    } else if (kind_ == ReportKind::NumberLines) {
        NumberLinesReport report = numberLinesReport(history.draws);
        text_ = std::move(report.text);
        replaces_ = report.replacesText;
    } else if (kind_ == ReportKind::SkipHit) {
        SkipHitReport report = skipHitReport(history.draws);
        text_ = std::move(report.text);
        replaces_ = report.replacesText;
        ReportTable table{drawsTitle(kind_, draws), "Number", "Current skip", {}, draws, {report.columnHeading}};
        for (const auto& [number, skip] : report.currentSkips) table.rows.push_back({number, skip});
        table_ = std::move(table);
    }
}

void ReportJob::readOutput(std::chrono::steady_clock::time_point deadline, std::size_t most) {
    while (text_.size() - handed_ < most && viewer_->read(text_, kSetsPerClockCheck)) {
        if (std::chrono::steady_clock::now() >= deadline) break;
    }
    if (viewer_->problem() && !problem_) problem_ = viewer_->problem();
}

ReportPiece ReportJob::nextPiece(std::size_t most) {
    ReportPiece piece;
    piece.replaces = replaces_;
    const std::size_t left = text_.size() - handed_;
    std::size_t length = left;
    if (left > most) {
        // Cut after the last line end that fits, or after the first line when none fits.
        const std::size_t cut = text_.rfind('\n', handed_ + most - 1);
        length = cut != std::string::npos && cut >= handed_ ? cut + 1 - handed_ : 0;
        if (length == 0) {
            const std::size_t end = text_.find('\n', handed_);
            length = end == std::string::npos ? left : end + 1 - handed_;
        }
    }
    piece.text.assign(text_, handed_, length);
    handed_ += length;
    if (handed_ == text_.size()) {
        text_.clear();
        handed_ = 0;
    }
    if (!piece.text.empty()) replaces_ = false;
    return piece;
}

ReportPiece ReportJob::step(std::chrono::nanoseconds budget, std::size_t most) {
    const auto deadline = std::chrono::steady_clock::now() + budget;
    if (!computed_) compute();
    if (viewer_ && text_.size() - handed_ < most) readOutput(deadline, most);
    return nextPiece(most == 0 ? 1 : most);
}

std::string ReportJob::runToEnd() {
    std::string whole;
    while (!ended()) {
        ReportPiece piece = step(std::chrono::nanoseconds::max() / 4, std::numeric_limits<std::size_t>::max() / 4);
        if (piece.replaces) whole.clear();
        whole += piece.text;
    }
    return whole;
}

bool ReportJob::ended() const {
    if (!computed_) return false;
    const bool moreToRead = viewer_ && !viewer_->finished();
    return !moreToRead && handed_ == text_.size();
}

} // namespace orvane
