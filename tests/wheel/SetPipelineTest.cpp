#include "wheel/SetPipeline.h"

#include "support/RunOrder.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace orvane;

namespace {
bool passes(const FilterControls& controls, const Combination& set, const RunTables& tables = {}) {
    return SetPipeline(controls, tables).passes(set);
}
} // namespace

TEST(SetPipeline, DefaultsLetEverySetPass) {
    const SetPipeline pipeline;
    for (const Combination& set : {Combination{1, 2, 3, 4, 5, 6}, Combination{44, 45, 46, 47, 48, 49},
                                   Combination{1, 10, 20, 30, 40, 49}, Combination{1, 2, 3, 4, 5, 49}})
        EXPECT_TRUE(pipeline.passes(set));
}

TEST(SumFilters, LimitsAndSpecificSums) {
    FilterControls controls;
    controls.minSum = "100";
    controls.maxSum = "100";
    EXPECT_TRUE(passes(controls, {5, 10, 15, 20, 22, 28}));
    EXPECT_FALSE(passes(controls, {5, 10, 15, 20, 22, 29}));
    EXPECT_FALSE(passes(controls, {5, 10, 15, 20, 21, 28}));

    FilterControls pick;
    pick.enableSumPick = 1;
    EXPECT_FALSE(passes(pick, {1, 2, 3, 4, 5, 6})); // nothing selected rejects every set
    pick.sumsAccepted[21 - 21] = true;
    EXPECT_TRUE(passes(pick, {1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(passes(pick, {1, 2, 3, 4, 5, 7}));
}

TEST(PositionFilters, PresetsUserLimitsAndMaximumDifference) {
    FilterControls controls;
    controls.enablePosAnalysis = 1;
    controls.positionPreset = PositionPreset::Percent50;
    EXPECT_FALSE(passes(controls, {1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(passes(controls, {10, 20, 30, 40, 45, 49}));
    EXPECT_EQ(positionLimits(controls).min[4], 26);

    controls.positionPreset = PositionPreset::UserLimits;
    controls.positionLimits[11] = "45.5"; // F maximum is rounded half to even: 46
    EXPECT_EQ(positionLimits(controls).max[5], 46);
    EXPECT_TRUE(passes(controls, {1, 2, 3, 4, 5, 46}));
    EXPECT_FALSE(passes(controls, {1, 2, 3, 4, 5, 47}));

    FilterControls off;
    off.positionLimits[0] = "10"; // ignored while positional limits are off
    EXPECT_TRUE(passes(off, {1, 2, 3, 4, 5, 6}));

    FilterControls difference;
    difference.maxDif = "10";
    EXPECT_TRUE(passes(difference, {1, 11, 21, 31, 41, 49}));
    EXPECT_FALSE(passes(difference, {1, 2, 3, 4, 5, 16}));
}

TEST(SumFilters, LastFifteenSumsRejectThoseSums) {
    RunTables tables;
    tables.lastFifteenSums[3] = 21;
    EXPECT_FALSE(passes(FilterControls{}, {1, 2, 3, 4, 5, 6}, tables));
    EXPECT_TRUE(passes(FilterControls{}, {1, 2, 3, 4, 5, 7}, tables));

    std::vector<DrawRecord> draws;
    for (int i = 0; i < 20; ++i) draws.push_back({0, {1, 2, 3, 4, 5, 6 + i}});
    const auto sums = lastFifteenSums(draws);
    EXPECT_EQ(sums.front(), 15 + 11); // draw 6
    EXPECT_EQ(sums.back(), 15 + 25);  // draw 20
    const auto few = lastFifteenSums({draws.begin(), draws.begin() + 3});
    EXPECT_EQ(few[2], 23);
    EXPECT_EQ(few[3], 0);
}

TEST(CompositionFilters, EvenCountsAndSignatures) {
    FilterControls controls;
    controls.evensAllowed[6] = 0;
    EXPECT_FALSE(passes(controls, {2, 4, 6, 8, 10, 12}));
    EXPECT_TRUE(passes(controls, {1, 4, 6, 8, 10, 12}));
    controls.evensAllowed.assign(controls.evensAllowed.size(), 0);
    EXPECT_FALSE(passes(controls, {1, 3, 5, 7, 9, 11}));

    EXPECT_EQ(evensSignature({2, 4, 6, 8, 10, 12}), 0b111111u);
    EXPECT_EQ(evensSignature({1, 2, 3, 4, 5, 6}), 0b101010u); // OEOEOE
    FilterControls signatures;
    signatures.evensSignatures = 1;
    RunTables tables;
    tables.forbiddenSignatures = std::uint64_t{1} << evensSignature({1, 2, 3, 4, 5, 6});
    EXPECT_FALSE(passes(signatures, {11, 12, 13, 14, 15, 16}, tables));
    EXPECT_TRUE(passes(signatures, {11, 12, 13, 14, 15, 17}, tables));
}

TEST(CompositionFilters, TensOnesAndMidpoint) {
    FilterControls tens;
    tens.tens[0] = "5";
    EXPECT_FALSE(passes(tens, {1, 2, 3, 4, 5, 9}));
    EXPECT_TRUE(passes(tens, {1, 2, 3, 4, 5, 10}));

    FilterControls ones;
    ones.ones[3] = "1";
    EXPECT_FALSE(passes(ones, {3, 13, 20, 31, 40, 45}));

    FilterControls midpoint;
    midpoint.maxBelowMid = "3";
    EXPECT_FALSE(passes(midpoint, {1, 2, 3, 4, 30, 40}));
    EXPECT_TRUE(passes(midpoint, {1, 2, 3, 30, 40, 45}));
}

TEST(PairsFilter, EachRule) {
    FilterControls controls;
    controls.enablePairs = 1;
    EXPECT_TRUE(passes(controls, {1, 2, 3, 4, 5, 6})); // all allowed, M = 6

    FilterControls noPairs = controls;
    noPairs.allowPairs = 0;
    EXPECT_FALSE(passes(noPairs, {3, 9, 17, 18, 30, 41}));
    EXPECT_TRUE(passes(noPairs, {3, 9, 17, 19, 30, 41}));

    FilterControls onePair = controls;
    onePair.allowTwoPairs = 0;
    EXPECT_FALSE(passes(onePair, {12, 13, 14, 30, 40, 45}));
    EXPECT_FALSE(passes(onePair, {12, 13, 20, 21, 40, 45}));
    EXPECT_TRUE(passes(onePair, {12, 13, 20, 22, 40, 45}));

    FilterControls twoPairs = controls;
    twoPairs.allowThreePairs = 0;
    EXPECT_FALSE(passes(twoPairs, {1, 2, 3, 4, 20, 30}));
    EXPECT_FALSE(passes(twoPairs, {1, 2, 3, 20, 21, 30}));
    EXPECT_TRUE(passes(twoPairs, {1, 2, 3, 20, 22, 30}));

    FilterControls require = controls;
    require.requirePair = 1;
    EXPECT_FALSE(passes(require, {5, 10, 15, 20, 25, 30}));
    EXPECT_TRUE(passes(require, {5, 6, 15, 20, 25, 30}));

    FilterControls consecutive = controls;
    consecutive.maxConsecutives = "1";
    EXPECT_FALSE(passes(consecutive, {5, 6, 7, 20, 30, 40}));

    FilterControls disabled = noPairs;
    disabled.enablePairs = 0;
    EXPECT_TRUE(passes(disabled, {3, 9, 17, 18, 30, 41}));
}

TEST(KeyNumbers, TheThreeRules) {
    FilterControls controls;
    controls.enableKeyNumbers = 1;
    controls.keyNumbers[0] = "7";
    controls.keyNumbers[3] = "21";
    controls.keyRule = KeyRule::RequireAll;
    EXPECT_TRUE(passes(controls, {7, 12, 21, 30, 40, 45}));
    EXPECT_FALSE(passes(controls, {7, 12, 22, 30, 40, 45}));
    controls.keyRule = KeyRule::RequireAny;
    EXPECT_TRUE(passes(controls, {7, 12, 22, 30, 40, 45}));
    EXPECT_FALSE(passes(controls, {8, 12, 22, 30, 40, 45}));
    controls.keyRule = KeyRule::AllowOnlyOne;
    EXPECT_TRUE(passes(controls, {7, 12, 22, 30, 40, 45}));
    EXPECT_FALSE(passes(controls, {7, 12, 21, 30, 40, 45}));
    EXPECT_FALSE(passes(controls, {8, 12, 22, 30, 40, 45}));
    controls.keyNumbers[3] = "7"; // the same key twice counts twice
    EXPECT_FALSE(passes(controls, {7, 12, 22, 30, 40, 45}));

    FilterControls empty;
    empty.enableKeyNumbers = 1;
    for (KeyRule rule : {KeyRule::RequireAll, KeyRule::RequireAny}) {
        empty.keyRule = rule;
        EXPECT_TRUE(passes(empty, {8, 12, 22, 30, 40, 45}));
    }
    empty.keyRule = KeyRule::AllowOnlyOne;
    EXPECT_FALSE(passes(empty, {8, 12, 22, 30, 40, 45}));
}

TEST(LastDrawFilters, SharedNumbersWithTheLastDraw) {
    RunTables tables;
    tables.lastDraw = std::array<int, 6>{3, 11, 17, 25, 38, 44};
    FilterControls controls;
    controls.lastDrawNumMax = "1";
    EXPECT_FALSE(passes(controls, {3, 11, 20, 30, 40, 45}, tables));
    EXPECT_TRUE(passes(controls, {3, 12, 20, 30, 40, 45}, tables));
    controls.lastDrawNumMax = "0";
    EXPECT_FALSE(passes(controls, {3, 12, 20, 30, 40, 45}, tables));

    FilterControls shadow;
    shadow.lastDrawNumMaxPos = "1";
    EXPECT_FALSE(passes(shadow, {3, 11, 20, 30, 40, 45}, tables));
    EXPECT_TRUE(passes(shadow, {3, 12, 20, 30, 40, 45}, tables));

    // Lowered during a run that never read the last draw: nothing matches.
    SetPipeline pipeline(FilterControls{}, RunTables{});
    controls.lastDrawNumMax = "0";
    pipeline.setLiveControls(controls);
    EXPECT_TRUE(pipeline.passes({3, 11, 17, 25, 38, 44}));
}

TEST(LocksGroupsAndHistory, ApplyOnlyWhenEnabled) {
    FilterControls locks;
    locks.lockedIn[1] = "12";
    EXPECT_TRUE(passes(locks, {3, 13, 20, 30, 40, 45}));
    locks.enableLocks = 1;
    EXPECT_FALSE(passes(locks, {3, 13, 20, 30, 40, 45}));
    EXPECT_TRUE(passes(locks, {3, 12, 20, 30, 40, 45}));

    FilterControls groups;
    groups.groups[4] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    SetPipeline pipeline(groups, RunTables{});
    EXPECT_TRUE(pipeline.passes({1, 2, 3, 4, 30, 40}));
    groups.enableGroups = 1;
    pipeline.setLiveControls(groups); // a live control, taken during the run
    EXPECT_FALSE(pipeline.passes({1, 2, 3, 4, 30, 40}));
    EXPECT_TRUE(pipeline.passes({1, 2, 3, 20, 30, 40}));

    FilterControls history;
    history.filterAgainstHistory = 1;
    history.maxFromHistory = "5";
    RunTables tables;
    tables.history = HistoryIndex({{0, {3, 11, 24, 30, 41, 49}}}, 5);
    EXPECT_FALSE(passes(history, {3, 11, 24, 30, 41, 49}, tables));
    EXPECT_TRUE(passes(history, {3, 11, 24, 30, 41, 48}, tables));
}

#include <random>

// The run looks each set's F up in what A to E allow; that must always agree
// with testing the set step by step.
TEST(SetPipeline, WorkingOutAToEOnceAgreesWithTestingEachSet) {
    std::mt19937 random(1988);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    auto maybe = [&] { return between(0, 2) == 0; };
    auto number = [&] { return std::to_string(between(1, 49)); };
    std::array<int, 2> outcomes{};
    for (int trial = 0; trial < 400; ++trial) {
        FilterControls c;
        if (maybe()) {
            c.maxBelowMid = std::to_string(between(0, 6));
            c.minAboveMid = std::to_string(between(0, 3));
        }
        if (maybe()) {
            c.maxAboveMid = std::to_string(between(0, 5));
            c.minBelowMid = std::to_string(between(0, 3));
        }
        if (maybe()) {
            c.enablePairs = 1;
            c.maxConsecutives = std::to_string(between(0, 6));
            c.allowPairs = between(0, 1);
            c.allowTwoPairs = between(0, 1);
            c.allowThreePairs = between(0, 1);
            c.requirePair = between(0, 1);
        }
        if (maybe()) c.evensSignatures = 1;
        if (maybe()) c.lastDrawNumMaxPos = std::to_string(between(-1, 3));
        if (maybe()) c.lastDrawNumMax = std::to_string(between(0, 3));
        if (maybe()) {
            c.enableKeyNumbers = 1;
            c.keyRule = static_cast<KeyRule>(between(0, 2));
            for (auto& key : c.keyNumbers) key = maybe() ? number() : (maybe() ? "7.5" : "");
        }
        for (auto& evens : c.evensAllowed) evens = between(0, 4) > 0;
        if (maybe()) {
            c.enableSumPick = 1;
            for (auto&& accepted : c.sumsAccepted) accepted = between(0, 3) > 0;
        }
        if (maybe()) {
            c.minSum = std::to_string(between(21, 150));
            c.maxSum = std::to_string(between(100, 279));
        }
        for (auto& limit : c.tens) limit = maybe() ? std::to_string(between(0, 4)) : "6";
        for (auto& limit : c.ones) limit = maybe() ? std::to_string(between(0, 2)) : "6";
        if (maybe()) {
            c.enableGroups = 1;
            for (auto& group : c.groups)
                for (auto& value : group) value = maybe() ? number() : "";
        }
        if (maybe()) {
            c.enablePosAnalysis = 1;
            c.positionPreset = static_cast<PositionPreset>(between(0, 4));
            for (int k = 0; k < 6; ++k) {
                const int low = between(1, 30);
                c.positionLimits[2 * k] = std::to_string(low);
                c.positionLimits[2 * k + 1] = std::to_string(between(low, 49));
            }
        }
        if (maybe()) c.maxDif = std::to_string(between(2, 30));
        if (maybe()) {
            c.enableLocks = 1;
            for (auto& lock : c.lockedIn) lock = between(0, 5) == 0 ? number() : "";
            for (auto& lock : c.lockedOut) lock = maybe() ? number() : "";
        }
        RunTables tables;
        tables.lastDraw = std::array<int, 6>{between(1, 8),   between(9, 16),  between(17, 24),
                                             between(25, 32), between(33, 40), between(41, 49)};
        tables.forbiddenSignatures = random() | (std::uint64_t{random()} << 32);
        for (int& sum : tables.lastFifteenSums) sum = maybe() ? between(21, 279) : 0;
        if (maybe()) {
            c.filterAgainstHistory = 1;
            std::vector<DrawRecord> draws;
            for (int i = 0; i < 30; ++i) {
                DrawRecord draw;
                draw.numbers = {between(1, 8),   between(9, 16),  between(17, 24),
                                between(25, 32), between(33, 40), between(41, 49)};
                draws.push_back(draw);
            }
            tables.history = HistoryIndex(draws, between(0, 6));
        }
        const SetPipeline pipeline(c, tables);

        // A random pick of 10 to 14 numbers, its sets in run order.
        std::vector<int> pick(49);
        std::iota(pick.begin(), pick.end(), 1);
        std::shuffle(pick.begin(), pick.end(), random);
        pick.resize(between(10, 14));
        std::sort(pick.begin(), pick.end());
        forEachSetInRunOrder(static_cast<int>(pick.size()), [&](const std::array<int, 6>& index) {
            Combination set;
            for (int k = 0; k < 6; ++k) set[k] = pick[index[k]];
            EXPECT_EQ(pipeline.passes(set), pipeline.passesStepByStep(set))
                << "trial " << trial << " set " << set[0] << " " << set[1] << " " << set[2] << " " << set[3] << " "
                << set[4] << " " << set[5];
            ++outcomes[pipeline.passes(set)];
            return true;
        });
    }
    EXPECT_GT(outcomes[0], 10000); // both verdicts were put to the test
    EXPECT_GT(outcomes[1], 10000);
}

// Each step alone, so that no other step hides a wrong answer: working A to D
// and then E out once must agree with the step's plain test of every set.
TEST(SetPipeline, EachStepAloneAgreesWithItsPlainTest) {
    std::mt19937 random(49);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    enum Step {
        Midpoint,
        Pairs,
        Signatures,
        EvenCounts,
        Shadow,
        FromLastDraw,
        Keys,
        SumPick,
        SumLimits,
        LastFifteen,
        Tens,
        Ones,
        Groups,
        Positions,
        Difference,
        Locks,
        History,
        StepCount
    };
    std::array<std::array<int, 2>, StepCount> outcomes{};
    for (int trial = 0; trial < 20 * StepCount; ++trial) {
        const Step step = static_cast<Step>(trial % StepCount);
        std::vector<int> pick(49);
        std::iota(pick.begin(), pick.end(), 1);
        std::shuffle(pick.begin(), pick.end(), random);
        pick.resize(16);
        std::sort(pick.begin(), pick.end());
        auto fromPick = [&] { return std::to_string(pick[between(0, 15)]); };
        FilterControls c;
        RunTables tables;
        switch (step) {
        case Midpoint:
            c.maxBelowMid = std::to_string(between(0, 6));
            c.maxAboveMid = std::to_string(between(0, 5));
            c.minBelowMid = std::to_string(between(0, 4));
            c.minAboveMid = std::to_string(between(0, 4));
            break;
        case Pairs:
            c.enablePairs = 1;
            c.maxConsecutives = std::to_string(between(0, 5));
            c.allowPairs = between(0, 3) > 0;
            c.allowTwoPairs = between(0, 1);
            c.allowThreePairs = between(0, 1);
            c.requirePair = between(0, 1);
            break;
        case Signatures:
            c.evensSignatures = 1;
            tables.forbiddenSignatures = random() | (std::uint64_t{random()} << 32);
            break;
        case EvenCounts:
            for (auto& allowed : c.evensAllowed) allowed = between(0, 2) > 0;
            break;
        case Shadow:
        case FromLastDraw:
            tables.lastDraw = std::array<int, 6>{between(1, 9),   between(10, 17), between(18, 25),
                                                 between(26, 33), between(34, 41), between(42, 49)};
            (step == Shadow ? c.lastDrawNumMaxPos : c.lastDrawNumMax) = std::to_string(between(0, 2));
            break;
        case Keys:
            c.enableKeyNumbers = 1;
            c.keyRule = static_cast<KeyRule>(between(0, 2));
            for (auto& key : c.keyNumbers) key = between(0, 2) > 0 ? fromPick() : (between(0, 4) == 0 ? "7.5" : "");
            break;
        case SumPick:
            c.enableSumPick = 1;
            for (auto&& accepted : c.sumsAccepted) accepted = between(0, 2) > 0;
            break;
        case SumLimits:
            c.minSum = std::to_string(between(21, 200));
            c.maxSum = std::to_string(between(60, 279));
            break;
        case LastFifteen:
            for (int& sum : tables.lastFifteenSums) sum = between(60, 220);
            break;
        case Tens:
            for (auto& limit : c.tens) limit = between(0, 1) ? std::to_string(between(0, 3)) : "6";
            break;
        case Ones:
            for (auto& limit : c.ones) limit = between(0, 1) ? std::to_string(between(0, 2)) : "6";
            break;
        case Groups:
            c.enableGroups = 1;
            for (auto& group : c.groups)
                for (auto& value : group) value = between(0, 1) ? fromPick() : "";
            break;
        case Positions:
            c.enablePosAnalysis = 1;
            c.positionPreset = static_cast<PositionPreset>(between(0, 4));
            for (int k = 0; k < 6; ++k) {
                const int low = between(1, 25);
                c.positionLimits[2 * k] = std::to_string(low);
                c.positionLimits[2 * k + 1] = std::to_string(between(low + 10, 49));
            }
            break;
        case Difference: c.maxDif = std::to_string(between(3, 20)); break;
        case Locks:
            c.enableLocks = 1;
            for (auto& lock : c.lockedIn) lock = between(0, 7) == 0 ? fromPick() : "";
            for (auto& lock : c.lockedOut) lock = between(0, 2) == 0 ? fromPick() : "";
            break;
        case History: {
            c.filterAgainstHistory = 1;
            std::vector<DrawRecord> draws(between(1, 60));
            for (DrawRecord& draw : draws) {
                std::array<int, 20> pool;
                std::iota(pool.begin(), pool.end(), between(1, 30));
                std::shuffle(pool.begin(), pool.end(), random);
                std::copy_n(pool.begin(), 6, draw.numbers.begin());
                std::sort(draw.numbers.begin(), draw.numbers.end());
            }
            tables.history = HistoryIndex(draws, between(0, 5));
            break;
        }
        case StepCount: break;
        }
        const SetPipeline pipeline(c, tables);
        forEachSetInRunOrder(16, [&](const std::array<int, 6>& index) {
            Combination set;
            for (int k = 0; k < 6; ++k) set[k] = pick[index[k]];
            const bool passes = pipeline.passes(set);
            EXPECT_EQ(passes, pipeline.passesStepByStep(set))
                << "step " << step << " trial " << trial << " set " << set[0] << " " << set[1] << " " << set[2] << " "
                << set[3] << " " << set[4] << " " << set[5];
            ++outcomes[step][passes];
            return !HasFailure();
        });
        if (HasFailure()) return;
    }
    for (int step = 0; step < StepCount; ++step) { // every step both passed and failed sets
        EXPECT_GT(outcomes[step][0], 1000) << "step " << step;
        EXPECT_GT(outcomes[step][1], 1000) << "step " << step;
    }
}
