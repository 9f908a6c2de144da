#pragma once

#include "reports/ReportHistory.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// The statistics the report window computes over the history's draws.
enum class HistoryReportKind { NumberCount, Midpoint, SpanOfSet, SumHits, SumOfSets, EvensSignature };

// One row of a counting report's table: a value (a number, a span, a sum, a
// count of even numbers) and how many draws gave it.
struct ValueCount {
    int value = 0;
    std::uint64_t count = 0;
    bool operator==(const ValueCount&) const = default;
};

struct HistoryReportResult {
    // The report's text, every line ended by CR LF.
    std::string text;
    // True when the text replaces the text area's; otherwise it is appended.
    bool replacesText = false;
    // The table of a counting report, one row per value in ascending order,
    // and the name of its value column; both empty for the other reports.
    std::vector<ValueCount> counts;
    std::string valueHeading;
};

// Each report computed from the draws, oldest first, each with its numbers in
// ascending order (as readReportHistory gives them). A value outside a
// table's range (only possible for draws that are not valid) is left out of
// the table rather than counted elsewhere.
HistoryReportResult numberCountReport(const std::vector<ReportDraw>& draws);
HistoryReportResult midpointReport(const std::vector<ReportDraw>& draws);
HistoryReportResult spanOfSetReport(const std::vector<ReportDraw>& draws);
HistoryReportResult sumHitsReport(const std::vector<ReportDraw>& draws);
HistoryReportResult sumOfSetsReport(const std::vector<ReportDraw>& draws);
HistoryReportResult evensSignatureReport(const std::vector<ReportDraw>& draws);
HistoryReportResult historyReport(HistoryReportKind kind, const std::vector<ReportDraw>& draws);

} // namespace orvane
