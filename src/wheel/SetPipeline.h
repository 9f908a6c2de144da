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

    // Whether A to E alone make every set that shares them fail, whatever its F
    // from `lowestF` to `highestF`: then a run need not test those sets one by one.
    bool firstFiveFailEverySet(const Combination& set, int lowestF, int highestF) const;
    bool anyStepActive() const { return anyStepActive_; }

    // Every other step, in order. With no step that can reject, nothing is tested.
    bool passes(const Combination& set) const { return !anyStepActive_ || passesActiveSteps(set); }

private:
    // What A to E alone give each step. Consecutive sets of a run mostly share
    // them, so they are worked out once and each set adds its F.
    struct FirstFive {
        std::array<int, 5> numbers{};
        int sum = 0;
        unsigned signature = 0;
        std::uint64_t decades = 0, digits = 0, mask = 0;
        int below = 0, pairs = 0, shadow = 0, fromLastDraw = 0;
        bool positionsOk = true, gapsOk = true;
        bool historyKnown = false;   // worked out when a set first reaches that step
        HistoryIndex::PrefixVerdict history;
    };
    void computeFirstFive(const Combination& set) const;
    bool sameFirstFive(const Combination& set) const {
        return set[0] == firstFive_.numbers[0] && set[1] == firstFive_.numbers[1] &&
               set[2] == firstFive_.numbers[2] && set[3] == firstFive_.numbers[3] && set[4] == firstFive_.numbers[4];
    }
    const HistoryIndex::PrefixVerdict& historyVerdict() const {
        if (!firstFive_.historyKnown) {
            firstFive_.history = history_.forFirstFive(firstFive_.numbers);
            firstFive_.historyKnown = true;
        }
        return firstFive_.history;
    }

    bool passesActiveSteps(const Combination& set) const {
        if (!sameFirstFive(set)) computeFirstFive(set);
        const FirstFive& p = firstFive_;
        const int f = set[5];
        const std::uint64_t fBit = std::uint64_t{1} << f;
        if (midpointActive_) {
            const int below = p.below + (f < 25);
            const int above = 6 - below;
            if (below > maxBelow_ || below < minBelow_ || above > maxAbove_ || above < minAbove_) return false;
        }
        if (pairsActive_) {
            if (consecutiveLimitActive_ && !CheckConsecutives(set, maxConsecutives_)) return false;
            const int pairs = p.pairs + (f - set[4] == 1);
            if ((requirePair_ && pairs == 0) || pairs > maxPairs_) return false;
        }
        const unsigned signature = p.signature | static_cast<unsigned>(f % 2 == 0) << 5;
        if (signaturesActive_ && (forbiddenSignatures_ >> signature & 1)) return false;
        if (shadowActive_ && p.shadow + shadowWeights_[f] > shadowLimit_) return false;
        if (fromLastDrawActive_ && p.fromLastDraw + fromLastDrawWeights_[f] > fromLastDrawLimit_) return false;
        if (keysActive_ && !passesKeyNumbers(set)) return false;
        if (evenCountsActive_ && !evensAllowedBySignature_[signature]) return false;
        const int sum = p.sum + f;
        if (sumPickActive_ && !sumsAccepted_[sum - 21]) return false;
        if (sumLimitsActive_ && (minSum_ > sum || maxSum_ < sum)) return false;
        if (tensActive_ && exceedsAny(p.decades + (std::uint64_t{1} << kDecadeShift[f]), tensLimits_, 5)) return false;
        if (groupsActive_ && !passesGroups(p.mask | fBit)) return false;
        if (positionalActive_ && !(p.positionsOk && f >= limits_.min[5] && f <= limits_.max[5])) return false;
        if (maxDifActive_ && !(p.gapsOk && f - set[4] <= maxDif_)) return false;
        if (lastFifteenActive_ && isLastFifteenSum(sum)) return false;
        if (onesActive_ && exceedsAny(p.digits + (std::uint64_t{1} << kDigitShift[f]), onesLimits_, 10)) return false;
        if (locksActive_ && !(CheckLockedIn(set, lockedIn_) && CheckLockedOut(set, lockedOut_))) return false;
        if (historyActive_) {
            const HistoryIndex::PrefixVerdict& history = historyVerdict();
            if (history.fails || (history.failingLast & fBit)) return false;
        }
        return true;
    }
    void updateAnyStepActive();

    bool passesPairs(const Combination& set) const;
    bool passesKeyNumbers(const Combination& set) const;
    // Counts per decade or per last digit, four bits each, from a table of shifts.
    static std::uint64_t packedCount(const Combination& set, const std::array<std::uint8_t, 50>& shifts) {
        std::uint64_t counts = 0;
        for (int n : set) counts += std::uint64_t{1} << shifts[n];
        return counts;
    }
    static bool exceedsAny(std::uint64_t counts, const std::array<int, 10>& limits, int groups) {
        for (int g = 0; g < groups; ++g)
            if (static_cast<int>(counts >> (4 * g) & 15) > limits[g]) return true;
        return false;
    }
    static const std::array<std::uint8_t, 50> kDecadeShift;
    static const std::array<std::uint8_t, 50> kDigitShift;
    bool passesGroups(std::uint64_t setMask) const;
    bool isLastFifteenSum(int sum) const;
    static int lastDrawCount(const Combination& set, const std::array<std::uint8_t, 50>& weights) {
        int count = 0;
        for (int n : set) count += weights[n];
        return count;
    }

    bool anyStepActive_ = false;
    bool midpointActive_ = false;
    double maxBelow_ = 6, maxAbove_ = 6, minBelow_ = 0, minAbove_ = 0;

    bool pairsActive_ = false;
    double maxConsecutives_ = 6;
    bool consecutiveLimitActive_ = false;
    int maxPairs_ = 5;
    bool requirePair_ = false;

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
    std::array<bool, 64> evensAllowedBySignature_{};   // by evens signature: is its count of evens allowed

    bool sumPickActive_ = false;
    std::array<bool, 259> sumsAccepted_{};
    bool sumLimitsActive_ = false;
    double minSum_ = 21, maxSum_ = 279;

    bool tensActive_ = false;
    std::array<int, 10> tensLimits_{};   // whole limits: a count above floor(limit) breaks it

    bool groupsActive_ = false;
    std::array<std::uint64_t, 6> groupMasks_{};

    bool positionalActive_ = false;
    PositionLimits limits_;

    bool maxDifActive_ = false;
    double maxDif_ = 44;

    bool lastFifteenActive_ = false;
    std::array<int, 15> lastFifteen_{};

    bool onesActive_ = false;
    std::array<int, 10> onesLimits_{};

    bool locksActive_ = false;
    std::array<double, 6> lockedIn_{};
    std::array<double, 30> lockedOut_{};

    bool historyActive_ = false;
    HistoryIndex history_;

    mutable FirstFive firstFive_;

    bool exactActive_ = false;
    std::array<std::uint64_t, 6> exactAllowed_{};
};

} // namespace orvane
