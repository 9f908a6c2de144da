#pragma once

#include "backtest/Backtest.h"

#include <string>

namespace orvane {

// The backtest as text, every line ended by CR LF: a heading, a row per active
// filter and one for all of them together (draws kept of those judged with the
// 95% interval, draws not judged, sets kept, lift, chance share, lift interval,
// the same without the filter, and what the lift says), then a line per draw
// judged with its outcome and the first filter that rejects it.
std::string backtestText(const BacktestResult& result);
// The per-filter rows alone, for the window's print heading and the command line.
std::string backtestFilterTable(const BacktestResult& result);
// A line per draw judged: "  12  050788  15 17 30 42 44 49  rejected by Sum limits".
std::string backtestDrawLines(const BacktestResult& result);
// The lines of `count` draws from the `first` judged on (as many as there are).
std::string backtestDrawLines(const BacktestResult& result, std::size_t first, std::size_t count);

// The same as CSV: a header and a row per filter (the joint row last, named
// "all"), an empty line, then a header and a row per draw.
std::string backtestCsv(const BacktestResult& result);

// "63.86%": a share as a percentage with two decimals.
std::string percentText(double share);

// "12.34%", with "+/- 0.02%" for an estimate; "-" when no draw was judged.
std::string chanceText(const ChanceShare& chance);
// "0.91 - 1.12"; "-" when the row has no lift (its reading says why).
std::string liftIntervalText(const FilterResult& row);
// What the row's lift says, in words: "consistent with chance", "no draw judged: it needs 25 earlier draws".
std::string readingText(const BacktestResult& result, const FilterResult& row, bool joint);
// How many draws were judged; with a pick of fewer than every number, how
// many lie wholly inside it: "2 of 600 draws lie wholly inside your 22 numbers and were judged; ...".
std::string backtestScopeText(const BacktestResult& result);

} // namespace orvane
