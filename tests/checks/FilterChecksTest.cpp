#include "checks/FilterChecks.h"
#include "checks/HistoryIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using namespace orvane;

namespace {
std::array<double, 10> onesLimits(int digit, double limit) {
    std::array<double, 10> limits;
    limits.fill(6);
    limits[digit] = limit;
    return limits;
}
std::array<double, 10> allOnes(double limit) {
    std::array<double, 10> limits;
    limits.fill(limit);
    return limits;
}
} // namespace

TEST(CheckOnesPlace, CountsNumbersPerLastDigit) {
    EXPECT_FALSE(CheckOnesPlace({3, 13, 20, 31, 40, 45}, onesLimits(3, 1)));
    EXPECT_FALSE(CheckOnesPlace({1, 10, 20, 33, 41, 45}, onesLimits(0, 1)));
    EXPECT_TRUE(CheckOnesPlace({1, 2, 3, 4, 5, 6}, allOnes(1)));
    EXPECT_TRUE(CheckOnesPlace({9, 19, 29, 39, 49, 1}, onesLimits(9, 5)));
    EXPECT_FALSE(CheckOnesPlace({1, 2, 3, 4, 5, 9}, onesLimits(9, 0)));
}

TEST(CheckNumberGroup, FailsFromFourMembersOn) {
    const std::array<double, 8> values{1, 2, 3, 4, 5, 6, 7, 8};
    const std::uint64_t group = valueMask(values.data(), 8);
    EXPECT_TRUE(CheckNumberGroup({1, 2, 3, 20, 30, 40}, group));
    EXPECT_FALSE(CheckNumberGroup({1, 2, 3, 4, 30, 40}, group));
    EXPECT_TRUE(CheckNumberGroup({1, 2, 3, 4, 30, 40}, 0)); // eight empty boxes
    const std::array<double, 8> repeated{5, 5, 5, 5, 5, 5, 5, 5};
    EXPECT_TRUE(CheckNumberGroup({5, 6, 7, 8, 9, 10}, valueMask(repeated.data(), 8)));
}

TEST(CheckConsecutives, RunOfLimitPlusTwoFails) {
    EXPECT_TRUE(CheckConsecutives({5, 6, 10, 11, 20, 21}, 1));
    EXPECT_FALSE(CheckConsecutives({5, 6, 7, 20, 30, 40}, 1));
    EXPECT_FALSE(CheckConsecutives({1, 3, 5, 7, 9, 10}, 0));
    EXPECT_TRUE(CheckConsecutives({1, 3, 5, 7, 9, 11}, 0));
    EXPECT_FALSE(CheckConsecutives({10, 11, 12, 13, 14, 15}, 4));
    EXPECT_TRUE(CheckConsecutives({10, 11, 12, 13, 14, 20}, 4));
    for (double limit : {5.0, 6.0, -1.0, 1.5}) EXPECT_TRUE(CheckConsecutives({10, 11, 12, 13, 14, 15}, limit)) << limit;
}

TEST(CheckLocks, LockedInAndOut) {
    std::array<double, 6> in{};
    EXPECT_TRUE(CheckLockedIn({3, 13, 20, 30, 40, 45}, in));
    in[1] = 12;
    EXPECT_TRUE(CheckLockedIn({3, 12, 20, 30, 40, 45}, in));
    EXPECT_FALSE(CheckLockedIn({3, 13, 20, 30, 40, 45}, in));
    std::array<double, 30> out{};
    out[5 * 5 + 3] = 45; // one of F's five boxes
    EXPECT_FALSE(CheckLockedOut({3, 12, 20, 30, 40, 45}, out));
    EXPECT_TRUE(CheckLockedOut({3, 12, 20, 30, 45, 46}, out));
}

TEST(CheckMidpoint, LimitsBelowAndAbove) {
    EXPECT_FALSE(CheckMidpoint({1, 2, 3, 4, 30, 40}, 3, 6, 0, 0));
    EXPECT_TRUE(CheckMidpoint({1, 2, 3, 30, 40, 45}, 3, 6, 0, 0));
    EXPECT_TRUE(CheckMidpoint({1, 2, 3, 4, 5, 6}, 6, 6, 0, 5)); // both maxima at 6: off
    EXPECT_FALSE(CheckMidpoint({1, 2, 3, 4, 5, 6}, 6, 5, 0, 1));
    EXPECT_TRUE(CheckMidpoint({24, 25, 26, 27, 28, 29}, 1, 5, 1, 5));
}

TEST(ExactValues, SelectionAndPositionTest) {
    std::array<bool, 50> selected{};
    SelectExactValues({17, 0, 49, 50, -3, 7.5, 0, 0, 0, 0}, selected);
    EXPECT_TRUE(selected[17]);
    EXPECT_TRUE(selected[49]);
    EXPECT_EQ(std::count(selected.begin(), selected.end(), true), 2);

    std::array<std::uint64_t, 6> allowed{};
    EXPECT_TRUE(CheckExactPositionA({1, 2, 3, 4, 5, 6}, allowed));
    const std::array<double, 10> cValues{17, 18, 0, 0, 0, 0, 0, 0, 0, 0};
    allowed[2] = valueMask(cValues.data(), 10);
    EXPECT_TRUE(CheckExactPositionA({1, 2, 17, 20, 30, 40}, allowed));
    EXPECT_FALSE(CheckExactPositionA({1, 2, 16, 20, 30, 40}, allowed));
}

TEST(HistoryIndex, SharesMoreThanTheLimit) {
    const std::vector<DrawRecord> draws{{0, {3, 11, 24, 30, 41, 49}}, {0, {1, 2, 3, 4, 5, 6}}};
    HistoryIndex five(draws, 5);
    EXPECT_FALSE(five.CheckAgainstHistory({3, 11, 24, 30, 41, 49}));
    EXPECT_TRUE(five.CheckAgainstHistory({3, 11, 24, 30, 41, 48}));
    HistoryIndex three(draws, 3);
    EXPECT_FALSE(three.CheckAgainstHistory({1, 2, 3, 4, 40, 45}));
    EXPECT_TRUE(three.CheckAgainstHistory({1, 2, 3, 40, 41, 45}));
    HistoryIndex zero(draws, 0);
    EXPECT_FALSE(zero.CheckAgainstHistory({7, 8, 9, 10, 12, 49}));
    EXPECT_TRUE(zero.CheckAgainstHistory({7, 8, 9, 10, 12, 13}));
    EXPECT_TRUE(HistoryIndex(draws, 6).CheckAgainstHistory({3, 11, 24, 30, 41, 49}));
}

TEST(HistoryIndex, AgreesWithAScanOfEveryDraw) {
    std::mt19937 random(7);
    std::vector<DrawRecord> draws;
    auto randomSet = [&] {
        std::array<int, 49> all;
        std::iota(all.begin(), all.end(), 1);
        std::shuffle(all.begin(), all.end(), random);
        Combination set;
        std::copy_n(all.begin(), 6, set.begin());
        std::sort(set.begin(), set.end());
        return set;
    };
    for (int i = 0; i < 300; ++i) draws.push_back({0, randomSet()});
    for (long long limit = 0; limit <= 6; ++limit) {
        HistoryIndex index(draws, limit);
        for (int i = 0; i < 2000; ++i) {
            const Combination set = randomSet();
            bool fails = false;
            for (const DrawRecord& draw : draws) {
                long shared = 0;
                for (int n : draw.numbers) shared += std::count(set.begin(), set.end(), n);
                fails = fails || shared > limit;
            }
            ASSERT_EQ(index.CheckAgainstHistory(set), !fails) << "limit " << limit;
        }
    }
}

#include "support/RunOrder.h"
#include "wheel/SetPipeline.h"
#include "wheel/WheelJob.h"

TEST(HistoryIndex, RunSplitByFirstFiveAgreesWithTheWholeSetCheck) {
    std::mt19937 random(11);
    std::vector<DrawRecord> draws;
    std::array<int, 16> pool;
    std::iota(pool.begin(), pool.end(), 1);
    for (int i = 0; i < 40; ++i) {
        std::shuffle(pool.begin(), pool.end(), random);
        DrawRecord draw;
        std::copy_n(pool.begin(), 6, draw.numbers.begin());
        std::sort(draw.numbers.begin(), draw.numbers.end());
        draws.push_back(draw);
    }
    for (long long limit = 0; limit <= 6; ++limit) {
        FilterControls controls;
        controls.filterAgainstHistory = 1;
        RunTables tables;
        tables.history = HistoryIndex(draws, limit);
        const SetPipeline pipeline(controls, tables);
        // Every set of 1..16 in run order, so A to E are shared as in a run.
        forEachSetInRunOrder(16, [&](const std::array<int, 6>& index) {
            Combination set;
            for (int k = 0; k < 6; ++k) set[k] = index[k] + 1;
            EXPECT_EQ(pipeline.passes(set), tables.history.CheckAgainstHistory(set)) << "limit " << limit;
            return true;
        });
    }
}
