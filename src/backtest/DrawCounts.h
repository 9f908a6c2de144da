#pragma once

#include "backtest/Backtest.h"

#include <vector>

namespace orvane {

// The draw counts of every active filter, of all together and of all but one,
// from the verdicts of `result.draws`, with their intervals: a row per active
// filter in `result.filters`, the joint row in `result.joint`.
void countDraws(const std::vector<BacktestFilter>& active, BacktestResult& result);

// A draw's outcome once its verdicts are in: failed when a filter rejected it,
// not judged when none did but some filter could not judge it, passed otherwise.
inline DrawVerdict::Outcome outcomeOf(const DrawVerdict& verdict, bool notJudged) {
    return verdict.firstRejecting ? DrawVerdict::Outcome::Failed
           : notJudged            ? DrawVerdict::Outcome::NotJudged
                                  : DrawVerdict::Outcome::Passed;
}

} // namespace orvane
