#pragma once

#include "backtest/Backtest.h"

#include <string>

namespace orvane {

// The backtest as text, every line ended by CR LF: a heading, a row per active
// filter and one for all of them together (draws kept of those judged with the
// 95% interval, draws not judged, sets kept, lift, and the same without the
// filter), then a line per draw judged with its outcome and the first filter
// that rejects it.
std::string backtestText(const BacktestResult& result);
// The per-filter rows alone, for the window's print heading and the command line.
std::string backtestFilterTable(const BacktestResult& result);
// A line per draw judged: "  12  050788  15 17 30 42 44 49  rejected by Sum limits".
std::string backtestDrawLines(const BacktestResult& result);

// The same as CSV: a header and a row per filter (the joint row last, named
// "all"), an empty line, then a header and a row per draw.
std::string backtestCsv(const BacktestResult& result);

// "63.86%": a share as a percentage with two decimals.
std::string percentText(double share);

} // namespace orvane
