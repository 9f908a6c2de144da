#pragma once

#include "wheel/Combination.h"

namespace orvane {

// Every filter value a run reads, as one plain value. The window fills it from
// its controls; the command line from its options. Defaults let every set pass.
struct WheelFilters {};

// The per-set filter steps of a run, in the order the run applies them. A set
// passes when every step lets it through; the first step that rejects ends the
// tests for that set.
class SetPipeline {
public:
    explicit SetPipeline(const WheelFilters& filters) : filters_(filters) {}

    bool passes(const Combination& set) const {
        return midpointLimits(set) && pairsAndConsecutives(set) && evensSignatures(set) &&
               lastDrawPositionShadow(set) && numbersFromLastDraw(set) && keyNumbers(set) && evenCounts(set) &&
               specificSumAccept(set) && sumLimits(set) && tensPlace(set) && numberGroups(set) &&
               positionalLimits(set) && maximumDifference(set) && lastFifteenSums(set) && onesPlace(set) &&
               positionLocks(set) && againstHistory(set);
    }

private:
    // Steps not configured by any filter value yet: they let every set pass.
    bool midpointLimits(const Combination&) const { return true; }
    bool pairsAndConsecutives(const Combination&) const { return true; }
    bool evensSignatures(const Combination&) const { return true; }
    bool lastDrawPositionShadow(const Combination&) const { return true; }
    bool numbersFromLastDraw(const Combination&) const { return true; }
    bool keyNumbers(const Combination&) const { return true; }
    bool evenCounts(const Combination&) const { return true; }
    bool specificSumAccept(const Combination&) const { return true; }
    bool sumLimits(const Combination&) const { return true; }
    bool tensPlace(const Combination&) const { return true; }
    bool numberGroups(const Combination&) const { return true; }
    bool positionalLimits(const Combination&) const { return true; }
    bool maximumDifference(const Combination&) const { return true; }
    bool lastFifteenSums(const Combination&) const { return true; }
    bool onesPlace(const Combination&) const { return true; }
    bool positionLocks(const Combination&) const { return true; }
    bool againstHistory(const Combination&) const { return true; }

    WheelFilters filters_;
};

} // namespace orvane
