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
// it too must come out exact and say so.
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
        EXPECT_NEAR(row.chance.share, plainChance(request, result, {row.filter}), 1e-12)
            << backtestFilterName(row.filter);
        EXPECT_NEAR(row.chanceWithout.share, plainChance(request, result, allBut(active, row.filter)), 1e-12)
            << "without " << backtestFilterName(row.filter);
        EXPECT_EQ(row.chanceWithout.error, 0.0);
    }
    EXPECT_FALSE(result.joint.chance.estimated); // the sample holds every set, tried at every draw
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
    while (!sliced.advance(std::chrono::microseconds(200))) {}
    EXPECT_EQ(sliced.result().joint.chance.share, joint.chance.share);
    EXPECT_EQ(sliced.result().joint.chance.error, joint.chance.error);
}

namespace {

struct Calibration {
    int histories = 0, covering = 0, withLift = 0;
    double liftSum = 0;
    void add(const FilterResult& row) {
        ++histories;
        covering += row.reading == Reading::ConsistentWithChance;
        if (row.lift) {
            ++withLift;
            liftSum += *row.lift;
        }
    }
    double meanLift() const { return withLift == 0 ? 0.0 : liftSum / withLift; }
};

void expectCalibrated(const Calibration& calibration, const std::string& name) {
    EXPECT_GE(calibration.covering, calibration.histories * 9 / 10) << name;
    EXPECT_EQ(calibration.withLift, calibration.histories) << name;
    EXPECT_GE(calibration.meanLift(), 0.95) << name;
    EXPECT_LE(calibration.meanLift(), 1.05) << name;
}

} // namespace

// On random draws no filter can keep more of the draws than chance: over 200
// seeded histories every filter's lift interval covers 1 in nine of ten, and
// its mean lift is 1 within 5%; all the filters together likewise. The filters
// that read no history run in one backtest, those that do in another, so that
// all together are counted exactly in the one and estimated in the other.
TEST(BacktestChance, OnRandomDrawsNoFilterShowsMerit) {
    std::vector<BacktestFilter> readingHistory, readingNone;
    for (const BacktestFilterInfo& info : backtestFilters())
        (info.historyNeeded > 0 ? readingHistory : readingNone).push_back(info.filter);
    const FilterControls every = everyFilterOnForSmallPick();
    const FilterControls controls[] = {onlyFilters(readingNone, every), onlyFilters(readingHistory, every)};

    std::vector<Calibration> byFilter(kBacktestFilterCount);
    Calibration joint[2];
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        BacktestRequest request;
        request.pick = kSmallPick;
        request.draws = randomDraws(kSmallPick, 600, seed);
        for (int run = 0; run < 2; ++run) {
            request.controls = controls[run];
            const BacktestResult result = runBacktest(request);
            ASSERT_EQ(result.filters.size(), (run == 0 ? readingNone : readingHistory).size());
            for (const FilterResult& row : result.filters) byFilter[static_cast<std::size_t>(row.filter)].add(row);
            joint[run].add(result.joint);
            if (seed == 1) {
                EXPECT_EQ(result.joint.chance.estimated, run == 1);
            }
        }
    }
    for (const BacktestFilterInfo& info : backtestFilters())
        expectCalibrated(byFilter[static_cast<std::size_t>(info.filter)], info.name);
    expectCalibrated(joint[0], "All the filters that read no history");
    expectCalibrated(joint[1], "All the filters that read the history");
}

// The real sample history, all 49 numbers: the filters that read no history
// judge every draw against one share of the sets, and on these draws nearly
// every one of them, at several settings, is consistent with chance.
TEST(BacktestChance, OnTheSampleHistoryThePlainFiltersAreConsistentWithChance) {
    FilterControls loose;
    loose.minSum = "110";
    loose.maxSum = "190";
    loose.maxDif = "15";
    loose.evensAllowed = {0, 0, 1, 1, 1, 0, 0};
    loose.maxBelowMid = "4";
    loose.maxAboveMid = "4";
    loose.tens = {"2", "2", "2", "2", "2"};
    loose.ones = {"1", "1", "1", "1", "1", "1", "1", "1", "1", "1"};
    loose.enablePosAnalysis = 1;
    loose.positionPreset = PositionPreset::Percent90;
    loose.enablePairs = 1;
    loose.allowTwoPairs = 0;
    FilterControls other = everyFilterOn();
    other.rejectLast15Sums = 0;
    other.lastDrawNumMax = "6";
    other.lastDrawNumMaxPos = "6";
    other.evensSignatures = 0;
    other.filterAgainstHistory = 0;
    int rows = 0, consistent = 0;
    for (const FilterControls& controls : {loose, other}) {
        BacktestRequest request;
        request.draws = sampleDraws();
        request.controls = controls;
        const BacktestResult result = runBacktest(request);
        for (const FilterResult& row : result.filters) {
            ASSERT_EQ(backtestFilterInfo(row.filter).historyNeeded, 0) << backtestFilterName(row.filter);
            EXPECT_FALSE(row.chance.estimated);
            EXPECT_EQ(row.chance.share, row.sets.share()); // the same sets at every draw
            ++rows;
            consistent += row.reading == Reading::ConsistentWithChance;
        }
    }
    EXPECT_GE(rows, 20);
    EXPECT_GE(consistent, rows * 9 / 10);
}

namespace {

// Draws of `pick` that `keep` accepts at least `share` of the time, the others at random.
template <typename Keep>
std::vector<DrawRecord> drawsThatPass(const std::vector<int>& pick, std::size_t count, double share, Keep keep) {
    std::mt19937 random(17);
    std::vector<DrawRecord> draws;
    std::uint32_t seed = 1000;
    while (draws.size() < count) {
        const bool chosen = static_cast<double>(random() % 1000) < share * 1000;
        for (int attempt = 0; attempt < 10000; ++attempt) {
            const DrawRecord draw = randomDraws(pick, 1, seed++)[0];
            if (!chosen || keep(draws, draw)) {
                draws.push_back(DrawRecord{static_cast<long>(10100 + draws.size()), draw.numbers});
                break;
            }
        }
    }
    return draws;
}

int shared(const DrawRecord& a, const DrawRecord& b) {
    int count = 0;
    for (int n : a.numbers) count += std::count(b.numbers.begin(), b.numbers.end(), n) > 0;
    return count;
}

} // namespace

// Where the draws truly follow a filter, the method finds it: a lift above 1
// with its whole interval above 1, for a filter that reads no history and for
// two that do.
TEST(BacktestChance, DrawsChosenToPassAFilterShowALiftAboveOne) {
    BacktestRequest sums;
    sums.pick = kSmallPick;
    sums.controls.minSum = "120";
    sums.controls.maxSum = "160";
    sums.draws = drawsThatPass(kSmallPick, 300, 0.5, [](const std::vector<DrawRecord>&, const DrawRecord& draw) {
        int sum = 0;
        for (int n : draw.numbers) sum += n;
        return sum >= 120 && sum <= 160;
    });
    const BacktestResult bySum = runBacktest(sums);
    const FilterResult& sumRow = rowOf(bySum, BacktestFilter::SumLimits);
    ASSERT_TRUE(sumRow.lift);
    EXPECT_GT(sumRow.liftLow, 1.0);
    EXPECT_EQ(sumRow.reading, Reading::AboveChance);

    BacktestRequest last;
    last.pick = kSmallPick;
    last.controls.lastDrawNumMax = "0";
    last.draws = drawsThatPass(kSmallPick, 300, 0.5, [](const std::vector<DrawRecord>& before, const DrawRecord& draw) {
        return before.empty() || shared(before.back(), draw) == 0;
    });
    const BacktestResult byLast = runBacktest(last);
    const FilterResult& lastRow = rowOf(byLast, BacktestFilter::LastDraw);
    EXPECT_GT(lastRow.liftLow, 1.0);
    EXPECT_EQ(lastRow.reading, Reading::AboveChance);

    BacktestRequest history;
    history.pick = range(1, 24);
    history.controls.filterAgainstHistory = 1;
    history.controls.maxFromHistory = "3";
    history.draws =
        drawsThatPass(history.pick, 300, 0.6, [](const std::vector<DrawRecord>& before, const DrawRecord& draw) {
            return std::none_of(before.begin(), before.end(),
                                [&](const DrawRecord& earlier) { return shared(earlier, draw) > 3; });
        });
    const BacktestResult found = runBacktest(history);
    EXPECT_GT(rowOf(found, BacktestFilter::AgainstHistory).liftLow, 1.0);
    EXPECT_EQ(found.joint.reading, Reading::AboveChance);
}

// A filter that reads no history and keeps no set of the pick leaves all the
// filters together nothing to keep at any draw: said in words, not as an estimate.
TEST(BacktestChance, AllTogetherKeepingNoSetSaysSo) {
    BacktestRequest request;
    request.pick = range(1, 22);
    request.draws = sampleDraws();
    request.controls.lastDrawNumMax = "2";
    request.controls.minSum = "200"; // no six of 1 to 22 reach it
    const BacktestResult result = runBacktest(request);
    EXPECT_EQ(result.joint.sets.kept, 0u);
    EXPECT_FALSE(result.joint.chance.estimated);
    EXPECT_EQ(result.joint.chance.share, 0.0);
    EXPECT_EQ(result.joint.reading, Reading::KeepsNoSet);
    EXPECT_EQ(readingText(result, result.joint, true), "keeps no set of the pick at any draw judged");
    EXPECT_EQ(liftIntervalText(result.joint), "-");
    EXPECT_NE(
        backtestScopeText(result).find(" of 599 draws lie wholly inside your 22 numbers and were judged; the other "),
        std::string::npos);
}

// A limit of 1 against the whole sample history keeps no set today, but the
// early draws, judged with few draws before them, were kept: the lift is near
// 1, not in the thousands, and the row says it keeps no set with the whole history.
TEST(BacktestChance, AFilterThatNowKeepsNoSetIsJudgedByWhatItKeptThen) {
    BacktestRequest request;
    request.draws = sampleDraws();
    request.controls.filterAgainstHistory = 1;
    request.controls.maxFromHistory = "1";
    const BacktestResult result = runBacktest(request);
    const FilterResult& row = rowOf(result, BacktestFilter::AgainstHistory);
    EXPECT_EQ(row.sets.kept, 0u);
    EXPECT_GT(row.draws.kept, 0u);
    ASSERT_TRUE(row.lift);
    EXPECT_LT(*row.lift, 3.0);
    EXPECT_EQ(row.reading, Reading::ConsistentWithChance);
    const std::string text = backtestText(result);
    EXPECT_NE(text.find("keeps no set with the whole history"), std::string::npos) << text;
}
