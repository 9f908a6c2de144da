#pragma once

#include "core/Combination.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace orvane {

// The number lines report: for every position A to F and every number n, how
// often each number m came at the same position in the draw right after a
// draw that had n there.
//
// The draws are numbered 1 to N oldest first. The follower count of (p, n, m)
// is the number of indices i from 1 to N-1 such that draw i has n at position
// p and draw i+1 has m at p: every transition (1,2) .. (N-1,N), the latest
// draw's included, so each position's counts add up to N-1. With fewer than
// two draws no pair is counted and every count is 0.
class NumberLineCounts {
public:
    static constexpr int kPositions = 6;
    static constexpr int kNumbers = 49;

    // The count of (position 0..5, number 1..49, follower 1..49); 0 for any
    // argument outside those ranges.
    std::uint64_t count(int position, int number, int follower) const;
    // Adds one to (position, number, follower); ignored when any argument is
    // outside its range, so no counter is written out of bounds.
    void add(int position, int number, int follower);

private:
    static bool inRange(int position, int number, int follower);
    static std::size_t indexOf(int position, int number, int follower);

    std::array<std::uint64_t, std::size_t{kPositions} * kNumbers * kNumbers> counts_{};
};

// Counts the followers over the draws, each with its numbers ascending
// (positions A to F). A number outside 1..49 in a draw is not counted.
NumberLineCounts countNumberLines(std::span<const Combination> draws);

// The finished report: 6 x 49 blocks, A1..A49, B1..B49, ..., F1..F49. Each
// block is a line of six blanks, then for m from 1 to 49 the line
// "m followed the number n  count times in Position L", plain digits, every
// line ending in CR LF: 14,700 lines.
std::string numberLinesText(const NumberLineCounts& counts);

// The finished report and where it goes: it replaces the whole text of the
// text area, so running it twice shows it once.
struct NumberLinesReport {
    std::string text;
    bool replacesText = true;
};
NumberLinesReport numberLinesReport(std::span<const Combination> draws);

} // namespace orvane
