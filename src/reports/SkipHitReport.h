#pragma once

#include "reports/ReportHistory.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

// The skip/hit report: how each number 1 to N of the game has come and stayed
// away over the history.
//
// The draws are numbered 1 to N oldest first; a number is "in" a draw when it
// is one of the draw's main numbers.
// - Drawn: the number of draws the number is in.
// - A skip is the number of draws between two consecutive draws that hold the
//   number: in draws 3 and 7 it skipped 3 (draws 4, 5 and 6); in draws 3 and 4
//   it skipped 0. A number in k draws has k-1 skips. The draws before its
//   first draw in the history are not a skip, since the history does not say
//   when it came before them.
// - The current skip is the number of draws after its latest draw: 0 when it
//   is in the latest draw, N when it is in none.
// - The longest skip is the largest of its skips and its current skip (the
//   current one already lasts that long), so N for a number in no draw.
// - The average skip is the mean of its skips, shown with one decimal; there
//   is none when the number is in fewer than two draws.
// - The last skips are its skips newest first, at most ten of them.
struct NumberSkips {
    int number = 0;
    std::uint64_t drawn = 0;
    std::uint64_t current = 0;
    std::uint64_t longest = 0;
    // The mean of the skips in tenths, rounded half up: 6.25 is 63 (6.3).
    std::optional<std::uint64_t> averageTenths;
    std::vector<std::uint64_t> lastSkips;
};

// At most this many of a number's skips are listed, newest first.
inline constexpr std::size_t kListedSkips = 10;

// The figures of every number 1 to N over the draws, each with its numbers
// ascending. A value outside 1..N in a draw belongs to no number.
std::vector<NumberSkips> skipsOfNumbers(const GameReportDraws& draws);

// The finished report. Its text replaces the whole text area (it is a table of
// the whole history, like the number count), so running it twice shows it
// once. `currentSkips` holds (number, current skip) for 1 to 49, the table the
// chart and the CSV show.
struct SkipHitReport {
    std::string text;
    bool replacesText = true;
    std::uint64_t draws = 0;
    // The line of the text that names the columns, without its line end.
    std::string columnHeading;
    std::vector<NumberSkips> numbers;
    std::vector<std::pair<int, std::uint64_t>> currentSkips;
};

// The report over the draws: a title line with the number of draws, a blank
// line, a line naming the columns, then one line per number 1 to 49:
//
//   Skip/Hit Report of 12 draws in the history file.
//
//   No  Drawn  Current  Longest  Average  Last ten skips, newest first
//   01      3        2        4      3.0   4  2
//
// Columns are right-aligned and as wide as their heading, wider when the
// number of draws has more digits, so they line up for any history; the
// listed skips are as wide as the widest of them (at least two digits). Two
// blanks separate the columns, one blank the listed skips. Lines carry no
// trailing blanks and end in CR LF.
SkipHitReport skipHitReport(const GameReportDraws& draws);

} // namespace orvane
