#pragma once

// What the backtest tests share: the sample history, filter settings, and the
// plain ways (a wheel run's own steps, set by set) the backtest's counts are
// checked against.

#include "backtest/Backtest.h"
#include "checks/HistoryIndex.h"
#include "history/HistoryFile.h"
#include "wheel/RunPreparation.h"
#include "wheel/SetPipeline.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::backtest_fixtures {

inline std::vector<DrawRecord> sampleDraws() {
    HistoryRead read = readHistoryRecords(ORVANE_SAMPLE_HISTORY);
    EXPECT_TRUE(read.ok()) << read.error;
    return read.draws;
}

inline const FilterResult& rowOf(const BacktestResult& result, BacktestFilter filter) {
    for (const FilterResult& row : result.filters)
        if (row.filter == filter) return row;
    ADD_FAILURE() << "no row for " << backtestFilterName(filter);
    return result.joint;
}

inline Verdict verdictOf(const DrawVerdict& draw, BacktestFilter filter) {
    return draw.verdicts[static_cast<std::size_t>(filter)];
}

// Every filter switched on, tight enough to reject something but keep a few sets.
inline FilterControls everyFilterOn() {
    FilterControls c;
    c.minSum = "100";
    c.maxSum = "200";
    c.maxDif = "20";
    c.rejectLast15Sums = 1;
    c.lastDrawNumMax = "1";
    c.lastDrawNumMaxPos = "0";
    c.enablePairs = 1;
    c.allowTwoPairs = 0;
    c.evensAllowed = {0, 1, 1, 1, 1, 1, 0};
    c.evensSignatures = 1;
    c.tens = {"3", "3", "3", "3", "3"};
    c.ones = {"2", "2", "2", "2", "2", "2", "2", "2", "2", "2"};
    c.enablePosAnalysis = 1;
    c.positionPreset = PositionPreset::Percent98;
    c.maxBelowMid = "5";
    c.maxAboveMid = "5";
    c.enableKeyNumbers = 1;
    c.keyRule = KeyRule::RequireAny;
    c.keyNumbers = {"7", "21", "33", "", ""};
    c.enableLocks = 1;
    c.lockedOut[0] = "2"; // 2 is never A
    c.enableSumPick = 1;
    for (int sum = 90; sum <= 210; ++sum) c.sumsAccepted[sum - 21] = sum % 7 != 0;
    c.filterAgainstHistory = 1;
    c.maxFromHistory = "3";
    c.enableGroups = 1;
    c.groups[0] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    c.enableExactValues = 1;
    c.exactValues[5] = {"30", "31", "32", "33", "34", "35", "36", "37", "38", "39"};
    c.exactValues[5][0] = "40";
    return c;
}

// Copies the controls of `filter` from `c` into `only`.
inline void copyFilter(BacktestFilter filter, const FilterControls& c, FilterControls& only) {
    switch (filter) {
    case BacktestFilter::Midpoint:
        only.maxBelowMid = c.maxBelowMid, only.maxAboveMid = c.maxAboveMid;
        only.minBelowMid = c.minBelowMid, only.minAboveMid = c.minAboveMid;
        break;
    case BacktestFilter::Pairs:
        only.enablePairs = c.enablePairs, only.maxConsecutives = c.maxConsecutives;
        only.allowPairs = c.allowPairs, only.allowTwoPairs = c.allowTwoPairs;
        only.allowThreePairs = c.allowThreePairs, only.requirePair = c.requirePair;
        break;
    case BacktestFilter::EvensSignatures: only.evensSignatures = c.evensSignatures; break;
    case BacktestFilter::Evens: only.evensAllowed = c.evensAllowed; break;
    case BacktestFilter::Shadow: only.lastDrawNumMaxPos = c.lastDrawNumMaxPos; break;
    case BacktestFilter::LastDraw: only.lastDrawNumMax = c.lastDrawNumMax; break;
    case BacktestFilter::KeyNumbers:
        only.enableKeyNumbers = c.enableKeyNumbers, only.keyRule = c.keyRule, only.keyNumbers = c.keyNumbers;
        break;
    case BacktestFilter::SumsPicked: only.enableSumPick = c.enableSumPick, only.sumsAccepted = c.sumsAccepted; break;
    case BacktestFilter::SumLimits: only.minSum = c.minSum, only.maxSum = c.maxSum; break;
    case BacktestFilter::LastFifteenSums: only.rejectLast15Sums = c.rejectLast15Sums; break;
    case BacktestFilter::Tens: only.tens = c.tens; break;
    case BacktestFilter::Groups: only.enableGroups = c.enableGroups, only.groups = c.groups; break;
    case BacktestFilter::PositionLimits:
        only.enablePosAnalysis = c.enablePosAnalysis, only.positionPreset = c.positionPreset;
        only.positionLimits = c.positionLimits;
        break;
    case BacktestFilter::MaxDifference: only.maxDif = c.maxDif; break;
    case BacktestFilter::Ones: only.ones = c.ones; break;
    case BacktestFilter::Locks:
        only.enableLocks = c.enableLocks, only.lockedIn = c.lockedIn, only.lockedOut = c.lockedOut;
        break;
    case BacktestFilter::AgainstHistory:
        only.filterAgainstHistory = c.filterAgainstHistory, only.maxFromHistory = c.maxFromHistory;
        break;
    case BacktestFilter::ExactValues:
        only.enableExactValues = c.enableExactValues, only.exactValues = c.exactValues;
        break;
    }
}

// The controls with only `filter` as `c` sets it, every other filter at its
// default: what a wheel run with that filter alone would be given.
inline FilterControls onlyFilter(BacktestFilter filter, const FilterControls& c) {
    FilterControls only;
    copyFilter(filter, c, only);
    return only;
}

// The same with several filters.
inline FilterControls onlyFilters(const std::vector<BacktestFilter>& filters, const FilterControls& c) {
    FilterControls only;
    for (BacktestFilter filter : filters) copyFilter(filter, c, only);
    return only;
}

// A wheel run's tables with the draws before `end` as its whole history, for
// the filters `controls` (normalised) switches on.
inline RunTables tablesBefore(const FilterControls& controls, const std::vector<DrawRecord>& draws, std::size_t end) {
    const std::vector<DrawRecord> before(draws.begin(), draws.begin() + static_cast<long>(end));
    RunTables tables;
    if (!before.empty()) {
        tables.lastDraw = before.back().numbers;
        for (std::size_t i = before.size() > 25 ? before.size() - 25 : 0; i < before.size(); ++i)
            tables.forbiddenSignatures |= std::uint64_t{1} << evensSignature(before[i].numbers);
    }
    if (isChecked(controls.rejectLast15Sums)) tables.lastFifteenSums = lastFifteenSums(before);
    if (isChecked(controls.filterAgainstHistory))
        tables.history = HistoryIndex(before, std::stoll(controls.maxFromHistory));
    return tables;
}

// A wheel run's tables from the whole history, read the run's way.
inline RunTables runTablesOf(const FilterControls& controls, const std::vector<DrawRecord>& draws) {
    RunTables tables;
    const std::string path = ORVANE_SAMPLE_HISTORY;
    EXPECT_FALSE(readRunTables(controls, path, tables).has_value());
    if (isChecked(controls.rejectLast15Sums)) tables.lastFifteenSums = lastFifteenSums(draws);
    return tables;
}

// Whether `set` passes a wheel run's steps one by one, with the exact values.
inline bool plainPasses(const SetPipeline& pipeline, const Combination& set) {
    return pipeline.passesStepByStep(set) && (!pipeline.exactValuesActive() || pipeline.passesExactValues(set));
}

template <typename Visit> inline void forEachSet(const std::vector<int>& pick, Visit visit) {
    const int n = static_cast<int>(pick.size());
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            for (int c = b + 1; c < n; ++c)
                for (int d = c + 1; d < n; ++d)
                    for (int e = d + 1; e < n; ++e)
                        for (int f = e + 1; f < n; ++f)
                            visit(Combination{pick[a], pick[b], pick[c], pick[d], pick[e], pick[f]});
}

} // namespace orvane::backtest_fixtures
