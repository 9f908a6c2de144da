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

// Each report computed from the draws of a game, oldest first, each with its
// numbers in ascending order (as readGameReportHistory gives them). The
// ranges come from the game: numbers 1 to N, spans k-1 to N-1, sums from the
// k smallest to the k largest numbers, 0 to k even numbers, and below the
// midpoint means N/2 or less. A value outside a table's range (only possible
// for draws that are not valid) is left out of the table rather than counted
// elsewhere. The number count of a game with a bonus pool counts the pool's
// numbers too, after the main numbers.
HistoryReportResult numberCountReport(const GameReportDraws& draws);
HistoryReportResult midpointReport(const GameReportDraws& draws);
HistoryReportResult spanOfSetReport(const GameReportDraws& draws);
HistoryReportResult sumHitsReport(const GameReportDraws& draws);
HistoryReportResult sumOfSetsReport(const GameReportDraws& draws);
HistoryReportResult evensSignatureReport(const GameReportDraws& draws);
HistoryReportResult historyReport(HistoryReportKind kind, const GameReportDraws& draws);

} // namespace orvane
