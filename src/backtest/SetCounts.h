#pragma once

// Every set of the pick tested against every active filter in one pass: how
// many each filter keeps, how many all of them keep, and how many all but one
// keep. The pass walks the sets as a run does, block by block: for each A to E
// every filter names the last numbers F that fail it, so a block's counts are
// a few bit counts rather than a test per set and filter.

#include "backtest/BacktestFilters.h"
#include "backtest/SetStrata.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

namespace orvane {

struct SetCounts {
    std::uint64_t sets = 0;                                        // sets looked at
    std::uint64_t keptByAll = 0;                                   // sets no active filter rejects
    std::array<std::uint64_t, kBacktestFilterCount> kept{};        // by filter: sets it keeps
    std::array<std::uint64_t, kBacktestFilterCount> keptWithout{}; // by filter: sets every other active filter keeps
};

class SetCounter {
public:
    // `filters` must outlive the counter; `pick` ascending numbers 1 to 49.
    // With `strata`, every set is also put in its stratum by the filters that
    // read no history (see SetStrata: one stratum per such active filter, and 0).
    SetCounter(const BacktestFilterSet& filters, const std::vector<int>& pick, SetStrata* strata = nullptr);

    // Counts until `deadline`; true once every set has been counted.
    bool countUntil(std::chrono::steady_clock::time_point deadline);
    bool finished() const { return finished_; }
    const SetCounts& counts() const { return counts_; }
    std::uint64_t total() const { return total_; }

private:
    void countFirstFour();
    void addToStrata(const Leading& lead, int fifth, std::uint64_t lasts,
                     const std::array<std::uint64_t, kBacktestFilterCount>& failing);
    bool nextFirstFour();

    const BacktestFilterSet& filters_;
    std::vector<const BacktestStep*> steps_; // the active ones, in run order
    std::vector<int> activeIndex_;           // their BacktestFilter values
    std::vector<bool> readsNoHistory_;       // by active step
    SetStrata* strata_;
    std::vector<int> pick_;
    std::uint64_t total_ = 0;
    std::array<int, 4> at_{0, 1, 2, 3}; // positions of A to D in the pick
    bool finished_ = false;
    SetCounts counts_;
};

} // namespace orvane
