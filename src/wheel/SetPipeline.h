#pragma once

#include "checks/FilterChecks.h"
#include "core/Combination.h"
#include "wheel/FilterControls.h"
#include "wheel/FilterSteps.h"
#include "wheel/RunPreparation.h"

#include <array>
#include <cstdint>

namespace orvane {

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
    bool exactValuesActive() const { return exact_.active; }
    bool passesExactValues(const Combination& set) const { return exact_.passes(set); }

    bool anyStepActive() const { return anyStepActive_; }

    // Every other step. A run's consecutive sets mostly share A to E, so the
    // steps are worked out once for A to E as the set of last numbers F that
    // would fail any of them; each set then only looks its F up.
    bool passes(const Combination& set) const { return !anyStepActive_ || !(failingLastNumbers(set) >> set[5] & 1); }

    // The steps one by one, in the run's order, for a single set: what `passes` must agree with.
    bool passesStepByStep(const Combination& set) const;

    // Bits 1 to 49 for the numbers from `low` to `high`.
    static std::uint64_t numbersBetween(double low, double high) { return orvane::numbersBetween(low, high); }
    static std::uint64_t numbersFrom(int first, int last) { return orvane::numbersFrom(first, last); }

    // The last numbers F that fail some step after the set's A to E.
    std::uint64_t failingLastNumbers(const Combination& set) const {
        const bool sameFirstFour =
            set[0] == firstFive_[0] && set[1] == firstFive_[1] && set[2] == firstFive_[2] && set[3] == firstFive_[3];
        if (sameFirstFour && set[4] == firstFive_[4]) return failingLast_;
        if (!sameFirstFour) startFirstFour(set);
        firstFive_ = {set[0], set[1], set[2], set[3], set[4]};
        // An E that fails every set fails its whole block at once.
        failingLast_ = (failingFifth_ >> set[4] & 1) != 0 ? kEveryNumber : failingAfterFifth(set[4]);
        return failingLast_;
    }

private:
    void startFirstFour(const Combination& set) const;
    std::uint64_t failingAfterFifth(int fifth) const;
    void updateAnyStepActive();
    void forgetLeadingNumbers();

    // Calls `visit` with each active step, in the order the run applies them.
    template <typename Visit> void forEachActiveStep(Visit visit) const {
        const auto step = [&visit](const auto& s, bool active) {
            if (active) visit(s);
        };
        step(midpoint_, midpoint_.active);
        step(pairs_, pairs_.active);
        step(composition_, composition_.active);
        step(lastDraw_, lastDraw_.active);
        step(keys_, keys_.active);
        step(sums_, sums_.active);
        step(tens_, tens_.active());
        step(groups_, groups_.active);
        step(positions_, positions_.active);
        step(difference_, difference_.active);
        step(ones_, ones_.active());
        step(locks_, locks_.active);
        step(history_, history_.active);
    }

    // The steps, in the order the run applies them.
    MidpointStep midpoint_;
    PairsStep pairs_;
    CompositionStep composition_;
    LastDrawStep lastDraw_;
    KeyNumbersStep keys_;
    SumStep sums_;
    TensStep tens_;
    GroupsStep groups_;
    PositionStep positions_;
    DifferenceStep difference_;
    OnesStep ones_;
    LocksStep locks_;
    HistoryStep history_;
    ExactValuesStep exact_;
    bool anyStepActive_ = false;

    // A to E of the last set looked at, and the last numbers that fail with
    // them; what its A to D give, and the fifth numbers that fail every set with them.
    mutable std::array<int, 5> firstFive_{};
    mutable std::uint64_t failingLast_ = 0;
    mutable Leading firstFour_;
    mutable std::uint64_t failingFifth_ = 0;
};

} // namespace orvane
