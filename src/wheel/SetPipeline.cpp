#include "wheel/SetPipeline.h"

#include "wheel/NumberText.h"

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

} // namespace

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
    allowPairs_ = isChecked(controls.allowPairs);
    allowTwoPairs_ = isChecked(controls.allowTwoPairs);
    allowThreePairs_ = isChecked(controls.allowThreePairs);
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

    for (int k = 0; k < 7; ++k) {
        evensAllowed_[k] = isChecked(controls.evensAllowed[k]);
        evenCountsActive_ = evenCountsActive_ || !evensAllowed_[k];
    }

    sumPickActive_ = isChecked(controls.enableSumPick);
    sumsAccepted_ = controls.sumsAccepted;
    minSum_ = numberInBox(controls.minSum);
    maxSum_ = numberInBox(controls.maxSum);
    sumLimitsActive_ = minSum_ > 21 || maxSum_ < 279;

    tens_ = numbersIn(controls.tens);
    for (double limit : tens_) tensActive_ = tensActive_ || limit < 6;

    positionalActive_ = isChecked(controls.enablePosAnalysis);
    limits_ = positionLimits(controls);

    maxDif_ = numberInBox(controls.maxDif);
    maxDifActive_ = maxDif_ < 44;

    lastFifteen_ = tables.lastFifteenSums;
    for (int sum : lastFifteen_) lastFifteenActive_ = lastFifteenActive_ || (sum >= 21 && sum <= 279);

    ones_ = numbersIn(controls.ones);
    for (double limit : ones_) onesActive_ = onesActive_ || limit < 6;

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
}

bool SetPipeline::passesPairs(const Combination& set) const {
    if (!CheckConsecutives(set, maxConsecutives_)) return false;
    int pairs = 0;
    for (int k = 1; k < 6; ++k) pairs += set[k] - set[k - 1] == 1;
    if (requirePair_ && pairs == 0) return false;
    if (!allowPairs_ && pairs >= 1) return false;
    if (!allowTwoPairs_ && pairs >= 2) return false;
    if (!allowThreePairs_ && pairs >= 3) return false;
    return true;
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

bool SetPipeline::passesTens(const Combination& set) const {
    std::array<int, 5> counts{};
    for (int n : set) ++counts[n / 10];
    for (int decade = 0; decade < 5; ++decade)
        if (counts[decade] > tens_[decade]) return false;
    return true;
}

bool SetPipeline::passesGroups(const Combination& set) const {
    for (std::uint64_t group : groupMasks_)
        if (!CheckNumberGroup(set, group)) return false;
    return true;
}

bool SetPipeline::passesPositions(const Combination& set) const {
    for (int k = 0; k < 6; ++k)
        if (set[k] < limits_.min[k] || set[k] > limits_.max[k]) return false;
    return true;
}

bool SetPipeline::passesMaxDifference(const Combination& set) const {
    for (int k = 5; k > 0; --k)
        if (set[k] - set[k - 1] > maxDif_) return false;
    return true;
}

bool SetPipeline::isLastFifteenSum(int sum) const {
    for (int entry : lastFifteen_)
        if (entry == sum) return true;
    return false;
}

} // namespace orvane
