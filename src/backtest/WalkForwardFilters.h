#pragma once

// The filters that read the history as they stand before each draw: the last
// draw and its shadow, the last 15 sums and the last 25 evens signatures, each
// configured with only the draws before draw i. For one set they say whether
// it passes at draw i; for the pick they count the sets each keeps at draw i
// exactly, from the sets per sum, per evens signature and per share of the
// last draw, without testing a set. (The filter against history is counted
// by its first rejecting draws: see FirstRejectingDraw.)

#include "backtest/Backtest.h"
#include "history/HistoryFile.h"

#include <array>
#include <cstdint>
#include <vector>

namespace orvane {

// A set of the pick, as a sample of sets keeps it.
struct SampledSet {
    std::array<std::uint8_t, 6> numbers{}; // ascending
    std::uint32_t firstRejecting = 0;      // by the filter against history; the draw count when none
};

class WalkForwardFilters {
public:
    // `normalised`: the controls as a run normalises them; `pick` ascending.
    WalkForwardFilters(const FilterControls& normalised, const std::vector<DrawRecord>& draws,
                       const std::vector<int>& pick);

    // The history-reading filters among `active`, as bits by BacktestFilter.
    static std::uint32_t historyBits(const std::vector<BacktestFilter>& active);

    // Bits by BacktestFilter: the history-reading filters of `which` that reject
    // the set at draw i. Draw i must have the history each of them needs.
    std::uint32_t failing(const SampledSet& set, std::size_t i, std::uint32_t which) const;

    // How many sets of the pick `filter` keeps at draw i (not the filter against history).
    std::uint64_t keptAt(BacktestFilter filter, std::size_t i) const;

private:
    std::uint64_t keptNearLastDraw(std::size_t i, bool shadow) const;

    const std::vector<DrawRecord>& draws_;
    std::vector<int> pick_;
    std::uint64_t pickMask_ = 0;
    std::uint64_t total_ = 0;
    double shadowLimit_ = 6, lastDrawLimit_ = 6;
    std::vector<int> sums_;                       // by draw
    std::vector<std::uint64_t> signaturesBefore_; // by draw: the signatures of the 25 draws before it
    std::vector<std::uint64_t> setsBySum_;        // sets of the pick by their sum
    std::array<std::uint64_t, 64> setsBySignature_{};
};

} // namespace orvane
