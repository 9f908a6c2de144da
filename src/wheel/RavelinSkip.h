#pragma once

#include "wheel/SetPipeline.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace orvane {

// The Ravelin skip: looks at the current set's place in the pick and jumps over
// ranges of following sets that cannot pass the positional limits, the maximum
// difference or the maximum sum, or ends the enumeration when no later set can
// pass. It only ever skips sets that would fail, so the passing sets are the same
// with or without it; the skipped sets are not generated, so "Sets generated" is lower.
class RavelinSkip {
public:
    enum class Result { Stay, Moved, End };

    // `pick` holds the pool, numbers from 1 to 49 in ascending order; the skip keeps its own copy.
    RavelinSkip(const std::vector<int>& pick, const PositionLimits& limits, long long maxDifference, long long maxSum);

    // Works on the indexes (into the pick) of the current set, A first.
    Result apply(std::array<int, 6>& index) const {
        // Most sets keep every limit; a run of consecutive indexes may end the enumeration by its sum.
        if (index[5] - index[0] != 5 && withinLimits(index)) {
            rememberQuiet(index);
            return Result::Stay;
        }
        return applyInFull(index);
    }

    // For the set apply has just returned on (let stay or moved to): when the
    // set and the following sets with the same A to E would all be let stay,
    // the last F index up to which they would; otherwise -1.
    int lastStayingF(const std::array<int, 6>& index) const {
        if (index[0] != quiet_[0] || index[1] != quiet_[1] || index[2] != quiet_[2] || index[3] != quiet_[3] ||
            index[4] != quiet_[4])
            return -1;
        return std::max(index[5], lastStayingAfterE_[static_cast<unsigned>(index[4])]);
    }

private:
    // True when no position is outside its limits and no gap exceeds the maximum
    // difference: the set raises none of the tests that move it.
    bool withinLimits(const std::array<int, 6>& index) const {
        const std::uint64_t inRange = (inRange_[0] >> index[0]) & (inRange_[1] >> index[1]) &
                                      (inRange_[2] >> index[2]) & (inRange_[3] >> index[3]) &
                                      (inRange_[4] >> index[4]) & (inRange_[5] >> index[5]);
        if ((inRange & 1) == 0) return false;
        if (!gapsMatter_) return true;
        for (int k = 0; k < 5; ++k)
            if (pick_[index[k + 1]] - pick_[index[k]] > maxDifference_) return false;
        return true;
    }
    Result applyInFull(std::array<int, 6>& index) const;
    Result moveOff(std::array<int, 6>& index) const;
    void advance(std::array<int, 6>& index, int position) const;
    void clamp(std::array<int, 6>& index) const;
    int last(int position) const { return poolSize_ - 6 + position; }
    void rememberQuiet(const std::array<int, 6>& index) const {
        for (int k = 0; k < 5; ++k) quiet_[k] = index[k];
    }

    std::array<int, 49> pick_{};
    int poolSize_;
    PositionLimits limits_;
    long long maxDifference_;
    long long maxSum_;
    bool gapsMatter_;                          // the maximum difference is below the widest possible gap
    std::array<int, 6> firstIndexAtMinimum_{}; // per position: first pick index whose number reaches the minimum
    std::array<std::uint64_t, 6> inRange_{};   // per position: pick indexes whose numbers keep its limits, as bits
    std::array<int, 49>
        lastStayingAfterE_{}; // per E index: last F index within the maximum difference of E and F's maximum, or -1
    mutable std::array<int, 5> quiet_{-1, -1, -1, -1,
                                      -1}; // A to E of the last set let stay or moved to, when it raises nothing
};

} // namespace orvane
