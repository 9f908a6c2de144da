#pragma once

// The share of the draws chance alone would have each row of the backtest
// keep. For draw i it is the share s_i of the pick's sets that the row's
// filters, configured with only the draws before i, keep; a row's chance
// share is the mean of s_i over the draws it judged.
//  - A filter alone is counted exactly: one that reads no history keeps the
//    same sets at every draw; the history-reading ones are counted at each
//    draw from the sets per sum, per evens signature, per share of the last
//    draw and by their first rejecting draw.
//  - All the filters together, and all but one, are counted exactly when the
//    filter against history is the only one among them that reads the history
//    (each set's first rejecting draw is known); otherwise they are estimated
//    from a fixed random sample of the sets the other filters keep, each
//    tried at draws drawn at random from those judged, and the estimate
//    carries its standard error.

#include "backtest/Backtest.h"
#include "backtest/SetCounts.h"
#include "backtest/SetStrata.h"
#include "backtest/WalkForwardFilters.h"

#include <chrono>
#include <random>
#include <cstdint>
#include <vector>

namespace orvane {

// Pairs of a set and a draw tried per stratum of sets; each stratum's sample holds as many sets.
inline constexpr std::size_t kChanceSamplePairs = 200'000;

class ChanceShares {
public:
    // `result` holds the draws judged and a row per active filter; `strata` is
    // null when no active filter reads the history.
    ChanceShares(const BacktestResult& result, const std::vector<BacktestFilter>& active, const SetCounts& counts,
                 std::uint64_t total, const WalkForwardFilters& walkForward, const SetStrata* strata);

    // Tries sets at draws until the deadline; true once every estimate is made.
    bool estimateUntil(std::chrono::steady_clock::time_point deadline);
    // Writes every row's chance share (and the one without it) into `result`.
    void fill(BacktestResult& result) const;

private:
    // All the filters together (the last row) or all but one.
    struct Group {
        std::uint32_t history = 0;            // its history-reading filters, as bits
        std::size_t withStratum = 0;          // 0, or the stratum it keeps besides stratum 0
        std::size_t threshold = 0;            // the first draw every filter of it can judge
        std::uint64_t keptWithoutHistory = 0; // its sets when none of its filters reads the history
        bool estimated = false;
        ChanceShare share;
        // By stratum (0 and withStratum): the pairs tried and how many passed.
        std::uint64_t pairs[2] = {0, 0}, passed[2] = {0, 0};
        double variance[2] = {0, 0};
        bool exact[2] = {true, true}; // every set of the stratum tried at every draw (or none to try)
    };

    // The draws judged from `threshold` on: a suffix of judged_.
    std::size_t firstJudgedFrom(std::size_t threshold) const;
    ChanceShare alone(BacktestFilter filter) const;
    ChanceShare countedExactly(const Group& group) const;
    // Tries the sets of the stratum's sample from nextSet_ until the deadline; true once all are tried.
    bool estimateStratum(std::size_t stratum, std::chrono::steady_clock::time_point deadline);
    void settleStratum(std::size_t stratum);
    void finishEstimates();

    const std::vector<BacktestFilter>& active_;
    const SetCounts& counts_;
    std::uint64_t total_;
    const WalkForwardFilters& walkForward_;
    const SetStrata* strata_;
    std::vector<std::size_t> judged_; // the draws judged in the pick, ascending
    std::vector<ChanceShare> alone_;  // by active filter
    std::vector<Group> groups_;       // by active filter (without it), then all together
    std::vector<std::size_t> strataToEstimate_;
    std::size_t nextStratum_ = 0;
    std::size_t nextSet_ = 0; // in the sample of the stratum being tried
    std::mt19937_64 random_;  // the draws each set is tried at, seeded per stratum
};

} // namespace orvane
