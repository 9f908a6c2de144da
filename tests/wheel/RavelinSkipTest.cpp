#include "wheel/RavelinSkip.h"
#include "wheel/WheelJob.h"

#include "support/RunOrder.h"
#include "support/Picks.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// The skip written the plain way, one test after the other on every call, with
// nothing remembered between calls: what RavelinSkip::apply must agree with.
struct PlainSkip {
    const std::vector<int>& pick;
    PositionLimits limits;
    long long maxDifference;
    long long maxSum;

    int size() const { return static_cast<int>(pick.size()); }
    int last(int k) const { return size() - 6 + k; }

    void advance(std::array<int, 6>& index, int position) const {
        ++index[position];
        for (int k = position + 1; k < 6; ++k) index[k] = index[k - 1] + 1;
        for (int k = 0; k < 6; ++k) index[k] = std::min(index[k], last(k));
    }

    RavelinSkip::Result apply(std::array<int, 6>& index) const {
        auto number = [&](int k) { return pick[index[k]]; };
        if (index[5] - index[0] == 5) {
            long long sum = 0;
            for (int k = 0; k < 6; ++k) sum += number(k);
            if (sum > maxSum) return RavelinSkip::Result::End;
        }
        if (maxDifference < 44) {
            for (int k = 4; k >= 0; --k) {
                if (number(k + 1) - number(k) > maxDifference) {
                    advance(index, k);
                    return RavelinSkip::Result::Moved;
                }
            }
        }
        bool moved = false;
        for (int k = 5; k >= 1; --k) {
            if (number(k) > limits.max[k]) {
                advance(index, k - 1);
                moved = true;
            }
        }
        if (number(0) > limits.max[0]) return RavelinSkip::Result::End;
        int low = 0;
        while (low < 6 && number(low) >= limits.min[low]) ++low;
        if (low < 6) {
            for (int k = low; k < 6; ++k) {
                int first = 0;
                while (first < size() && pick[first] < limits.min[k]) ++first;
                index[k] = std::max(k == low ? index[k] + 1 : index[k - 1] + 1, first);
            }
            for (int k = low; k < 6; ++k)
                if (index[k] > last(k)) return RavelinSkip::Result::End;
            moved = true;
        }
        return moved ? RavelinSkip::Result::Moved : RavelinSkip::Result::Stay;
    }
};

PlainSkip plainSkip(const std::vector<int>& pick, const FilterControls& controls) {
    return {pick, positionLimits(controls), std::stoll(controls.maxDif), std::stoll(controls.maxSum)};
}

// Random filter controls that bear on the skip: sums, the maximum difference
// (often small, so that gaps matter), and positional limits from a preset or
// typed, sometimes with fractions or beyond 1..49.
FilterControls randomSkipControls(std::mt19937& random) {
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    FilterControls controls;
    controls.maxDif = std::to_string(between(0, 3) == 0 ? between(0, 12) : between(1, 44));
    controls.minSum = std::to_string(between(21, 150));
    controls.maxSum = std::to_string(between(60, 279));
    if (between(0, 3) > 0) {
        controls.enablePosAnalysis = 1;
        controls.positionPreset = static_cast<PositionPreset>(between(0, 4));
        for (int k = 0; k < 6; ++k) {
            const int low = between(-2, 49);
            const int high = between(low, 52);
            const bool fraction = between(0, 3) == 0;
            controls.positionLimits[2 * k] = std::to_string(low) + (fraction ? ".5" : "");
            controls.positionLimits[2 * k + 1] = std::to_string(high) + (fraction ? ".5" : "");
        }
    }
    return controls;
}

// The run as the plain loop: every set counted, moved by the plain skip, then tested.
Outcome referenceRun(const std::vector<int>& pick, const FilterControls& controls, bool withSkip) {
    Outcome outcome;
    const SetPipeline pipeline(controls, RunTables{});
    std::optional<PlainSkip> skip;
    if (withSkip) skip.emplace(plainSkip(pick, controls));
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
        std::vector<int> pick = randomPick(random, 7, 14);

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
        ASSERT_EQ(skipped.generated, referenceRun(pick, controls, true).generated) << "trial " << trial;
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
                if (k > 0) {
                    ASSERT_LT(index[k - 1], index[k]);
                }
            }
        }
    }
    EXPECT_GT(trialsThatSkipped, 150);
}

namespace {
// Checks one call of the skip against the plain skip, and the block of staying
// sets it reports after it.
void expectAgreement(const RavelinSkip& skip, const PlainSkip& plain, std::array<int, 6> index) {
    std::array<int, 6> fast = index;
    std::array<int, 6> slow = index;
    const RavelinSkip::Result result = skip.apply(fast);
    ASSERT_EQ(result, plain.apply(slow));
    if (result == RavelinSkip::Result::End) return;
    ASSERT_EQ(fast, slow);
    const int lastF = skip.lastStayingF(fast);
    if (result == RavelinSkip::Result::Stay) {
        ASSERT_GE(lastF, fast[5]);
    }
    if (lastF < 0) return;
    ASSERT_LT(lastF, plain.size());
    // Every later set of the block stays where it is; the one after it does not.
    for (int f = fast[5] + 1; f <= lastF + 1 && f < plain.size(); ++f) {
        std::array<int, 6> later = fast;
        later[5] = f;
        const RavelinSkip::Result laterResult = plain.apply(later);
        if (f <= lastF) {
            ASSERT_EQ(laterResult, RavelinSkip::Result::Stay) << "F index " << f;
        } else {
            ASSERT_NE(laterResult, RavelinSkip::Result::Stay) << "F index " << f;
        }
    }
}
} // namespace

TEST(RavelinSkip, AgreesWithThePlainSkipCallByCall) {
    std::mt19937 random(4949);
    for (int trial = 0; trial < 400; ++trial) {
        const std::vector<int> pick = randomPick(random, 6, 49);
        const FilterControls controls = randomSkipControls(random);
        const PlainSkip plain = plainSkip(pick, controls);
        RavelinSkip skip(pick, plain.limits, plain.maxDifference, plain.maxSum);
        SCOPED_TRACE("trial " + std::to_string(trial));

        // Sets in no particular order, so that nothing remembered from one call helps the next.
        std::vector<int> positions(pick.size());
        std::iota(positions.begin(), positions.end(), 0);
        for (int probe = 0; probe < 200; ++probe) {
            std::shuffle(positions.begin(), positions.end(), random);
            std::array<int, 6> index{};
            std::copy_n(positions.begin(), 6, index.begin());
            std::sort(index.begin(), index.end());
            expectAgreement(skip, plain, index);
            if (HasFatalFailure()) return;
        }

        // Then in run order, as a wheel calls it, the block taken after each set.
        int calls = 0;
        forEachSetInRunOrder(static_cast<int>(pick.size()), [&](std::array<int, 6>& index) {
            expectAgreement(skip, plain, index);
            if (::testing::Test::HasFatalFailure() || ++calls > 20000) return false;
            return plain.apply(index) != RavelinSkip::Result::End;
        });
        if (HasFatalFailure()) return;
    }
}

TEST(WheelCounting, SetsCountedInBlocksMatchThePlainLoop) {
    std::mt19937 random(99);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<int> pick = randomPick(random, 7, 16);
        FilterControls controls = randomSkipControls(random);
        controls.tens[between(0, 4)] = std::to_string(between(0, 3));
        controls.ones[between(0, 9)] = std::to_string(between(0, 2));
        if (between(0, 1)) {
            controls.enablePairs = 1;
            controls.allowTwoPairs = 0;
        }
        if (between(0, 1)) controls.maxBelowMid = std::to_string(between(1, 5));
        const bool withSkip = between(0, 1) == 1;
        const Outcome job = wheel(pick, controls, withSkip);
        const Outcome plain = referenceRun(pick, controls, withSkip);
        ASSERT_EQ(job.generated, plain.generated) << "trial " << trial;
        ASSERT_EQ(job.passing, plain.passing) << "trial " << trial;
    }
}
