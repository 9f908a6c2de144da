#include "wheel/SetPipeline.h"

#include "wheel/NumberText.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

template <std::size_t N>
std::array<double, N> numbersIn(const std::array<std::string, N>& boxes) {
    std::array<double, N> values{};
    for (std::size_t i = 0; i < N; ++i) values[i] = numberInBox(boxes[i]);
    return values;
}

// Preset ranges per position, in the order of the option buttons.
constexpr std::array<std::array<int, 12>, 4> kPresets{{
    {1, 39, 2, 42, 3, 44, 7, 46, 12, 48, 20, 49},   // 99.99%
    {1, 30, 3, 38, 5, 44, 7, 46, 15, 48, 23, 49},   // 98%
    {1, 24, 3, 31, 7, 39, 12, 46, 17, 48, 30, 49},  // 90%
    {1, 15, 5, 21, 11, 31, 15, 42, 26, 48, 38, 49}, // 50%
}};

// "count > limit" for a whole count is "count > floor(limit)"; limits outside
// -1..7 behave as those ends.
int wholeLimit(double limit) { return static_cast<int>(std::floor(std::clamp(limit, -1.0, 7.0))); }

constexpr std::array<std::uint8_t, 50> shiftsBy(int divisor, bool byRemainder) {
    std::array<std::uint8_t, 50> shifts{};
    for (int n = 1; n <= 49; ++n) shifts[n] = static_cast<std::uint8_t>(4 * (byRemainder ? n % divisor : n / divisor));
    return shifts;
}

} // namespace

const std::array<std::uint8_t, 50> SetPipeline::kDecadeShift = shiftsBy(10, false);
const std::array<std::uint8_t, 50> SetPipeline::kDigitShift = shiftsBy(10, true);

PositionLimits positionLimits(const FilterControls& controls) {
    PositionLimits limits;
    if (!isChecked(controls.enablePosAnalysis)) return limits;
    if (controls.positionPreset == PositionPreset::UserLimits) {
        const auto values = numbersIn(controls.positionLimits);
        for (int k = 0; k < 6; ++k) {
            limits.min[k] = values[2 * k];
            limits.max[k] = values[2 * k + 1];
        }
        limits.max[5] = std::nearbyint(limits.max[5]); // the F maximum is rounded, half to even
        return limits;
    }
    const auto& preset = kPresets[static_cast<int>(controls.positionPreset)];
    for (int k = 0; k < 6; ++k) {
        limits.min[k] = preset[2 * k];
        limits.max[k] = preset[2 * k + 1];
    }
    return limits;
}

SetPipeline::SetPipeline(const FilterControls& controls, const RunTables& tables) {
    maxBelow_ = numberInBox(controls.maxBelowMid);
    maxAbove_ = numberInBox(controls.maxAboveMid);
    minBelow_ = numberInBox(controls.minBelowMid);
    minAbove_ = numberInBox(controls.minAboveMid);
    midpointActive_ = !(maxBelow_ == 6 && maxAbove_ == 6);

    pairsActive_ = isChecked(controls.enablePairs);
    maxConsecutives_ = numberInBox(controls.maxConsecutives);
    consecutiveLimitActive_ = !CheckConsecutives({10, 11, 12, 13, 14, 15}, maxConsecutives_);
    // No pairs, at most one, at most two: the tightest unchecked allow box wins.
    maxPairs_ = !isChecked(controls.allowPairs)        ? 0
                : !isChecked(controls.allowTwoPairs)   ? 1
                : !isChecked(controls.allowThreePairs) ? 2
                                                       : 5;
    requirePair_ = isChecked(controls.requirePair);

    signaturesActive_ = isChecked(controls.evensSignatures);
    forbiddenSignatures_ = tables.forbiddenSignatures;

    haveLastDraw_ = tables.lastDraw.has_value();
    if (haveLastDraw_) lastDraw_ = *tables.lastDraw;
    for (int n = 1; n <= 49 && haveLastDraw_; ++n) {
        const auto& d = lastDraw_;
        shadowWeights_[n] = static_cast<std::uint8_t>((d[0] == n) + (d[1] == n) + (d[2] == n) + (d[3] == n) +
                                                      (d[4] == n) + (d[5] == n));
        fromLastDrawWeights_[n] = static_cast<std::uint8_t>((d[0] == n || d[1] == n) + (d[2] == n || d[3] == n) +
                                                            (d[4] == n || d[5] == n));
    }

    keysActive_ = isChecked(controls.enableKeyNumbers);
    keyRule_ = controls.keyRule;
    keys_ = numbersIn(controls.keyNumbers);

    for (int k = 0; k < 7; ++k) evenCountsActive_ = evenCountsActive_ || !isChecked(controls.evensAllowed[k]);
    for (unsigned signature = 0; signature < 64; ++signature)
        evensAllowedBySignature_[signature] = isChecked(controls.evensAllowed[std::popcount(signature)]);

    sumPickActive_ = isChecked(controls.enableSumPick);
    sumsAccepted_ = controls.sumsAccepted;
    minSum_ = numberInBox(controls.minSum);
    maxSum_ = numberInBox(controls.maxSum);
    sumLimitsActive_ = minSum_ > 21 || maxSum_ < 279;

    const auto tens = numbersIn(controls.tens);
    for (int k = 0; k < 5; ++k) {
        tensLimits_[k] = wholeLimit(tens[k]);
        tensActive_ = tensActive_ || tens[k] < 6;
    }

    positionalActive_ = isChecked(controls.enablePosAnalysis);
    limits_ = positionLimits(controls);

    maxDif_ = numberInBox(controls.maxDif);
    maxDifActive_ = maxDif_ < 44;

    lastFifteen_ = tables.lastFifteenSums;
    for (int sum : lastFifteen_) lastFifteenActive_ = lastFifteenActive_ || (sum >= 21 && sum <= 279);

    const auto ones = numbersIn(controls.ones);
    for (int d = 0; d < 10; ++d) {
        onesLimits_[d] = wholeLimit(ones[d]);
        onesActive_ = onesActive_ || ones[d] < 6;
    }

    locksActive_ = isChecked(controls.enableLocks);
    lockedIn_ = numbersIn(controls.lockedIn);
    lockedOut_ = numbersIn(controls.lockedOut);

    historyActive_ = isChecked(controls.filterAgainstHistory);
    history_ = tables.history;

    setLiveControls(controls);
}

void SetPipeline::setLiveControls(const FilterControls& controls) {
    // A limit lowered during a run that did not read the last draw compares
    // against an empty draw: no number of a set counts.
    shadowLimit_ = numberInBox(controls.lastDrawNumMaxPos);
    fromLastDrawLimit_ = numberInBox(controls.lastDrawNumMax);
    shadowActive_ = shadowLimit_ < 6;
    fromLastDrawActive_ = fromLastDrawLimit_ < 6;

    groupsActive_ = isChecked(controls.enableGroups);
    for (int g = 0; g < 6; ++g) {
        const auto values = numbersIn(controls.groups[g]);
        groupMasks_[g] = valueMask(values.data(), 8);
    }

    exactActive_ = isChecked(controls.enableExactValues);
    for (int k = 0; k < 6; ++k) {
        const auto values = numbersIn(controls.exactValues[k]);
        exactAllowed_[k] = valueMask(values.data(), 10);
    }
    updateAnyStepActive();
    firstFive_.numbers[0] = -1; // the last-draw weights may differ: work A to E out again
}

void SetPipeline::updateAnyStepActive() {
    anyStepActive_ = midpointActive_ || pairsActive_ || signaturesActive_ || shadowActive_ || fromLastDrawActive_ ||
                     keysActive_ || evenCountsActive_ || sumPickActive_ || sumLimitsActive_ || tensActive_ ||
                     groupsActive_ || positionalActive_ || maxDifActive_ || lastFifteenActive_ || onesActive_ ||
                     locksActive_ || historyActive_;
}

bool SetPipeline::passesPairs(const Combination& set) const {
    if (consecutiveLimitActive_ && !CheckConsecutives(set, maxConsecutives_)) return false;
    int pairs = 0;
    for (int k = 1; k < 6; ++k) pairs += set[k] - set[k - 1] == 1;
    if (requirePair_ && pairs == 0) return false;
    return pairs <= maxPairs_;
}

bool SetPipeline::passesKeyNumbers(const Combination& set) const {
    int matches = 0;
    bool anyValid = false;
    bool anyValidPresent = false;
    bool allValidPresent = true;
    for (double key : keys_) {
        int found = 0;
        for (int n : set) found += n == key;
        matches += found;
        if (key > 0 && key < 50) {
            anyValid = true;
            anyValidPresent = anyValidPresent || found > 0;
            allValidPresent = allValidPresent && found > 0;
        }
    }
    switch (keyRule_) {
    case KeyRule::AllowOnlyOne: return matches == 1;
    case KeyRule::RequireAll: return allValidPresent;
    case KeyRule::RequireAny: return !anyValid || anyValidPresent;
    }
    return true;
}

bool SetPipeline::passesGroups(std::uint64_t setMask) const {
    for (std::uint64_t group : groupMasks_)
        if (std::popcount(setMask & group) > 3) return false;
    return true;
}

void SetPipeline::computeFirstFive(const Combination& set) const {
    FirstFive& p = firstFive_;
    p = FirstFive{};
    for (int k = 0; k < 5; ++k) {
        const int n = set[k];
        p.numbers[k] = n;
        p.sum += n;
        p.signature |= static_cast<unsigned>(n % 2 == 0) << k;
        p.decades += std::uint64_t{1} << kDecadeShift[n];
        p.digits += std::uint64_t{1} << kDigitShift[n];
        p.mask |= std::uint64_t{1} << n;
        p.below += n < 25;
        p.shadow += shadowWeights_[n];
        p.fromLastDraw += fromLastDrawWeights_[n];
        p.positionsOk = p.positionsOk && n >= limits_.min[k] && n <= limits_.max[k];
        if (k > 0) {
            p.pairs += n - set[k - 1] == 1;
            p.gapsOk = p.gapsOk && n - set[k - 1] <= maxDif_;
        }
    }
}

bool SetPipeline::firstFiveFailEverySet(const Combination& set, int lowestF, int highestF) const {
    if (!anyStepActive_) return false;
    if (!sameFirstFive(set)) computeFirstFive(set);
    const FirstFive& p = firstFive_;
    const int aboveFirstFive = 5 - p.below;
    auto exceedsWithout = [](std::uint64_t counts, const std::array<int, 10>& limits, int groups) {
        return exceedsAny(counts, limits, groups);
    };
    // Each test below fails every F: F can only add to the counts of A to E.
    if (midpointActive_ && (p.below > maxBelow_ || aboveFirstFive > maxAbove_ || p.below + 1 < minBelow_ ||
                            aboveFirstFive + 1 < minAbove_))
        return true;
    if (pairsActive_ && p.pairs > maxPairs_) return true;
    if (pairsActive_ && consecutiveLimitActive_) {
        Combination firstFive{set[0], set[1], set[2], set[3], set[4], 99};
        if (!CheckConsecutives(firstFive, maxConsecutives_)) return true;
    }
    if (signaturesActive_ && (forbiddenSignatures_ >> p.signature & 1) &&
        (forbiddenSignatures_ >> (p.signature | 32u) & 1))
        return true;
    if (shadowActive_ && p.shadow > shadowLimit_) return true;
    if (fromLastDrawActive_ && p.fromLastDraw > fromLastDrawLimit_) return true;
    if (evenCountsActive_ && !evensAllowedBySignature_[p.signature] && !evensAllowedBySignature_[p.signature | 32u])
        return true;
    if (sumLimitsActive_ && (p.sum + lowestF > maxSum_ || p.sum + highestF < minSum_)) return true;
    if (tensActive_ && exceedsWithout(p.decades, tensLimits_, 5)) return true;
    if (onesActive_ && exceedsWithout(p.digits, onesLimits_, 10)) return true;
    if (groupsActive_ && !passesGroups(p.mask)) return true;
    if (positionalActive_ && !p.positionsOk) return true;
    if (maxDifActive_ && !p.gapsOk) return true;
    if (locksActive_) {
        for (int k = 0; k < 5; ++k) {
            if (lockedIn_[k] > 0 && lockedIn_[k] != set[k]) return true;
            for (int i = 0; i < 5; ++i)
                if (lockedOut_[k * 5 + i] > 0 && lockedOut_[k * 5 + i] == set[k]) return true;
        }
    }
    if (historyActive_ && historyVerdict().fails) return true;
    return false;
}

bool SetPipeline::isLastFifteenSum(int sum) const {
    for (int entry : lastFifteen_)
        if (entry == sum) return true;
    return false;
}

} // namespace orvane
