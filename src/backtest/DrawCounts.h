#pragma once

#include "backtest/Backtest.h"

#include <vector>

namespace orvane {

// The draw counts of every active filter, of all together and of all but one,
// from the verdicts of `result.draws`, with their intervals: a row per active
// filter in `result.filters`, the joint row in `result.joint`.
void countDraws(const std::vector<BacktestFilter>& active, BacktestResult& result);

} // namespace orvane
