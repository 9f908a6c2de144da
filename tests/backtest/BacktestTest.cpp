#include "backtest/Backtest.h"
#include "BacktestFixtures.h"
#include "backtest/BacktestFilters.h"
#include "backtest/BacktestReport.h"
#include "checks/HistoryIndex.h"
#include "history/HistoryFile.h"
#include "support/Picks.h"
#include "support/UserLocale.h"
#include "wheel/SetPipeline.h"
#include "wheel/WheelStart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

using namespace orvane;
using namespace orvane::backtest_fixtures;

TEST(BacktestInterval, WilsonScoreIntervalMatchesPublishedValues) {
    // 5 of 10: 0.2366 to 0.7634; 0 of 10: 0 to 0.2775; 10 of 10: 0.7225 to 1.
    const Interval half = wilsonInterval(5, 10);
    EXPECT_NEAR(half.low, 0.236593, 1e-6);
    EXPECT_NEAR(half.high, 0.763407, 1e-6);
    const Interval none = wilsonInterval(0, 10);
    EXPECT_NEAR(none.low, 0.0, 1e-12);
    EXPECT_NEAR(none.high, 0.277533, 1e-6);
    const Interval all = wilsonInterval(10, 10);
    EXPECT_NEAR(all.low, 0.722467, 1e-6);
    EXPECT_NEAR(all.high, 1.0, 1e-12);
    // 81 of 263: the roots of (81/263 - p)^2 = 1.96^2 p (1 - p) / 263, 0.255289 and 0.366210.
    const Interval some = wilsonInterval(81, 263);
    EXPECT_NEAR(some.low, 0.255289, 1e-6);
    EXPECT_NEAR(some.high, 0.366210, 1e-6);
    const Interval empty = wilsonInterval(0, 0);
    EXPECT_EQ(empty.low, 0.0);
    EXPECT_EQ(empty.high, 1.0);
}

TEST(BacktestNames, EveryFilterHasANameInRunOrder) {
    for (int f = 0; f < kBacktestFilterCount; ++f) {
        const BacktestFilterInfo& info = backtestFilters()[f];
        EXPECT_EQ(static_cast<int>(info.filter), f);
        EXPECT_FALSE(std::string(info.name).empty());
        EXPECT_FALSE(std::string(info.key).empty());
    }
    EXPECT_EQ(backtestFilterName(BacktestFilter::SumLimits), "Sum limits");
    EXPECT_EQ(backtestFilterName(BacktestFilter::Evens), "Evens");
    EXPECT_EQ(backtestFilterName(BacktestFilter::LastDraw), "Last draw");
}

// An even count of evens is an even sum: the evens filter allowing 0, 2, 4 and 6
// keeps exactly the draws whose sum is even.
TEST(BacktestDraws, EvenSumDrawsCountedByHand) {
    BacktestRequest request;
    request.controls.evensAllowed = {1, 0, 1, 0, 1, 0, 1};
    request.draws = {
        {10188, {1, 2, 3, 4, 5, 6}},       // sum 21: odd
        {10888, {2, 4, 6, 8, 10, 12}},     // 42: even
        {11588, {1, 3, 5, 7, 9, 11}},      // 36: even
        {12288, {1, 2, 3, 4, 5, 7}},       // 22: even
        {12988, {10, 20, 30, 40, 41, 49}}, // 190: even
        {20588, {11, 12, 13, 14, 15, 16}}, // 81: odd
        {21288, {7, 14, 21, 28, 35, 43}},  // 148: even
    };
    const BacktestResult result = runBacktest(request);
    ASSERT_TRUE(result.complete);
    ASSERT_EQ(result.draws.size(), 7u);
    const bool evenSum[] = {false, true, true, true, true, false, true};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(result.draws[i].outcome, evenSum[i] ? DrawVerdict::Outcome::Passed : DrawVerdict::Outcome::Failed)
            << i;
        if (!evenSum[i]) {
            EXPECT_EQ(result.draws[i].firstRejecting, BacktestFilter::Evens);
        }
    }
    ASSERT_EQ(result.filters.size(), 1u);
    const FilterResult& evens = result.filters[0];
    EXPECT_EQ(evens.filter, BacktestFilter::Evens);
    EXPECT_EQ(evens.draws.kept, 5u);
    EXPECT_EQ(evens.draws.of, 7u);
    EXPECT_EQ(evens.notJudged, 0u);
    // 24 evens and 25 odds: sets with k evens are C(24, k) C(25, 6 - k).
    const std::uint64_t evenCounts = 177100 + 276 * 12650 + 10626 * 300 + 134596;
    EXPECT_EQ(evens.sets.kept, evenCounts);
    EXPECT_EQ(evens.sets.of, 13983816u);
    ASSERT_TRUE(evens.lift);
    EXPECT_NEAR(*evens.lift, (5.0 / 7.0) / (static_cast<double>(evenCounts) / 13983816.0), 1e-12);
    EXPECT_EQ(result.joint.draws.kept, 5u);
    EXPECT_EQ(result.joint.sets.kept, evenCounts);
    // Alone, leaving it out leaves nothing: every draw and every set kept.
    EXPECT_EQ(evens.drawsWithout.kept, 7u);
    EXPECT_EQ(evens.setsWithout.kept, 13983816u);
}

TEST(BacktestSets, SumOneTwentyToOneEightyAndThreeOddNumbers) {
    BacktestRequest sums;
    sums.controls.minSum = "120";
    sums.controls.maxSum = "180";
    const BacktestResult bySum = runBacktest(sums);
    EXPECT_EQ(rowOf(bySum, BacktestFilter::SumLimits).sets.kept, 8929870u);
    EXPECT_NEAR(bySum.joint.sets.share(), 0.6386, 0.00005);

    BacktestRequest odds;
    odds.controls.evensAllowed = {0, 0, 0, 1, 0, 0, 0};
    const BacktestResult byOdds = runBacktest(odds);
    EXPECT_EQ(rowOf(byOdds, BacktestFilter::Evens).sets.kept, 4655200u);
    EXPECT_NEAR(byOdds.joint.sets.share(), 0.3329, 0.00005);
}

// Draw 2 shares three numbers with draw 1 and draw 1 shares them with draw 2:
// only the later of the two may be rejected, as only it had the other before it.
TEST(BacktestDraws, WalkForwardNeverLooksAhead) {
    BacktestRequest request;
    request.controls.filterAgainstHistory = 1;
    request.controls.maxFromHistory = "2";
    request.controls.lastDrawNumMax = "0"; // no number of the draw before
    request.draws = {
        {10188, {1, 2, 3, 4, 5, 6}},       {10888, {10, 11, 12, 40, 41, 42}}, {11588, {10, 11, 12, 20, 21, 22}},
        {12288, {30, 31, 32, 33, 34, 35}}, {12988, {1, 2, 3, 43, 44, 45}},
    };
    const BacktestResult result = runBacktest(request);
    ASSERT_EQ(result.draws.size(), 5u);
    const auto& d = result.draws;
    EXPECT_EQ(verdictOf(d[0], BacktestFilter::AgainstHistory), Verdict::NotJudged);
    EXPECT_EQ(verdictOf(d[0], BacktestFilter::LastDraw), Verdict::NotJudged);
    EXPECT_EQ(d[0].outcome, DrawVerdict::Outcome::NotJudged);
    EXPECT_EQ(verdictOf(d[1], BacktestFilter::AgainstHistory), Verdict::Kept); // draw 2 comes later
    EXPECT_EQ(verdictOf(d[1], BacktestFilter::LastDraw), Verdict::Kept);
    EXPECT_EQ(d[1].outcome, DrawVerdict::Outcome::Passed);
    EXPECT_EQ(verdictOf(d[2], BacktestFilter::AgainstHistory), Verdict::Rejected);
    EXPECT_EQ(verdictOf(d[2], BacktestFilter::LastDraw), Verdict::Rejected);
    EXPECT_EQ(d[2].firstRejecting, BacktestFilter::LastDraw); // the last draw comes first in the run
    EXPECT_EQ(verdictOf(d[3], BacktestFilter::AgainstHistory), Verdict::Kept);
    EXPECT_EQ(verdictOf(d[4], BacktestFilter::AgainstHistory), Verdict::Rejected); // three of draw 0
    EXPECT_EQ(verdictOf(d[4], BacktestFilter::LastDraw), Verdict::Kept);           // none of draw 3

    const FilterResult& history = rowOf(result, BacktestFilter::AgainstHistory);
    EXPECT_EQ(history.draws.kept, 2u);
    EXPECT_EQ(history.draws.of, 4u);
    EXPECT_EQ(history.notJudged, 1u);
    EXPECT_EQ(result.joint.draws.of, 4u);
    EXPECT_EQ(result.joint.draws.kept, 2u);

    // Judging only the last two still reads the draws before them as history.
    request.lastDraws = 2;
    const BacktestResult lastTwo = runBacktest(request);
    ASSERT_EQ(lastTwo.draws.size(), 2u);
    EXPECT_EQ(lastTwo.draws[0].index, 3u);
    EXPECT_EQ(verdictOf(lastTwo.draws[1], BacktestFilter::AgainstHistory), Verdict::Rejected);
}

// Each history-reading filter judges draw i as a wheel run with the draws
// before i as its whole history would judge that set.
TEST(BacktestDraws, WalkForwardVerdictsAreThoseOfARunWithTheEarlierDraws) {
    const std::vector<DrawRecord> draws = sampleDraws();
    BacktestRequest request;
    request.controls = everyFilterOn();
    request.draws = draws;
    request.lastDraws = 40;
    const BacktestResult result = runBacktest(request);
    ASSERT_EQ(result.draws.size(), 40u);
    for (const DrawVerdict& verdict : result.draws) {
        Combination set = verdict.draw.numbers;
        std::sort(set.begin(), set.end());
        for (BacktestFilter filter : {BacktestFilter::EvensSignatures, BacktestFilter::Shadow, BacktestFilter::LastDraw,
                                      BacktestFilter::LastFifteenSums, BacktestFilter::AgainstHistory}) {
            FilterControls only = onlyFilter(filter, request.controls);
            normaliseForRun(only);
            const RunTables tables = tablesBefore(only, draws, verdict.index);
            const bool kept = SetPipeline(only, tables).passesStepByStep(set);
            EXPECT_EQ(verdictOf(verdict, filter), kept ? Verdict::Kept : Verdict::Rejected)
                << backtestFilterName(filter) << " draw " << verdict.index;
        }
    }
}

// Each filter's share, the joint share and the share without each filter, from
// the one pass, against each set tested plainly by a run with that filter alone.
TEST(BacktestSets, OnePassCountsMatchEachSetTestedPlainly) {
    const std::vector<DrawRecord> draws = sampleDraws();
    BacktestRequest request;
    request.controls = everyFilterOn();
    request.draws = draws;
    request.pick = {1, 3, 5, 7, 8, 12, 14, 17, 20, 21, 25, 26, 29, 33, 34, 38, 40, 44, 49};
    const BacktestResult result = runBacktest(request);
    ASSERT_EQ(result.filters.size(), static_cast<std::size_t>(kBacktestFilterCount));

    std::vector<SetPipeline> alone;
    for (const FilterResult& row : result.filters) {
        FilterControls only = onlyFilter(row.filter, request.controls);
        normaliseForRun(only);
        alone.emplace_back(only, runTablesOf(only, draws));
    }
    std::vector<std::uint64_t> kept(alone.size()), keptWithout(alone.size());
    std::uint64_t all = 0, keptByAll = 0;
    forEachSet(result.pick, [&](const Combination& set) {
        ++all;
        std::vector<bool> passes;
        int failures = 0;
        for (const SetPipeline& pipeline : alone) {
            passes.push_back(plainPasses(pipeline, set));
            failures += !passes.back();
        }
        keptByAll += failures == 0;
        for (std::size_t f = 0; f < alone.size(); ++f) {
            kept[f] += passes[f];
            keptWithout[f] += failures - !passes[f] == 0;
        }
    });
    EXPECT_EQ(result.joint.sets.of, all);
    EXPECT_EQ(result.joint.sets.kept, keptByAll);
    for (std::size_t f = 0; f < alone.size(); ++f) {
        EXPECT_EQ(result.filters[f].sets.of, all);
        EXPECT_EQ(result.filters[f].sets.kept, kept[f]) << backtestFilterName(result.filters[f].filter);
        EXPECT_EQ(result.filters[f].setsWithout.kept, keptWithout[f]) << backtestFilterName(result.filters[f].filter);
    }
    EXPECT_GT(keptByAll, 0u);
    EXPECT_LT(keptByAll, all);
}

// All the filters together keep exactly the sets a wheel run with the same
// settings passes (the Ravelin skip, no filter of sets, left off). The whole
// 49-number wheel is checked the same way by the backtest benchmark.
TEST(BacktestSets, JointShareIsWhatTheWheelPasses) {
    for (const std::vector<int>& pick :
         {range(1, 30), std::vector<int>{2, 4, 6, 9, 10, 13, 18, 19, 23, 24, 27, 30, 35, 36, 41, 45, 48}}) {
        FilterControls controls = everyFilterOn();
        controls.enableRavelin = 1; // ignored by the backtest; the run below leaves it off
        BacktestRequest request;
        request.controls = controls;
        request.draws = sampleDraws();
        request.pick = pick;
        const BacktestResult result = runBacktest(request);

        WheelStartRequest wheel;
        wheel.controls = controls;
        wheel.controls.enableRavelin = 0;
        wheel.pick = pick;
        wheel.historyPath = ORVANE_SAMPLE_HISTORY;
        WheelStart start = startWheel(std::move(wheel));
        ASSERT_TRUE(start.job);
        start.job->runToEnd();
        EXPECT_EQ(result.joint.sets.kept, start.job->passing());
        EXPECT_EQ(result.joint.sets.of, start.job->generated());
        EXPECT_EQ(result.pick, start.pick);
    }
}

TEST(BacktestJob, SlicesGiveTheSameResultAndStopLeavesItIncomplete) {
    BacktestRequest request;
    request.controls = everyFilterOn();
    request.draws = sampleDraws();
    request.pick = range(1, 26);
    const BacktestResult whole = runBacktest(request);

    BacktestJob job(request);
    EXPECT_EQ(job.progress(), 0.0);
    int slices = 0;
    double progress = 0;
    while (!job.advance(std::chrono::milliseconds(2))) {
        ++slices;
        EXPECT_GE(job.progress(), progress);
        progress = job.progress();
        if (progress > 0) {
            EXPECT_EQ(job.result().draws.size(), whole.draws.size()); // the draws come first
        }
    }
    EXPECT_GT(slices, 1);
    EXPECT_EQ(job.progress(), 1.0);
    ASSERT_TRUE(job.result().complete);
    EXPECT_EQ(job.result().joint.sets.kept, whole.joint.sets.kept);
    for (std::size_t f = 0; f < whole.filters.size(); ++f) {
        EXPECT_EQ(job.result().filters[f].sets.kept, whole.filters[f].sets.kept);
        EXPECT_EQ(job.result().filters[f].setsWithout.kept, whole.filters[f].setsWithout.kept);
        EXPECT_EQ(job.result().filters[f].draws.kept, whole.filters[f].draws.kept);
    }

    BacktestJob stopped(request);
    stopped.advance(std::chrono::microseconds(1));
    stopped.stop();
    EXPECT_TRUE(stopped.ended());
    EXPECT_TRUE(stopped.stopped());
    EXPECT_FALSE(stopped.result().complete);
    EXPECT_TRUE(stopped.advance(std::chrono::milliseconds(10)));
    EXPECT_FALSE(stopped.result().complete);
}

// The draws are judged a part per slice, so a long history does not hold up
// a window: the verdicts are those of one go, and Stop while judging keeps the
// draws judged so far, counted.
TEST(BacktestJob, DrawsAreJudgedAPartPerSlice) {
    BacktestRequest request;
    request.controls = everyFilterOn();
    request.draws = sampleDraws();
    request.pick = range(1, 20); // few sets to count: the draws are what is sliced here
    const BacktestResult whole = runBacktest(request);

    BacktestJob job(request);
    job.advance(std::chrono::nanoseconds(0));
    EXPECT_GT(job.result().draws.size(), 0u);
    EXPECT_LT(job.result().draws.size(), whole.draws.size());
    EXPECT_EQ(job.progress(), 0.0);
    std::size_t judged = job.result().draws.size();
    while (!job.advance(std::chrono::nanoseconds(0))) {
        EXPECT_GE(job.result().draws.size(), judged);
        judged = job.result().draws.size();
    }
    ASSERT_EQ(job.result().draws.size(), whole.draws.size());
    for (std::size_t i = 0; i < whole.draws.size(); ++i) {
        EXPECT_EQ(job.result().draws[i].firstRejecting, whole.draws[i].firstRejecting) << "draw " << i;
        EXPECT_EQ(job.result().draws[i].outcome, whole.draws[i].outcome) << "draw " << i;
        EXPECT_EQ(job.result().draws[i].verdicts, whole.draws[i].verdicts) << "draw " << i;
    }

    BacktestJob stopped(request);
    stopped.advance(std::chrono::nanoseconds(0));
    stopped.stop();
    const BacktestResult& part = stopped.result();
    ASSERT_LT(part.draws.size(), whole.draws.size());
    EXPECT_FALSE(part.complete);
    EXPECT_EQ(part.filters.size(), whole.filters.size());
    EXPECT_LE(part.joint.draws.of, part.draws.size());
    EXPECT_GT(part.joint.draws.of + part.joint.notJudged + part.drawsOutsidePick, 0u);
}

// A draw holding a number outside the pick could never have been wheeled: it
// is shown but left out of the counts.
TEST(BacktestDraws, DrawsOutsideThePickAreLeftOutOfTheCounts) {
    BacktestRequest request;
    request.pick = range(1, 30);
    request.controls.minSum = "60";
    request.draws = {{10188, {1, 2, 3, 4, 5, 6}}, {10888, {1, 2, 3, 4, 5, 45}}, {11588, {10, 11, 12, 13, 14, 15}}};
    const BacktestResult result = runBacktest(request);
    ASSERT_EQ(result.draws.size(), 3u);
    EXPECT_FALSE(result.draws[1].inPick);
    EXPECT_EQ(result.drawsOutsidePick, 1u);
    EXPECT_EQ(result.joint.draws.of, 2u);
    EXPECT_EQ(result.joint.draws.kept, 1u);
    EXPECT_EQ(result.joint.sets.of, 593775u);
}

TEST(BacktestDraws, NoFilterOnKeepsEverything) {
    BacktestRequest request;
    request.draws = sampleDraws();
    const BacktestResult result = runBacktest(request);
    EXPECT_TRUE(result.filters.empty());
    EXPECT_EQ(result.joint.draws.kept, result.joint.draws.of);
    EXPECT_EQ(result.joint.sets.kept, 13983816u);
    ASSERT_TRUE(result.joint.lift);
    EXPECT_DOUBLE_EQ(*result.joint.lift, 1.0);
}

// The backtest window shows these texts under the user's locale.
TEST(BacktestReportText, SharesAreWrittenWithAPointInACommaLocale) {
    UserLocale locale("fr_FR.UTF-8");
    if (!locale.active()) GTEST_SKIP() << "fr_FR.UTF-8 is not available";
    EXPECT_EQ(percentText(0.125), "12.50%");
    EXPECT_EQ(percentText(1.0 / 3.0), "33.33%");
}

// The CSV keeps its columns and ends each filter row with the chance share and
// the lift interval; a row without a lift leaves them empty.
TEST(BacktestReportText, CsvRowsEndWithTheChanceShareAndTheLiftInterval) {
    BacktestRequest request;
    request.draws = sampleDraws();
    request.controls.filterAgainstHistory = 1;
    request.controls.maxFromHistory = "3";
    request.controls.minSum = "100";
    request.pick = range(1, 30);
    const BacktestResult result = runBacktest(request);
    const std::string csv = backtestCsv(result);
    const std::string header = csv.substr(0, csv.find("\r\n"));
    const std::string ending = ",without_lift,null_share,lift_low,lift_high";
    ASSERT_GE(header.size(), ending.size());
    EXPECT_EQ(header.substr(header.size() - ending.size()), ending);
    const auto fields = [](const std::string& line) {
        std::vector<std::string> parts(1);
        for (char c : line) {
            if (c == ',')
                parts.emplace_back();
            else
                parts.back().push_back(c);
        }
        return parts;
    };
    std::size_t at = csv.find("\r\n") + 2;
    for (const FilterResult* row : {&result.filters[0], &result.filters[1], &result.joint}) {
        const std::string line = csv.substr(at, csv.find("\r\n", at) - at);
        at += line.size() + 2;
        const std::vector<std::string> cells = fields(line);
        ASSERT_EQ(cells.size(), fields(header).size()) << line;
        EXPECT_NEAR(std::stod(cells[cells.size() - 3]), row->chance.share, 1e-9) << line;
        if (row->lift) {
            EXPECT_NEAR(std::stod(cells[cells.size() - 2]), row->liftLow, 1e-6) << line;
            EXPECT_NEAR(std::stod(cells[cells.size() - 1]), row->liftHigh, 1e-6) << line;
            EXPECT_LE(row->liftLow, *row->lift);
            EXPECT_GE(row->liftHigh, *row->lift);
        } else {
            EXPECT_EQ(cells.back(), "") << line;
        }
    }
    EXPECT_NE(backtestText(result).find("lie wholly inside your 30 numbers and were judged"), std::string::npos);
}
