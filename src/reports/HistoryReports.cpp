#include "reports/HistoryReports.h"

#include "core/LineEnd.h"

#include <array>
#include <numeric>
#include <span>

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

int sumOf(std::span<const int> draw) { return std::accumulate(draw.begin(), draw.end(), 0); }

void appendNumberCounts(std::string& text, const std::vector<ValueCount>& counts, const char* prefix) {
    for (const ValueCount& row : counts) {
        text += prefix;
        appendPadded(text, static_cast<std::uint64_t>(row.value), 2);
        text += " has been drawn ";
        appendPadded(text, row.count, 3);
        text += " times.";
        text += kLineEnd;
    }
}

} // namespace

HistoryReportResult numberCountReport(const GameReportDraws& draws) {
    Counters numbers(1, draws.game.highest());
    for (std::span<const int> draw : draws.numbers) {
        for (int n : draw) numbers.add(n);
    }
    HistoryReportResult result;
    result.replacesText = true;
    result.valueHeading = "Number";
    result.counts = numbers.rows();
    result.text = "There are currently " + std::to_string(draws.size()) + " draws recorded in the history file.";
    result.text += kLineEnd;
    result.text += kLineEnd;
    appendNumberCounts(result.text, result.counts, "");
    if (draws.game.hasBonusPool()) {
        Counters bonus(1, draws.game.bonusPool());
        for (std::span<const int> drawn : draws.bonus) {
            for (int n : drawn) bonus.add(n);
        }
        result.text += kLineEnd;
        appendNumberCounts(result.text, bonus.rows(), "Bonus number ");
    }
    return result;
}

HistoryReportResult midpointReport(const GameReportDraws& draws) {
    // A number is below the midpoint when it is N/2 or less: 24 or less for 49.
    const int midpoint = draws.game.midpoint();
    HistoryReportResult result;
    result.text.reserve(draws.size() * 11);
    for (std::span<const int> draw : draws.numbers) {
        int below = 0;
        for (int n : draw) {
            const bool isBelow = n <= midpoint;
            result.text += isBelow ? '-' : '+';
            below += isBelow ? 1 : 0;
        }
        result.text += "  ";
        result.text += std::to_string(below);
        result.text += kLineEnd;
    }
    return result;
}

HistoryReportResult spanOfSetReport(const GameReportDraws& draws) {
    Counters spans(draws.game.perTicket() - 1, draws.game.highest() - 1);
    HistoryReportResult result;
    result.text.reserve(draws.size() * 9 + static_cast<std::size_t>(draws.game.highest()) * 30);
    std::uint64_t drawNumber = 0;
    for (std::span<const int> draw : draws.numbers) {
        const int span = draw.empty() ? 0 : draw.back() - draw.front();
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

HistoryReportResult sumHitsReport(const GameReportDraws& draws) {
    Counters sums(draws.game.smallestSum(), draws.game.largestSum());
    for (std::span<const int> draw : draws.numbers) sums.add(sumOf(draw));
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

HistoryReportResult sumOfSetsReport(const GameReportDraws& draws) {
    HistoryReportResult result;
    result.text.reserve(draws.size() * 10);
    std::uint64_t drawNumber = 0;
    for (std::span<const int> draw : draws.numbers) {
        const int sum = sumOf(draw);
        appendPadded(result.text, ++drawNumber, 3);
        result.text += ": ";
        appendPadded(result.text, static_cast<std::uint64_t>(sum < 0 ? 0 : sum), 3);
        result.text += kLineEnd;
    }
    return result;
}

HistoryReportResult evensSignatureReport(const GameReportDraws& draws) {
    Counters evens(0, draws.game.perTicket());
    HistoryReportResult result;
    result.text.reserve(draws.size() * static_cast<std::size_t>(16 + draws.game.perTicket()));
    std::uint64_t setNumber = 0;
    for (std::span<const int> draw : draws.numbers) {
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

HistoryReportResult historyReport(HistoryReportKind kind, const GameReportDraws& draws) {
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
