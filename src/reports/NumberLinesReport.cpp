#include "reports/NumberLinesReport.h"

namespace orvane {

namespace {

constexpr std::array<char, 6> kPositionLetters{'A', 'B', 'C', 'D', 'E', 'F'};

} // namespace

bool NumberLineCounts::inRange(int position, int number, int follower) {
    return position >= 0 && position < kPositions && number >= 1 && number <= kNumbers && follower >= 1 &&
           follower <= kNumbers;
}

std::size_t NumberLineCounts::indexOf(int position, int number, int follower) {
    return (static_cast<std::size_t>(position) * kNumbers + static_cast<std::size_t>(number - 1)) * kNumbers +
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

NumberLineCounts countNumberLines(std::span<const Combination> draws) {
    NumberLineCounts counts;
    // Every pair of neighbouring draws, the latest draw's included: the
    // newest draw is what a player wants to see followed up.
    for (std::size_t i = 0; i + 1 < draws.size(); ++i) {
        const Combination& draw = draws[i];
        const Combination& next = draws[i + 1];
        for (int p = 0; p < NumberLineCounts::kPositions; ++p)
            counts.add(p, draw[static_cast<std::size_t>(p)], next[static_cast<std::size_t>(p)]);
    }
    return counts;
}

std::string numberLinesText(const NumberLineCounts& counts) {
    std::string text;
    // 14,700 lines of at most 50 characters.
    text.reserve(std::size_t{14'700} * 50);
    for (int p = 0; p < NumberLineCounts::kPositions; ++p) {
        const char letter = kPositionLetters[static_cast<std::size_t>(p)];
        for (int n = 1; n <= NumberLineCounts::kNumbers; ++n) {
            text += "      \r\n";
            const std::string number = std::to_string(n);
            for (int m = 1; m <= NumberLineCounts::kNumbers; ++m) {
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

NumberLinesReport numberLinesReport(std::span<const Combination> draws) {
    return NumberLinesReport{numberLinesText(countNumberLines(draws)), true};
}

} // namespace orvane
