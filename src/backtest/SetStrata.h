#pragma once

#include "backtest/FirstRejectingDraw.h"
#include "backtest/SetSample.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orvane {

// The sets of the pick by which of the filters that read no history reject
// them: stratum 0 holds the sets none of them rejects, stratum 1 + s the sets
// that the s-th of them (in run order) rejects alone. All the other filters
// together keep stratum 0 and, without filter s, stratum 1 + s as well; the
// history-reading filters then decide at each draw which of those they keep.
// For each stratum: its size; with the filter against history on, how many of
// its sets each draw is the first to reject; when asked, a fixed random sample.
class SetStrata {
public:
    struct Stratum {
        std::uint64_t size = 0;
        // By draw index: the sets that draw is the first to reject; the last
        // entry (the draw count) the sets no draw rejects.
        std::vector<std::uint64_t> byFirstRejecting;
        std::optional<SetSample> sample;
    };

    // `againstHistory` may be null (the filter is off); `sampleSize` 0 takes no samples.
    SetStrata(std::size_t strata, const FirstRejectingDraw* againstHistory, std::size_t sampleSize);

    // The sets of one block: five leading numbers with each last number of
    // `lasts`; `members[s]` the last numbers whose sets stratum s holds.
    void addBlock(const int (&firstFive)[5], std::uint64_t lasts, const std::uint64_t* members);

    std::size_t count() const { return strata_.size(); }
    const Stratum& stratum(std::size_t s) const { return strata_[s]; }
    // Every set of the pick by its first rejecting draw; empty with the filter off.
    const std::vector<std::uint64_t>& allByFirstRejecting() const { return all_; }

private:
    const FirstRejectingDraw* againstHistory_;
    std::vector<Stratum> strata_;
    std::vector<std::uint64_t> all_;
};

} // namespace orvane
