#include "wheel/RavelinSkip.h"
#include "wheel/WheelJob.h"

#include "support/RunOrder.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

using namespace orvane;

namespace {

class Recorder : public WheelOutput {
public:
    explicit Recorder(std::vector<Combination>& sets) : sets_(sets) {}
    bool record(const Combination& set, std::uint64_t, std::uint64_t) override {
        sets_.push_back(set);
        return true;
    }
    bool close() override { return true; }
    Notice failure() const override { return {}; }

private:
    std::vector<Combination>& sets_;
};

std::vector<int> range(int first, int last) {
    std::vector<int> pick(last - first + 1);
    std::iota(pick.begin(), pick.end(), first);
    return pick;
}

WheelJob::SkipLimits skipLimits(const FilterControls& controls) {
    return {positionLimits(controls), std::stoll(controls.maxDif), std::stoll(controls.maxSum)};
}

struct Outcome {
    std::vector<Combination> passing;
    std::uint64_t generated;
    Combination last;
};

Outcome wheel(const std::vector<int>& pick, const FilterControls& controls, bool withSkip) {
    Outcome outcome;
    WheelJob job(pick, SetPipeline(controls, RunTables{}), std::make_unique<Recorder>(outcome.passing),
                 withSkip ? std::optional(skipLimits(controls)) : std::nullopt);
    job.runToEnd();
    outcome.generated = job.generated();
    outcome.last = job.currentSet();
    return outcome;
}

std::array<int, 6> indexesOf(const std::vector<int>& pick, const Combination& set) {
    std::array<int, 6> index{};
    for (int k = 0; k < 6; ++k) index[k] = static_cast<int>(std::find(pick.begin(), pick.end(), set[k]) - pick.begin());
    return index;
}

Combination setAt(const std::vector<int>& pick, const std::array<int, 6>& index) {
    Combination set{};
    for (int k = 0; k < 6; ++k) set[k] = pick[index[k]];
    return set;
}

} // namespace

TEST(RavelinSkip, PermissiveLimitsNeverMoveAnything) {
    const Outcome plain = wheel(range(1, 20), FilterControls{}, false);
    const Outcome skipped = wheel(range(1, 20), FilterControls{}, true);
    EXPECT_EQ(skipped.generated, plain.generated);
    EXPECT_EQ(skipped.passing, plain.passing);
}

TEST(RavelinSkip, EndsAtTheFirstConsecutiveSetAboveTheMaximumSum) {
    FilterControls controls;
    controls.maxSum = "100";
    const Outcome outcome = wheel(range(1, 49), controls, true);
    EXPECT_EQ(outcome.last, (Combination{15, 16, 17, 18, 19, 20}));
    EXPECT_LT(outcome.generated, 13'983'816u);
    for (const Combination& set : outcome.passing) EXPECT_LE(std::accumulate(set.begin(), set.end(), 0), 100);
}

TEST(RavelinSkip, FiftyPercentPresetMovesTheFirstSet) {
    FilterControls controls;
    controls.enablePosAnalysis = 1;
    controls.positionPreset = PositionPreset::Percent50;
    const Outcome outcome = wheel(range(1, 49), controls, true);
    ASSERT_FALSE(outcome.passing.empty());
    EXPECT_EQ(outcome.passing.front(), (Combination{1, 5, 11, 15, 26, 38}));
    EXPECT_EQ(outcome.passing, wheel(range(1, 49), controls, false).passing);
}

TEST(RavelinSkip, WideGapAdvancesItsLowerPosition) {
    const std::vector<int> pick = range(1, 49);
    RavelinSkip skip(pick, PositionLimits{}, 10, 279);
    std::array<int, 6> index = indexesOf(pick, {1, 2, 3, 4, 5, 16});
    EXPECT_EQ(skip.apply(index), RavelinSkip::Result::Moved);
    EXPECT_EQ(setAt(pick, index), (Combination{1, 2, 3, 4, 6, 7}));
}

TEST(RavelinSkip, RaisingAMinimumKeepsTheSetsThatPass) {
    // Raising C alone would land on 1 3 5 6 8 10 and jump over 1 3 5 6 8 9, which passes.
    const std::vector<int> pick{1, 2, 3, 4, 5, 6, 8, 9, 10};
    FilterControls controls;
    controls.enablePosAnalysis = 1;
    controls.positionPreset = PositionPreset::UserLimits;
    controls.positionLimits[4] = "5";
    controls.maxDif = "2";
    RavelinSkip skip(pick, positionLimits(controls), 2, 279);
    std::array<int, 6> index = indexesOf(pick, {1, 3, 4, 6, 8, 10});
    EXPECT_EQ(skip.apply(index), RavelinSkip::Result::Moved);
    EXPECT_EQ(setAt(pick, index), (Combination{1, 3, 5, 6, 8, 9}));
    EXPECT_EQ(wheel(pick, controls, true).passing, wheel(pick, controls, false).passing);
}

TEST(RavelinSkip, AMinimumNoNumberReachesEndsTheEnumeration) {
    const std::vector<int> pick = range(1, 12);
    PositionLimits limits;
    limits.min[5] = 30;
    RavelinSkip skip(pick, limits, 44, 279);
    std::array<int, 6> index{0, 1, 2, 3, 4, 5};
    EXPECT_EQ(skip.apply(index), RavelinSkip::Result::End);
}

TEST(RavelinSkip, NeverChangesWhichSetsPass) {
    std::mt19937 random(2026);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    int trialsThatSkipped = 0;
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<int> pick = range(1, 49);
        std::shuffle(pick.begin(), pick.end(), random);
        pick.resize(between(7, 14));
        std::sort(pick.begin(), pick.end());

        FilterControls controls;
        controls.maxDif = std::to_string(between(1, 44));
        controls.minSum = std::to_string(between(21, 150));
        controls.maxSum = std::to_string(between(100, 279));
        if (between(0, 3) > 0) {
            controls.enablePosAnalysis = 1;
            controls.positionPreset = static_cast<PositionPreset>(between(0, 4));
            for (int k = 0; k < 6; ++k) {
                const int low = between(1, 49);
                controls.positionLimits[2 * k] = std::to_string(low);
                controls.positionLimits[2 * k + 1] = std::to_string(between(low, 49));
            }
        }
        const Outcome plain = wheel(pick, controls, false);
        const Outcome skipped = wheel(pick, controls, true);
        ASSERT_EQ(skipped.passing, plain.passing) << "trial " << trial;
        ASSERT_LE(skipped.generated, plain.generated);
        trialsThatSkipped += skipped.generated < plain.generated;

        // Every move lands on valid, strictly increasing indexes.
        RavelinSkip skip(pick, positionLimits(controls), std::stoll(controls.maxDif), std::stoll(controls.maxSum));
        for (int probe = 0; probe < 50; ++probe) {
            std::vector<int> chosen(pick.size());
            std::iota(chosen.begin(), chosen.end(), 0);
            std::shuffle(chosen.begin(), chosen.end(), random);
            std::array<int, 6> index{};
            std::copy_n(chosen.begin(), 6, index.begin());
            std::sort(index.begin(), index.end());
            if (skip.apply(index) == RavelinSkip::Result::End) continue;
            for (int k = 0; k < 6; ++k) {
                ASSERT_LT(index[k], static_cast<int>(pick.size()));
                if (k > 0) ASSERT_LT(index[k - 1], index[k]);
            }
        }
    }
    EXPECT_GT(trialsThatSkipped, 150);
}

namespace {
// The run as the plain loop: every set counted, moved by the skip, then tested.
Outcome referenceRun(const std::vector<int>& pick, const FilterControls& controls, bool withSkip) {
    Outcome outcome;
    const SetPipeline pipeline(controls, RunTables{});
    std::optional<RavelinSkip> skip;
    if (withSkip) skip.emplace(pick, positionLimits(controls), std::stoll(controls.maxDif), std::stoll(controls.maxSum));
    outcome.generated = 0;
    forEachSetInRunOrder(static_cast<int>(pick.size()), [&](std::array<int, 6>& index) {
        ++outcome.generated;
        if (skip && skip->apply(index) == RavelinSkip::Result::End) return false;
        const Combination set = setAt(pick, index);
        if (pipeline.passes(set)) outcome.passing.push_back(set);
        return true;
    });
    return outcome;
}
} // namespace

TEST(WheelCounting, SetsCountedInBlocksMatchThePlainLoop) {
    std::mt19937 random(99);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<int> pick = range(1, 49);
        std::shuffle(pick.begin(), pick.end(), random);
        pick.resize(between(7, 16));
        std::sort(pick.begin(), pick.end());
        FilterControls controls;
        controls.maxDif = std::to_string(between(3, 44));
        controls.minSum = std::to_string(between(21, 120));
        controls.maxSum = std::to_string(between(100, 279));
        controls.tens[between(0, 4)] = std::to_string(between(0, 3));
        controls.ones[between(0, 9)] = std::to_string(between(0, 2));
        if (between(0, 1)) {
            controls.enablePairs = 1;
            controls.allowTwoPairs = 0;
        }
        if (between(0, 1)) controls.maxBelowMid = std::to_string(between(1, 5));
        if (between(0, 1)) {
            controls.enablePosAnalysis = 1;
            controls.positionPreset = static_cast<PositionPreset>(between(0, 3));
        }
        const bool withSkip = between(0, 1) == 1;
        const Outcome job = wheel(pick, controls, withSkip);
        const Outcome plain = referenceRun(pick, controls, withSkip);
        ASSERT_EQ(job.generated, plain.generated) << "trial " << trial;
        ASSERT_EQ(job.passing, plain.passing) << "trial " << trial;
    }
}
