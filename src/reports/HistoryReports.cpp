#include "reports/HistoryReports.h"

#include "core/LineEnd.h"

#include <array>
#include <numeric>

namespace orvane {

namespace {

// `value` with leading zeros up to `width` digits; wider values keep every digit.
void appendPadded(std::string& text, std::uint64_t value, std::size_t width) {
    const std::string digits = std::to_string(value);
    if (digits.size() < width) text.append(width - digits.size(), '0');
    text += digits;
}

// Counters for the values `first` to `last`; a value outside them is not counted.
class Counters {
public:
    Counters(int first, int last) : first_(first), counts_(static_cast<std::size_t>(last - first + 1), 0) {}

    void add(int value) {
        if (value < first_) return;
        const auto index = static_cast<std::size_t>(value - first_);
        if (index < counts_.size()) ++counts_[index];
    }

    std::vector<ValueCount> rows() const {
        std::vector<ValueCount> rows;
        rows.reserve(counts_.size());
        for (std::size_t i = 0; i < counts_.size(); ++i) rows.push_back({first_ + static_cast<int>(i), counts_[i]});
        return rows;
    }

private:
    int first_;
    std::vector<std::uint64_t> counts_;
};

int sumOf(const ReportDraw& draw) { return std::accumulate(draw.begin(), draw.end(), 0); }

} // namespace

HistoryReportResult numberCountReport(const std::vector<ReportDraw>& draws) {
    Counters numbers(1, 49);
    for (const ReportDraw& draw : draws) {
        for (int n : draw) numbers.add(n);
    }
    HistoryReportResult result;
    result.replacesText = true;
    result.valueHeading = "Number";
    result.counts = numbers.rows();
    result.text = "There are currently " + std::to_string(draws.size()) + " draws recorded in the history file.";
    result.text += kLineEnd;
    result.text += kLineEnd;
    for (const ValueCount& row : result.counts) {
        appendPadded(result.text, static_cast<std::uint64_t>(row.value), 2);
        result.text += " has been drawn ";
        appendPadded(result.text, row.count, 3);
        result.text += " times.";
        result.text += kLineEnd;
    }
    return result;
}

HistoryReportResult midpointReport(const std::vector<ReportDraw>& draws) {
    // The midpoint of 1 to 49 is 24.5: a number is below it exactly when it is 24 or less.
    HistoryReportResult result;
    result.text.reserve(draws.size() * 11);
    for (const ReportDraw& draw : draws) {
        int below = 0;
        for (int n : draw) {
            const bool isBelow = n <= 24;
            result.text += isBelow ? '-' : '+';
            below += isBelow ? 1 : 0;
        }
        result.text += "  ";
        result.text += std::to_string(below);
        result.text += kLineEnd;
    }
    return result;
}

HistoryReportResult spanOfSetReport(const std::vector<ReportDraw>& draws) {
    Counters spans(5, 48);
    HistoryReportResult result;
    result.text.reserve(draws.size() * 9 + std::size_t{44} * 30);
    std::uint64_t drawNumber = 0;
    for (const ReportDraw& draw : draws) {
        const int span = draw.back() - draw.front();
        spans.add(span);
        appendPadded(result.text, ++drawNumber, 3);
        result.text += "  ";
        appendPadded(result.text, static_cast<std::uint64_t>(span < 0 ? 0 : span), 2);
        result.text += kLineEnd;
    }
    result.text += kLineEnd;
    result.valueHeading = "Span";
    result.counts = spans.rows();
    for (const ValueCount& row : result.counts) {
        result.text += "Span of ";
        appendPadded(result.text, static_cast<std::uint64_t>(row.value), 2);
        result.text += " played ";
        appendPadded(result.text, row.count, 3);
        result.text += " times.";
        result.text += kLineEnd;
    }
    return result;
}

HistoryReportResult sumHitsReport(const std::vector<ReportDraw>& draws) {
    Counters sums(21, 279);
    for (const ReportDraw& draw : draws) sums.add(sumOf(draw));
    HistoryReportResult result;
    result.valueHeading = "Sum";
    result.counts = sums.rows();
    result.text.reserve(result.counts.size() * 9);
    for (const ValueCount& row : result.counts) {
        appendPadded(result.text, static_cast<std::uint64_t>(row.value), 3);
        result.text += "  ";
        appendPadded(result.text, row.count, 2);
        result.text += kLineEnd;
    }
    return result;
}

HistoryReportResult sumOfSetsReport(const std::vector<ReportDraw>& draws) {
    HistoryReportResult result;
    result.text.reserve(draws.size() * 10);
    std::uint64_t drawNumber = 0;
    for (const ReportDraw& draw : draws) {
        const int sum = sumOf(draw);
        appendPadded(result.text, ++drawNumber, 3);
        result.text += ": ";
        appendPadded(result.text, static_cast<std::uint64_t>(sum < 0 ? 0 : sum), 3);
        result.text += kLineEnd;
    }
    return result;
}

HistoryReportResult evensSignatureReport(const std::vector<ReportDraw>& draws) {
    Counters evens(0, 6);
    HistoryReportResult result;
    result.text.reserve(draws.size() * 22);
    std::uint64_t setNumber = 0;
    for (const ReportDraw& draw : draws) {
        result.text += "Set ";
        appendPadded(result.text, ++setNumber, 3);
        result.text += ": ";
        int even = 0;
        for (int n : draw) {
            const bool isEven = n % 2 == 0;
            result.text += isEven ? 'E' : 'O';
            even += isEven ? 1 : 0;
        }
        evens.add(even);
        result.text += " (";
        result.text += std::to_string(even);
        result.text += ')';
        result.text += kLineEnd;
    }
    result.valueHeading = "Evens";
    result.counts = evens.rows();
    return result;
}

HistoryReportResult historyReport(HistoryReportKind kind, const std::vector<ReportDraw>& draws) {
    switch (kind) {
    case HistoryReportKind::NumberCount: return numberCountReport(draws);
    case HistoryReportKind::Midpoint: return midpointReport(draws);
    case HistoryReportKind::SpanOfSet: return spanOfSetReport(draws);
    case HistoryReportKind::SumHits: return sumHitsReport(draws);
    case HistoryReportKind::SumOfSets: return sumOfSetsReport(draws);
    case HistoryReportKind::EvensSignature: return evensSignatureReport(draws);
    }
    return {};
}

} // namespace orvane
