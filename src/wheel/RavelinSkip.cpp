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

    // Most sets share A to E with the one before; when those five raise none
    // of the tests below, only F needs a look.
    if (index[0] == quiet_[0] && index[1] == quiet_[1] && index[2] == quiet_[2] && index[3] == quiet_[3] &&
        index[4] == quiet_[4] && index[5] - index[0] != 5) {
        const int f = number(5);
        if (f - number(4) <= maxDifference_ && f <= limits_.max[5] && f >= limits_.min[5]) return Result::Stay;
    }

    // End by sum: with consecutive indexes every later set's numbers are at least these.
    if (index[5] - index[0] == 5) {
        int sum = 0;
        for (int k = 0; k < 6; ++k) sum += number(k);
        if (sum > maxSum_) return Result::End;
    }

    // Gaps, from the top: a gap above the maximum difference stays above it for
    // every set that keeps the lower number where it is. No gap of 1..49 exceeds 44.
    if (maxDifference_ < 44) {
        for (int k = 4; k >= 0; --k) {
            if (number(k + 1) - number(k) > maxDifference_) {
                advance(index, k);
                clamp(index);
                return Result::Moved;
            }
        }
    }

    bool moved = false;
    // Upper limits: a position above its maximum stays above it until the one below it moves.
    for (int k = 5; k >= 1; --k) {
        if (number(k) > limits_.max[k]) {
            advance(index, k - 1);
            clamp(index);
            moved = true;
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
        moved = true;
    }
    if (!moved) rememberQuietFirstFive(index);
    return moved ? Result::Moved : Result::Stay;
}

int RavelinSkip::lastStayingF(const std::array<int, 6>& index) const {
    if (!std::equal(quiet_.begin(), quiet_.end(), index.begin())) return -1;
    // Later sets of the block keep F at or above its minimum; they stay while F
    // keeps within the maximum difference of E and within F's maximum.
    const double highest = std::min<double>(pick_[index[4]] + static_cast<double>(maxDifference_), limits_.max[5]);
    int j = index[5];
    while (j + 1 < poolSize_ && pick_[j + 1] <= highest) ++j;
    return j;
}

// Remembers A to E when none of them is beyond a gap, above its maximum or below its minimum.
void RavelinSkip::rememberQuietFirstFive(const std::array<int, 6>& index) const {
    for (int k = 0; k < 5; ++k) {
        const int n = pick_[index[k]];
        if ((k > 0 && n - pick_[index[k - 1]] > maxDifference_) || n > limits_.max[k] || n < limits_.min[k]) return;
    }
    std::copy_n(index.begin(), 5, quiet_.begin());
}

} // namespace orvane
