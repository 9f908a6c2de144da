#include "wheel/RavelinSkip.h"

namespace orvane {

RavelinSkip::RavelinSkip(const std::vector<int>& pick, const PositionLimits& limits, long long maxDifference,
                         long long maxSum)
    : poolSize_(static_cast<int>(std::min<std::size_t>(pick.size(), 49))), limits_(limits),
      maxDifference_(maxDifference), maxSum_(maxSum), gapsMatter_(maxDifference < 44) {
    std::copy_n(pick.begin(), poolSize_, pick_.begin());
    for (int k = 0; k < 6; ++k) {
        int i = 0;
        while (i < poolSize_ && pick_[i] < limits_.min[k]) ++i;
        firstIndexAtMinimum_[k] = i;
        for (int j = 0; j < poolSize_; ++j)
            if (pick_[j] >= limits_.min[k] && pick_[j] <= limits_.max[k]) inRange_[k] |= std::uint64_t{1} << j;
    }
    // Once a set stays, the following sets with the same A to E stay while F
    // keeps within the maximum difference of E and within F's maximum (F only
    // grows, so it keeps its minimum).
    for (int e = 0; e < poolSize_; ++e) {
        const double highest = std::min<double>(pick_[e] + static_cast<double>(maxDifference_), limits_.max[5]);
        int j = -1;
        while (j + 1 < poolSize_ && pick_[j + 1] <= highest) ++j;
        lastStayingAfterE_[e] = j;
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

// Every test in turn, for a set the short look in apply() could not let stay.
RavelinSkip::Result RavelinSkip::applyInFull(std::array<int, 6>& index) const {
    // End by sum: with consecutive indexes every later set's numbers are at least these.
    if (index[5] - index[0] == 5) {
        int sum = 0;
        for (int k = 0; k < 6; ++k) sum += pick_[index[k]];
        if (sum > maxSum_) return Result::End;
    }
    if (withinLimits(index)) {
        rememberQuiet(index);
        return Result::Stay;
    }
    const Result result = moveOff(index);
    // A set moved to that raises nothing starts a block of staying sets, just
    // as it would had it been looked at again; any other leaves no block.
    if (result != Result::End && withinLimits(index))
        rememberQuiet(index);
    else
        quiet_.fill(-1);
    return result;
}

// For a set that raises at least one test: moves it to the first later set
// that may pass, or ends the enumeration.
RavelinSkip::Result RavelinSkip::moveOff(std::array<int, 6>& index) const {
    auto number = [&](int k) { return pick_[index[k]]; };

    // Gaps, from the top: a gap above the maximum difference stays above it for
    // every set that keeps the lower number where it is. No gap of 1..49 exceeds 44.
    if (gapsMatter_) {
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
    return moved ? Result::Moved : Result::Stay;
}

} // namespace orvane
