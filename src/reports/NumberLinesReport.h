#pragma once

#include "reports/ReportHistory.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// The number lines report: for every position (A to F for a game of six
// numbers a ticket) and every number n, how often each number m came at the
// same position in the draw right after a draw that had n there.
//
// The draws are numbered 1 to N oldest first. The follower count of (p, n, m)
// is the number of indices i from 1 to N-1 such that draw i has n at position
// p and draw i+1 has m at p: every transition (1,2) .. (N-1,N), the latest
// draw's included, so each position's counts add up to N-1. With fewer than
// two draws no pair is counted and every count is 0.
class NumberLineCounts {
public:
    // The counts of 6/49: 6 positions, numbers 1 to 49.
    NumberLineCounts() : NumberLineCounts(6, 49) {}
    NumberLineCounts(int positions, int numbers);

    int positions() const { return positions_; }
    int numbers() const { return numbers_; }
    // The count of (position 0..k-1, number 1..N, follower 1..N); 0 for any
    // argument outside those ranges.
    std::uint64_t count(int position, int number, int follower) const;
    // Adds one to (position, number, follower); ignored when any argument is
    // outside its range, so no counter is written out of bounds.
    void add(int position, int number, int follower);

private:
    bool inRange(int position, int number, int follower) const;
    std::size_t indexOf(int position, int number, int follower) const;

    int positions_;
    int numbers_;
    std::vector<std::uint64_t> counts_;
};

// Counts the followers over the draws of the game, each with its numbers
// ascending (positions A, B, ...). A number outside 1..N is not counted.
NumberLineCounts countNumberLines(const GameReportDraws& draws);

// The finished report: k x N blocks, A1..AN, B1..BN, and so on. Each block is
// a line of six blanks, then for m from 1 to N the line
// "m followed the number n  count times in Position L", plain digits, every
// line ending in CR LF: 14,700 lines for 6/49.
std::string numberLinesText(const NumberLineCounts& counts);

// The finished report and where it goes: it replaces the whole text of the
// text area, so running it twice shows it once.
struct NumberLinesReport {
    std::string text;
    bool replacesText = true;
};
NumberLinesReport numberLinesReport(const GameReportDraws& draws);

} // namespace orvane
