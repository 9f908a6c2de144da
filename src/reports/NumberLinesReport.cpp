#include "reports/NumberLinesReport.h"

#include <algorithm>

namespace orvane {

NumberLineCounts::NumberLineCounts(int positions, int numbers)
    : positions_(positions < 0 ? 0 : positions), numbers_(numbers < 0 ? 0 : numbers),
      counts_(static_cast<std::size_t>(positions_) * static_cast<std::size_t>(numbers_) *
              static_cast<std::size_t>(numbers_)) {}

bool NumberLineCounts::inRange(int position, int number, int follower) const {
    return position >= 0 && position < positions_ && number >= 1 && number <= numbers_ && follower >= 1 &&
           follower <= numbers_;
}

std::size_t NumberLineCounts::indexOf(int position, int number, int follower) const {
    const auto numbers = static_cast<std::size_t>(numbers_);
    return (static_cast<std::size_t>(position) * numbers + static_cast<std::size_t>(number - 1)) * numbers +
           static_cast<std::size_t>(follower - 1);
}

std::uint64_t NumberLineCounts::count(int position, int number, int follower) const {
    if (!inRange(position, number, follower)) return 0;
    return counts_[indexOf(position, number, follower)];
}

void NumberLineCounts::add(int position, int number, int follower) {
    if (!inRange(position, number, follower)) return;
    ++counts_[indexOf(position, number, follower)];
}

NumberLineCounts countNumberLines(const GameReportDraws& draws) {
    NumberLineCounts counts(draws.game.perTicket(), draws.game.highest());
    // Every pair of neighbouring draws, the latest draw's included: the
    // newest draw is what a player wants to see followed up.
    for (std::size_t i = 0; i + 1 < draws.size(); ++i) {
        const std::span<const int> draw = draws.numbers[i];
        const std::span<const int> next = draws.numbers[i + 1];
        const std::size_t positions = std::min({draw.size(), next.size(), std::size_t(counts.positions())});
        for (std::size_t p = 0; p < positions; ++p) counts.add(static_cast<int>(p), draw[p], next[p]);
    }
    return counts;
}

std::string numberLinesText(const NumberLineCounts& counts) {
    std::string text;
    // k x N x (N + 1) lines (14,700 for 6/49) of at most 50 characters.
    const auto numbers = static_cast<std::size_t>(counts.numbers());
    text.reserve(static_cast<std::size_t>(counts.positions()) * numbers * (numbers + 1) * 50);
    for (int p = 0; p < counts.positions(); ++p) {
        const char letter = static_cast<char>('A' + p);
        for (int n = 1; n <= counts.numbers(); ++n) {
            text += "      \r\n";
            const std::string number = std::to_string(n);
            for (int m = 1; m <= counts.numbers(); ++m) {
                text += std::to_string(m);
                text += " followed the number ";
                text += number;
                text += "  ";
                text += std::to_string(counts.count(p, n, m));
                text += " times in Position ";
                text += letter;
                text += "\r\n";
            }
        }
    }
    return text;
}

NumberLinesReport numberLinesReport(const GameReportDraws& draws) {
    return NumberLinesReport{numberLinesText(countNumberLines(draws)), true};
}

} // namespace orvane
