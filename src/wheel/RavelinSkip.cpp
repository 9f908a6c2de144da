#include "wheel/RavelinSkip.h"

#include <algorithm>

namespace orvane {

RavelinSkip::RavelinSkip(const std::vector<int>& pick, const PositionLimits& limits, long long maxDifference,
                         long long maxSum)
    : pick_(pick), poolSize_(static_cast<int>(pick.size())), limits_(limits), maxDifference_(maxDifference),
      maxSum_(maxSum) {
    for (int k = 0; k < 6; ++k) {
        int i = 0;
        while (i < poolSize_ && pick_[i] < limits_.min[k]) ++i;
        firstIndexAtMinimum_[k] = i;
    }
}

void RavelinSkip::advance(std::array<int, 6>& index, int position) const {
    ++index[position];
    for (int k = position + 1; k < 6; ++k) index[k] = index[k - 1] + 1;
}

// Pulls an index pushed past its last admissible value back, before anything reads it.
void RavelinSkip::clamp(std::array<int, 6>& index) const {
    for (int k = 0; k < 6; ++k) index[k] = std::min(index[k], last(k));
}

RavelinSkip::Result RavelinSkip::apply(std::array<int, 6>& index) const {
    auto number = [&](int k) { return pick_[index[k]]; };

    // End by sum: every later set's numbers are at least these.
    bool consecutive = true;
    int sum = 0;
    for (int k = 0; k < 6; ++k) {
        sum += number(k);
        if (k > 0 && index[k] != index[k - 1] + 1) consecutive = false;
    }
    if (consecutive && sum > maxSum_) return Result::End;

    // Gaps, from the top: a gap above the maximum difference stays above it for
    // every set that keeps the lower number where it is.
    for (int k = 4; k >= 0; --k) {
        if (number(k + 1) - number(k) > maxDifference_) {
            advance(index, k);
            clamp(index);
            return Result::Moved;
        }
    }

    const std::array<int, 6> before = index;
    // Upper limits: a position above its maximum stays above it until the one below it moves.
    for (int k = 5; k >= 1; --k) {
        if (number(k) > limits_.max[k]) {
            advance(index, k - 1);
            clamp(index);
        }
    }
    if (number(0) > limits_.max[0]) return Result::End;

    // Lower limits: the first position below its minimum jumps to the first number
    // that reaches it, and the later positions follow as closely as their own
    // minimums allow. A position that no number of the pick can lift to its
    // minimum fails every set, so the enumeration ends.
    int low = 0;
    while (low < 6 && number(low) >= limits_.min[low]) ++low;
    if (low < 6) {
        index[low] = std::max(index[low] + 1, firstIndexAtMinimum_[low]);
        for (int k = low + 1; k < 6; ++k) index[k] = std::max(index[k - 1] + 1, firstIndexAtMinimum_[k]);
        for (int k = low; k < 6; ++k)
            if (index[k] > last(k)) return Result::End;
    }
    return index == before ? Result::Stay : Result::Moved;
}

} // namespace orvane
