#pragma once

// Each filter of the backtest compiled on its own: the step of the run that
// holds it, built from controls where every other filter is off, so that it
// answers for this filter alone, both for one set (passes) and for a block of
// sets sharing their leading numbers (failingFifth, failingLast), as the run's
// steps do.

#include "backtest/Backtest.h"
#include "core/Combination.h"
#include "history/HistoryFile.h"
#include "wheel/FilterControls.h"
#include "wheel/FilterSteps.h"
#include "wheel/RunPreparation.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace orvane {

// One filter as a step.
class BacktestStep {
public:
    virtual ~BacktestStep() = default;
    virtual bool passes(const Combination& set) const = 0;
    // As the run's steps answer them: failingFifth first for each A to D, then
    // failingLast for each E it let through.
    virtual std::uint64_t failingFifth(const Leading& firstFour) const = 0;
    virtual std::uint64_t failingLast(const Leading& firstFour, int fifth) const = 0;
};

// Whether the user switched `filter` on, from the normalised controls.
bool filterOn(BacktestFilter filter, const FilterControls& normalised);

// What the history-reading filters take from the draws before `end`, as a run
// takes it from the whole history: the last draw, the evens signatures of the
// last 25 draws, the sums of the last 15. The filter against history is left
// out: its index is built only for the sets (see historyIndexFor).
RunTables historyTablesBefore(const std::vector<DrawRecord>& draws, std::size_t end);

// The filters switched on, each compiled on its own against `tables`.
class BacktestFilterSet {
public:
    BacktestFilterSet(const FilterControls& normalised, const RunTables& tables);

    const std::vector<BacktestFilter>& active() const { return active_; }
    const BacktestStep& step(BacktestFilter filter) const { return *steps_[static_cast<std::size_t>(filter)]; }

private:
    std::vector<BacktestFilter> active_; // in run order
    std::array<std::unique_ptr<BacktestStep>, kBacktestFilterCount> steps_;
};

} // namespace orvane
