// What chance alone would keep: each row's chance share against a plain count
// (every set of the pick tested by a wheel run's own steps at every draw the
// row judged, with the draws before it as history), and the lift it gives on
// random draws (no filter shows merit) and on draws chosen to pass a filter
// (the effect is found).
#include "BacktestFixtures.h"
#include "backtest/Backtest.h"
#include "backtest/BacktestReport.h"
#include "support/Picks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

using namespace orvane;
using namespace orvane::backtest_fixtures;

namespace {

// Pairs and neighbours, evens and odds alternating, spread over the decades.
const std::vector<int> kSmallPick = {3, 4, 9, 10, 15, 16, 21, 22, 27, 28, 33, 34, 39, 40, 45, 46};

// Draws of six numbers of `pick`, each set of it equally likely: on random
// draws of 49 numbers the draws inside a pick are just such draws.
std::vector<DrawRecord> randomDraws(const std::vector<int>& pick, std::size_t count, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<DrawRecord> draws;
    for (std::size_t i = 0; i < count; ++i) {
        std::vector<int> numbers = pick;
        for (std::size_t k = 0; k < 6; ++k) std::swap(numbers[k], numbers[k + random() % (numbers.size() - k)]);
        DrawRecord draw{static_cast<long>(10100 + i), {}};
        std::copy(numbers.begin(), numbers.begin() + 6, draw.numbers.begin());
        std::sort(draw.numbers.begin(), draw.numbers.end());
        draws.push_back(draw);
    }
    return draws;
}

// Every filter on, each keeping a fair share of the small pick's sets.
FilterControls everyFilterOnForSmallPick() {
    FilterControls c = everyFilterOn();
    c.lastDrawNumMax = "2";
    c.lastDrawNumMaxPos = "3";
    c.lockedOut[0] = "3";
    c.exactValues[5] = {"39", "40", "45", "46", "", "", "", "", "", ""};
    c.maxFromHistory = "4";
    c.positionPreset = PositionPreset::Percent99;
    c.tens = {"4", "4", "4", "4", "4"};
    return c;
}

std::size_t needed(const std::vector<BacktestFilter>& filters) {
    std::size_t most = 0;
    for (BacktestFilter filter : filters)
        most = std::max(most, static_cast<std::size_t>(backtestFilterInfo(filter).historyNeeded));
    return most;
}

// The mean over the draws judged (in the pick, from the first draw every one
// of `filters` can judge) of the share of the pick's sets they keep together.
double plainChance(const BacktestRequest& request, const BacktestResult& result,
                   const std::vector<BacktestFilter>& filters) {
    FilterControls only = onlyFilters(filters, request.controls);
    normaliseForRun(only);
    double shares = 0;
    int judged = 0;
    for (const DrawVerdict& draw : result.draws) {
        if (!draw.inPick || draw.index < needed(filters)) continue;
        const SetPipeline pipeline(only, tablesBefore(only, request.draws, draw.index));
        std::uint64_t kept = 0, all = 0;
        forEachSet(result.pick, [&](const Combination& set) {
            ++all;
            kept += plainPasses(pipeline, set);
        });
        shares += static_cast<double>(kept) / static_cast<double>(all);
        ++judged;
    }
    return judged == 0 ? 0.0 : shares / judged;
}

std::vector<BacktestFilter> allBut(const std::vector<BacktestFilter>& filters, BacktestFilter left) {
    std::vector<BacktestFilter> others;
    for (BacktestFilter filter : filters)
        if (filter != left) others.push_back(filter);
    return others;
}

std::vector<BacktestFilter> activeOf(const BacktestResult& result) {
    std::vector<BacktestFilter> active;
    for (const FilterResult& row : result.filters) active.push_back(row.filter);
    return active;
}

} // namespace

// Every limit of the filter against history, alone and with filters that read
// no history: counted exactly from each set's first rejecting draw.
TEST(BacktestChance, FilterAgainstHistoryIsCountedExactlyForEveryLimit) {
    for (const char* limit : {"1", "2", "3", "4", "5"}) {
        BacktestRequest request;
        request.pick = kSmallPick;
        request.draws = randomDraws(kSmallPick, 50, 11);
        request.controls.filterAgainstHistory = 1;
        request.controls.maxFromHistory = limit;
        request.controls.minSum = "90";
        request.controls.evensAllowed = {0, 1, 1, 1, 1, 1, 0};
        const BacktestResult result = runBacktest(request);
        ASSERT_TRUE(result.complete);
        const std::vector<BacktestFilter> active = activeOf(result);
        ASSERT_EQ(active.size(), 3u);
        for (const FilterResult& row : result.filters) {
            EXPECT_FALSE(row.chance.estimated);
            EXPECT_NEAR(row.chance.share, plainChance(request, result, {row.filter}), 1e-12)
                << backtestFilterName(row.filter) << ", limit " << limit;
            EXPECT_FALSE(row.chanceWithout.estimated);
            EXPECT_NEAR(row.chanceWithout.share, plainChance(request, result, allBut(active, row.filter)), 1e-12)
                << "without " << backtestFilterName(row.filter) << ", limit " << limit;
        }
        EXPECT_FALSE(result.joint.chance.estimated);
        EXPECT_NEAR(result.joint.chance.share, plainChance(request, result, active), 1e-12) << "limit " << limit;
    }
}

// Every filter on: each alone counted exactly, and all together and all but
// one from a sample that here holds every set, tried at every draw, so that
// it too must come out exact.
TEST(BacktestChance, EveryRowMatchesAPlainCountWhenTheSampleHoldsEverySet) {
    BacktestRequest request;
    request.pick = kSmallPick;
    request.draws = randomDraws(kSmallPick, 45, 7);
    request.controls = everyFilterOnForSmallPick();
    const BacktestResult result = runBacktest(request);
    const std::vector<BacktestFilter> active = activeOf(result);
    ASSERT_EQ(active.size(), static_cast<std::size_t>(kBacktestFilterCount));
    for (const FilterResult& row : result.filters) {
        EXPECT_FALSE(row.chance.estimated);
        EXPECT_NEAR(row.chance.share, plainChance(request, result, {row.filter}), 1e-12) << backtestFilterName(row.filter);
        EXPECT_NEAR(row.chanceWithout.share, plainChance(request, result, allBut(active, row.filter)), 1e-12)
            << "without " << backtestFilterName(row.filter);
        EXPECT_EQ(row.chanceWithout.error, 0.0);
    }
    EXPECT_TRUE(result.joint.chance.estimated);   // by the sample, which holds every set
    EXPECT_EQ(result.joint.chance.error, 0.0);
    EXPECT_NEAR(result.joint.chance.share, plainChance(request, result, active), 1e-12);
    EXPECT_GT(result.joint.chance.share, 0.0);
}

// A long history tries sets at random draws: the estimate is unbiased and
// carries its error, and a seed gives the same figures on any slicing.
TEST(BacktestChance, AnEstimateLiesWithinItsErrorAndRepeats) {
    BacktestRequest request;
    request.pick = kSmallPick;
    request.draws = randomDraws(kSmallPick, 400, 3);
    request.controls = onlyFilters({BacktestFilter::LastDraw, BacktestFilter::LastFifteenSums,
                                    BacktestFilter::AgainstHistory, BacktestFilter::SumLimits},
                                   everyFilterOnForSmallPick());
    const BacktestResult result = runBacktest(request);
    const FilterResult& joint = result.joint;
    ASSERT_TRUE(joint.chance.estimated);
    EXPECT_GT(joint.chance.error, 0.0);
    EXPECT_LT(joint.chance.error, 0.01 * joint.chance.share);
    EXPECT_NEAR(joint.chance.share, plainChance(request, result, activeOf(result)), 4 * joint.chance.error);

    BacktestJob sliced(request);
    while (!sliced.advance(std::chrono::microseconds(200))) {
    }
    EXPECT_EQ(sliced.result().joint.chance.share, joint.chance.share);
    EXPECT_EQ(sliced.result().joint.chance.error, joint.chance.error);
}
