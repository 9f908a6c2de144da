#pragma once

#include "wheel/SetPipeline.h"

#include <array>
#include <vector>

namespace orvane {

// The Ravelin skip: looks at the current set's place in the pick and jumps over
// ranges of following sets that cannot pass the positional limits, the maximum
// difference or the maximum sum, or ends the enumeration when no later set can
// pass. It only ever skips sets that would fail, so it changes no result.
class RavelinSkip {
public:
    enum class Result { Stay, Moved, End };

    RavelinSkip(const std::vector<int>& pick, const PositionLimits& limits, long long maxDifference, long long maxSum);

    // Works on the indexes (into the pick) of the current set, A first.
    Result apply(std::array<int, 6>& index) const;

    // For a set the skip has just let stay: the last F index up to which the
    // following sets with the same A to E would stay too, or -1 when unknown.
    int lastStayingF(const std::array<int, 6>& index) const;

private:
    void advance(std::array<int, 6>& index, int position) const;
    void clamp(std::array<int, 6>& index) const;
    int last(int position) const { return poolSize_ - 6 + position; }
    void rememberQuietFirstFive(const std::array<int, 6>& index) const;

    const std::vector<int>& pick_;
    int poolSize_;
    PositionLimits limits_;
    long long maxDifference_;
    long long maxSum_;
    std::array<int, 6> firstIndexAtMinimum_{};   // per position: first pick index whose number reaches the minimum
    mutable std::array<int, 5> quiet_{-1, -1, -1, -1, -1};   // indexes of A to E known to raise nothing
};

} // namespace orvane
