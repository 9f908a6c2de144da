#pragma once

#include "checks/FilterChecks.h"
#include "wheel/Combination.h"
#include "wheel/FilterControls.h"
#include "wheel/RunPreparation.h"

#include <array>
#include <cstdint>

namespace orvane {

// Minimum and maximum per position A to F.
struct PositionLimits {
    std::array<double, 6> min{1, 2, 3, 4, 5, 6};
    std::array<double, 6> max{44, 45, 46, 47, 48, 49};
};
// The limits table: the chosen preset, the user's twelve boxes, or (positional
// limits off) the ranges every set keeps anyway.
PositionLimits positionLimits(const FilterControls& controls);

// The per-set filter steps of a run, in the order the run applies them, compiled
// from the normalised filter controls. A step that cannot reject any set with
// the values given is skipped.
class SetPipeline {
public:
    SetPipeline() : SetPipeline(FilterControls{}, RunTables{}) {}
    SetPipeline(const FilterControls& controls, const RunTables& tables);

    // Takes the controls that stay live during a run: the last-draw limits, the
    // number groups and the exact positional values.
    void setLiveControls(const FilterControls& controls);

    // The exact positional values step, before the set is shown.
    bool exactValuesActive() const { return exactActive_; }
    bool passesExactValues(const Combination& set) const { return CheckExactPositionA(set, exactAllowed_); }

    // Every other step, in order.
    bool passes(const Combination& set) const {
        if (midpointActive_ && !CheckMidpoint(set, maxBelow_, maxAbove_, minBelow_, minAbove_)) return false;
        if (pairsActive_ && !passesPairs(set)) return false;
        if (signaturesActive_ && (forbiddenSignatures_ >> evensSignature(set) & 1)) return false;
        if (shadowActive_ && lastDrawCount(set, shadowWeights_) > shadowLimit_) return false;
        if (fromLastDrawActive_ && lastDrawCount(set, fromLastDrawWeights_) > fromLastDrawLimit_) return false;
        if (keysActive_ && !passesKeyNumbers(set)) return false;
        if (evenCountsActive_ && !evensAllowed_[std::popcount(evensSignature(set))]) return false;
        const int sum = set[0] + set[1] + set[2] + set[3] + set[4] + set[5];
        if (sumPickActive_ && !sumsAccepted_[sum - 21]) return false;
        if (sumLimitsActive_ && (minSum_ > sum || maxSum_ < sum)) return false;
        if (tensActive_ && !passesTens(set)) return false;
        if (groupsActive_ && !passesGroups(set)) return false;
        if (positionalActive_ && !passesPositions(set)) return false;
        if (maxDifActive_ && !passesMaxDifference(set)) return false;
        if (lastFifteenActive_ && isLastFifteenSum(sum)) return false;
        if (onesActive_ && !CheckOnesPlace(set, ones_)) return false;
        if (locksActive_ && !(CheckLockedIn(set, lockedIn_) && CheckLockedOut(set, lockedOut_))) return false;
        if (historyActive_ && !history_.CheckAgainstHistory(set)) return false;
        return true;
    }

private:
    bool passesPairs(const Combination& set) const;
    bool passesKeyNumbers(const Combination& set) const;
    bool passesTens(const Combination& set) const;
    bool passesGroups(const Combination& set) const;
    bool passesPositions(const Combination& set) const;
    bool passesMaxDifference(const Combination& set) const;
    bool isLastFifteenSum(int sum) const;
    static int lastDrawCount(const Combination& set, const std::array<std::uint8_t, 50>& weights) {
        int count = 0;
        for (int n : set) count += weights[n];
        return count;
    }

    bool midpointActive_ = false;
    double maxBelow_ = 6, maxAbove_ = 6, minBelow_ = 0, minAbove_ = 0;

    bool pairsActive_ = false;
    double maxConsecutives_ = 6;
    bool allowPairs_ = true, allowTwoPairs_ = true, allowThreePairs_ = true, requirePair_ = false;

    bool signaturesActive_ = false;
    std::uint64_t forbiddenSignatures_ = 0;

    // Last-draw filters: how much each number counts towards each filter's total.
    std::array<int, 6> lastDraw_{};
    bool haveLastDraw_ = false;
    std::array<std::uint8_t, 50> shadowWeights_{};
    std::array<std::uint8_t, 50> fromLastDrawWeights_{};
    bool shadowActive_ = false, fromLastDrawActive_ = false;
    double shadowLimit_ = 6, fromLastDrawLimit_ = 6;

    bool keysActive_ = false;
    KeyRule keyRule_ = KeyRule::RequireAll;
    std::array<double, 5> keys_{};

    bool evenCountsActive_ = false;
    std::array<bool, 7> evensAllowed_{};

    bool sumPickActive_ = false;
    std::array<bool, 259> sumsAccepted_{};
    bool sumLimitsActive_ = false;
    double minSum_ = 21, maxSum_ = 279;

    bool tensActive_ = false;
    std::array<double, 5> tens_{};

    bool groupsActive_ = false;
    std::array<std::uint64_t, 6> groupMasks_{};

    bool positionalActive_ = false;
    PositionLimits limits_;

    bool maxDifActive_ = false;
    double maxDif_ = 44;

    bool lastFifteenActive_ = false;
    std::array<int, 15> lastFifteen_{};

    bool onesActive_ = false;
    std::array<double, 10> ones_{};

    bool locksActive_ = false;
    std::array<double, 6> lockedIn_{};
    std::array<double, 30> lockedOut_{};

    bool historyActive_ = false;
    HistoryIndex history_;

    bool exactActive_ = false;
    std::array<std::uint64_t, 6> exactAllowed_{};
};

} // namespace orvane
