#include "backtest/BacktestFilters.h"

#include "core/NumberText.h"

#include <utility>

namespace orvane {

namespace {

template <typename Step> class StepOf final : public BacktestStep {
public:
    explicit StepOf(Step step) : step_(std::move(step)) {}
    bool passes(const Combination& set) const override { return step_.passes(set); }
    std::uint64_t failingFifth(const Leading& firstFour) const override { return step_.failingFifth(firstFour); }
    std::uint64_t failingLast(const Leading& firstFour, int fifth) const override {
        return step_.failingLast(firstFour, fifth);
    }

private:
    Step step_;
};

template <typename Step> std::unique_ptr<BacktestStep> stepOf(Step step) {
    return std::make_unique<StepOf<Step>>(std::move(step));
}

// The exact positional values as a rule per position: a position with values
// named fails every other number.
struct ExactValuesRule : PerPositionRule {
    ExactValuesStep values;

    explicit ExactValuesRule(const FilterControls& controls) {
        values.setValues(controls);
        for (int k = 0; k < 6; ++k) failing[k] = values.allowed[k] != 0 ? kEveryNumber & ~values.allowed[k] : 0;
    }
    bool passes(const Combination& set) const { return values.passes(set); }
};

FilterControls withoutSumPick(FilterControls controls) {
    controls.enableSumPick = 0;
    return controls;
}
FilterControls withoutSumLimits(FilterControls controls) {
    controls.minSum = "21";
    controls.maxSum = "279";
    return controls;
}
RunTables withoutLastFifteen(const RunTables& tables) {
    RunTables copy;
    copy.lastDraw = tables.lastDraw;
    copy.forbiddenSignatures = tables.forbiddenSignatures;
    return copy;
}

} // namespace

const std::array<BacktestFilterInfo, kBacktestFilterCount>& backtestFilters() {
    static const std::array<BacktestFilterInfo, kBacktestFilterCount> filters{{
        {BacktestFilter::Midpoint, "Below/above midpoint", "midpoint", 0},
        {BacktestFilter::Pairs, "Consecutive pairs", "pairs", 0},
        {BacktestFilter::EvensSignatures, "Last 25 evens signatures", "evens-signatures", 25},
        {BacktestFilter::Evens, "Evens", "evens", 0},
        {BacktestFilter::Shadow, "Shadow", "shadow", 1},
        {BacktestFilter::LastDraw, "Last draw", "last-draw", 1},
        {BacktestFilter::KeyNumbers, "Key numbers", "key-numbers", 0},
        {BacktestFilter::SumsPicked, "Sums picked", "sums-picked", 0},
        {BacktestFilter::SumLimits, "Sum limits", "sum-limits", 0},
        {BacktestFilter::LastFifteenSums, "Last 15 sums", "last-15-sums", 15},
        {BacktestFilter::Tens, "Tens", "tens", 0},
        {BacktestFilter::Groups, "Number groups", "groups", 0},
        {BacktestFilter::PositionLimits, "Positional limits", "positions", 0},
        {BacktestFilter::MaxDifference, "Maximum difference", "max-difference", 0},
        {BacktestFilter::Ones, "Ones", "ones", 0},
        {BacktestFilter::Locks, "Locked numbers", "locks", 0},
        {BacktestFilter::AgainstHistory, "Filter against history", "against-history", 1},
        {BacktestFilter::ExactValues, "Exact positional values", "exact-values", 0},
    }};
    return filters;
}

bool filterOn(BacktestFilter filter, const FilterControls& c) {
    switch (filter) {
    case BacktestFilter::Midpoint: return MidpointStep(c).active;
    case BacktestFilter::Pairs: return PairsStep(c).active;
    case BacktestFilter::EvensSignatures: return isChecked(c.evensSignatures);
    case BacktestFilter::Evens:
        for (CheckValue allowed : c.evensAllowed)
            if (!isChecked(allowed)) return true;
        return false;
    case BacktestFilter::Shadow: return numberInBox(c.lastDrawNumMaxPos) < 6;
    case BacktestFilter::LastDraw: return numberInBox(c.lastDrawNumMax) < 6;
    case BacktestFilter::KeyNumbers: return isChecked(c.enableKeyNumbers);
    case BacktestFilter::SumsPicked: return isChecked(c.enableSumPick);
    case BacktestFilter::SumLimits: return numberInBox(c.minSum) > 21 || numberInBox(c.maxSum) < 279;
    case BacktestFilter::LastFifteenSums: return isChecked(c.rejectLast15Sums);
    case BacktestFilter::Tens: return TensStep(c).active();
    case BacktestFilter::Groups: {
        GroupsStep groups;
        groups.setGroups(c);
        return groups.active;
    }
    case BacktestFilter::PositionLimits: return isChecked(c.enablePosAnalysis);
    case BacktestFilter::MaxDifference: return DifferenceStep(c).active;
    case BacktestFilter::Ones: return OnesStep(c).active();
    case BacktestFilter::Locks: return isChecked(c.enableLocks);
    case BacktestFilter::AgainstHistory:
        return isChecked(c.filterAgainstHistory) && wholeNumberValue(c.maxFromHistory) < 6;
    case BacktestFilter::ExactValues: return isChecked(c.enableExactValues);
    }
    return false;
}

RunTables historyTablesBefore(const std::vector<DrawRecord>& draws, std::size_t end) {
    RunTables tables;
    if (end == 0) return tables;
    tables.lastDraw = draws[end - 1].numbers;
    for (std::size_t i = end > 25 ? end - 25 : 0; i < end; ++i)
        tables.forbiddenSignatures |= std::uint64_t{1} << evensSignature(draws[i].numbers);
    // As lastFifteenSums: oldest first, zeros at the end when fewer.
    const std::size_t first = end > 15 ? end - 15 : 0;
    for (std::size_t i = first; i < end; ++i) {
        int sum = 0;
        for (int n : draws[i].numbers) sum += n;
        tables.lastFifteenSums[i - first] = sum;
    }
    return tables;
}

BacktestFilterSet::BacktestFilterSet(const FilterControls& c, const RunTables& tables) {
    std::array<bool, kBacktestFilterCount> wanted{};
    for (const BacktestFilterInfo& info : backtestFilters()) {
        if (!filterOn(info.filter, c)) continue;
        active_.push_back(info.filter);
        wanted[static_cast<std::size_t>(info.filter)] = true;
    }

    const RunTables noLastFifteen = withoutLastFifteen(tables);
    FilterControls evensOnly = c; // the counts of evens without the signatures
    evensOnly.evensSignatures = 0;
    FilterControls signaturesOnly = c;
    signaturesOnly.evensAllowed.assign(signaturesOnly.evensAllowed.size(), 1);
    FilterControls shadowOnly = c;
    shadowOnly.lastDrawNumMax = "6";
    FilterControls lastDrawOnly = c;
    lastDrawOnly.lastDrawNumMaxPos = "6";
    const auto lastDrawLimits = [&](const FilterControls& limits) {
        LastDrawStep step(tables);
        step.setLimits(limits);
        return step;
    };

    // Only the active filters are compiled.
    const auto put = [&](BacktestFilter filter, auto make) {
        if (wanted[static_cast<std::size_t>(filter)]) steps_[static_cast<std::size_t>(filter)] = stepOf(make());
    };
    put(BacktestFilter::Midpoint, [&] { return MidpointStep(c); });
    put(BacktestFilter::Pairs, [&] { return PairsStep(c); });
    put(BacktestFilter::EvensSignatures, [&] { return CompositionStep(signaturesOnly, tables); });
    put(BacktestFilter::Evens, [&] { return CompositionStep(evensOnly, tables); });
    put(BacktestFilter::Shadow, [&] { return lastDrawLimits(shadowOnly); });
    put(BacktestFilter::LastDraw, [&] { return lastDrawLimits(lastDrawOnly); });
    put(BacktestFilter::KeyNumbers, [&] { return KeyNumbersStep(c); });
    put(BacktestFilter::SumsPicked, [&] { return SumStep(withoutSumLimits(c), noLastFifteen); });
    put(BacktestFilter::SumLimits, [&] { return SumStep(withoutSumPick(c), noLastFifteen); });
    put(BacktestFilter::LastFifteenSums, [&] { return SumStep(withoutSumLimits(withoutSumPick(c)), tables); });
    put(BacktestFilter::Tens, [&] { return TensStep(c); });
    put(BacktestFilter::Groups, [&] {
        GroupsStep groups;
        groups.setGroups(c);
        return groups;
    });
    put(BacktestFilter::PositionLimits, [&] { return PositionStep(c); });
    put(BacktestFilter::MaxDifference, [&] { return DifferenceStep(c); });
    put(BacktestFilter::Ones, [&] { return OnesStep(c); });
    put(BacktestFilter::Locks, [&] { return LocksStep(c); });
    put(BacktestFilter::AgainstHistory, [&] { return HistoryStep(c, tables); });
    put(BacktestFilter::ExactValues, [&] { return ExactValuesRule(c); });
}

} // namespace orvane
