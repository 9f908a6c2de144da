#pragma once

#include "checks/FilterChecks.h"
#include "core/Combination.h"
#include "wheel/FilterControls.h"
#include "wheel/RunPreparation.h"

#include <algorithm>
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

    bool anyStepActive() const { return anyStepActive_; }

    // Every other step. A run's consecutive sets mostly share A to E, so the
    // steps are worked out once for A to E as the set of last numbers F that
    // would fail any of them; each set then only looks its F up.
    bool passes(const Combination& set) const {
        return !anyStepActive_ || !(failingLastNumbers(set) >> set[5] & 1);
    }

    // The steps one by one, in the run's order, for a single set: what `passes` must agree with.
    bool passesStepByStep(const Combination& set) const;

    // Bits 1 to 49 for the numbers from `low` to `high`.
    static std::uint64_t numbersBetween(double low, double high);
    static std::uint64_t numbersFrom(int first, int last);

    // The last numbers F that fail some step after the set's A to E.
    std::uint64_t failingLastNumbers(const Combination& set) const {
        if (set[0] != firstFive_[0] || set[1] != firstFive_[1] || set[2] != firstFive_[2] || set[3] != firstFive_[3] ||
            set[4] != firstFive_[4]) {
            std::copy_n(set.begin(), 5, firstFive_.begin());
            failingLast_ = computeFailingLastNumbers(set);
        }
        return failingLast_;
    }

private:
    // What the leading numbers of a set give the steps.
    struct Leading {
        std::array<int, 5> numbers{};
        std::uint64_t mask = 0, decades = 0, digits = 0;
        int sum = 0, below = 0, pairs = 0, shadow = 0, fromLastDraw = 0, run = 1, longestRun = 1;
        unsigned signature = 0;
        bool failsAll = false;   // a leading number breaks its position's limits, a lock or the difference
    };
    void addLeadingNumber(Leading& lead, int k, int n) const;
    std::uint64_t computeFailingLastNumbers(const Combination& set) const;
    void updateAnyStepActive();

    bool passesPairs(const Combination& set) const;
    bool passesKeyNumbers(const Combination& set) const;
    std::uint64_t failingByKeys(std::uint64_t firstFiveMask) const;
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
    static const std::array<std::uint64_t, 10> kDecadeMasks;
    static const std::array<std::uint64_t, 10> kDigitMasks;
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
    int lowestSum_ = 21, highestSum_ = 279;

    bool tensActive_ = false;
    std::array<int, 10> tensLimits_{};   // whole limits: a count above floor(limit) breaks it

    bool groupsActive_ = false;
    std::array<std::uint64_t, 6> groupMasks_{};

    bool positionalActive_ = false;
    PositionLimits limits_;
    std::uint64_t lastPositionRange_ = 0;

    bool maxDifActive_ = false;
    double maxDif_ = 44;
    int wholeMaxDif_ = 44;

    bool lastFifteenActive_ = false;
    std::array<int, 15> lastFifteen_{};

    bool onesActive_ = false;
    std::array<double, 10> ones_{};      // as the boxes say, for the step-by-step test
    std::array<int, 10> onesLimits_{};

    bool locksActive_ = false;
    std::array<double, 6> lockedIn_{};
    std::array<double, 30> lockedOut_{};

    bool historyActive_ = false;
    HistoryIndex history_;

    // A to E of the last set looked at, and the last numbers that fail with them.
    mutable std::array<int, 5> firstFive_{};
    mutable std::uint64_t failingLast_ = 0;
    mutable Leading firstFour_{{-1, -1, -1, -1, -1}};
    mutable std::array<int, 4> historyFirstFour_{-1, -1, -1, -1};
    mutable HistoryIndex::PrefixVerdict historyFourVerdict_;
    // Numbers by how much they count towards each last-draw filter, and by how
    // many key boxes hold them.
    std::array<std::uint64_t, 7> shadowWeightMasks_{}, fromLastDrawWeightMasks_{}, keyCountMasks_{};
    std::uint64_t validKeys_ = 0;
    bool unreachableKey_ = false;

    bool exactActive_ = false;
    std::array<std::uint64_t, 6> exactAllowed_{};
};

} // namespace orvane
