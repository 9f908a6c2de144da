// The backtest of games other than 6/49 against plain counts: each draw
// judged with the tables a run reads from a history file holding only the
// draws before it, every set of the pick tried, every chance share worked out
// over every set at every draw.
#include "backtest/Backtest.h"
#include "backtest/BacktestReport.h"
#include "backtest/GameBacktest.h"

#include "core/Binomial.h"
#include "core/SetWalk.h"
#include "history/GameHistory.h"
#include "support/TempFolder.h"
#include "wheel/GameRunPreparation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

using namespace orvane;

namespace {

const Game kFantasy = *gameFromMatrix("5/39");

// Draws of `game` at random; with `within`, every draw but each fifth from those numbers alone.
std::vector<GameDraw> randomHistory(const Game& game, std::size_t count, unsigned seed,
                                    const std::vector<int>& within = {}) {
    std::mt19937 random(seed);
    std::vector<GameDraw> draws;
    for (std::size_t d = 0; d < count; ++d) {
        std::vector<int> numbers(static_cast<std::size_t>(game.highest()));
        std::iota(numbers.begin(), numbers.end(), 1);
        if (!within.empty() && d % 5 != 4) numbers = within;
        std::shuffle(numbers.begin(), numbers.end(), random);
        numbers.resize(static_cast<std::size_t>(game.perTicket()));
        std::sort(numbers.begin(), numbers.end());
        std::vector<int> bonus;
        if (game.hasBonusPool())
            bonus.push_back(1 + static_cast<int>(random() % static_cast<unsigned>(game.bonusPool())));
        draws.push_back(GameDraw{2000 + static_cast<int>(d / 336), 1 + static_cast<int>(d / 28 % 12),
                                 1 + static_cast<int>(d % 28), numbers, bonus});
    }
    return draws;
}

// Filters of both kinds: the sum limits, the evens counts and the tens read no
// history; the last draw, the evens signatures, the last 15 sums and the
// filter against history read it.
FilterControls mixedFilters(const Game& game) {
    FilterControls controls(game);
    controls.minSum = "70";
    controls.maxSum = "130";
    controls.evensAllowed[0] = 0;
    controls.tens[0] = "2";
    controls.lastDrawNumMax = "1";
    controls.evensSignatures = 1;
    controls.rejectLast15Sums = 1;
    controls.filterAgainstHistory = 1;
    controls.maxFromHistory = "3";
    return controls;
}

// Every k-set of the pick.
std::vector<std::vector<int>> setsOf(const std::vector<int>& pick, int k) {
    std::vector<std::vector<int>> sets;
    for (SetWalk walk(pick, k); !walk.ended(); walk.next()) sets.push_back(walk.set());
    return sets;
}

std::uint32_t bitOf(BacktestFilter filter) { return 1u << static_cast<int>(filter); }

// The rules as a run reads them from a history file that holds the first `end` draws.
GameRules rulesFromFile(const TempFolder& folder, const FilterControls& normalised, const std::vector<GameDraw>& draws,
                        std::size_t end) {
    std::string text;
    for (std::size_t d = 0; d < end; ++d) text += gameHistoryLine(draws[d]);
    const std::string path = folder.write("PREFIX.HIT", text);
    GameRunTables tables;
    // An empty history has no last draw: the run would stop, and no filter reading it judges the first draw.
    const bool read = !readGameRunTables(normalised, kFantasy, path, tables).has_value();
    EXPECT_TRUE(read || end == 0);
    return compileGameRules(kFantasy, normalised, tables);
}

} // namespace

// Every verdict, every set count and every chance share of a mixed set of
// filters, against the plain computation.
TEST(GameBacktest, AgreesWithThePlainComputation) {
    const TempFolder folder;
    const std::vector<int> pick{1, 3, 5, 8, 10, 12, 14, 17, 20, 22, 25, 29, 31, 36};
    const std::vector<GameDraw> draws = randomHistory(kFantasy, 45, 39, pick);
    BacktestRequest request;
    request.game = kFantasy;
    request.controls = mixedFilters(kFantasy);
    request.pick = pick;
    request.gameDraws = draws;
    const BacktestResult result = runBacktest(request);
    ASSERT_TRUE(result.complete);
    ASSERT_EQ(result.draws.size(), draws.size());
    EXPECT_EQ(result.drawsOutsidePick,
              static_cast<std::size_t>(std::count_if(draws.begin(), draws.end(), [&](const GameDraw& draw) {
                  return !std::includes(pick.begin(), pick.end(), draw.numbers.begin(), draw.numbers.end());
              })));

    FilterControls normalised = mixedFilters(kFantasy);
    normaliseForRun(normalised, kFantasy);
    const GameRules whole = rulesFromFile(folder, normalised, draws, draws.size());
    const std::vector<BacktestFilter> expectedActive{BacktestFilter::EvensSignatures, BacktestFilter::Evens,
                                                     BacktestFilter::LastDraw,        BacktestFilter::SumLimits,
                                                     BacktestFilter::LastFifteenSums, BacktestFilter::Tens,
                                                     BacktestFilter::AgainstHistory};
    ASSERT_EQ(result.filters.size(), expectedActive.size());
    for (std::size_t a = 0; a < expectedActive.size(); ++a) EXPECT_EQ(result.filters[a].filter, expectedActive[a]);

    // The verdicts: with the rules read from a file of only the draws before each.
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const DrawVerdict& verdict = result.draws[i];
        ASSERT_TRUE(verdict.gameDraw.has_value());
        EXPECT_EQ(*verdict.gameDraw, draws[i]);
        const GameRules before = rulesFromFile(folder, normalised, draws, i);
        for (BacktestFilter filter : expectedActive) {
            const Verdict v = verdict.verdicts[static_cast<std::size_t>(filter)];
            const int needed = backtestFilterInfo(filter).historyNeeded;
            if (static_cast<int>(i) < needed) {
                EXPECT_EQ(v, Verdict::NotJudged) << i;
                continue;
            }
            const bool kept =
                passesPlainly(withOnlyFilters(needed > 0 ? before : whole, bitOf(filter)), draws[i].numbers);
            EXPECT_EQ(v, kept ? Verdict::Kept : Verdict::Rejected)
                << "draw " << i << ", " << backtestFilterName(filter);
        }
    }

    // Both verdicts occur for the filters that read the history, so the comparison above means something.
    for (BacktestFilter filter : {BacktestFilter::LastDraw, BacktestFilter::AgainstHistory}) {
        std::size_t kept = 0, rejected = 0;
        for (const DrawVerdict& verdict : result.draws) {
            kept += verdict.verdicts[static_cast<std::size_t>(filter)] == Verdict::Kept;
            rejected += verdict.verdicts[static_cast<std::size_t>(filter)] == Verdict::Rejected;
        }
        EXPECT_GT(kept, 0u) << backtestFilterName(filter);
        EXPECT_GT(rejected, 0u) << backtestFilterName(filter);
    }

    // The sets a run with the whole history keeps, alone, without and together.
    const std::vector<std::vector<int>> sets = setsOf(pick, kFantasy.perTicket());
    auto keptBy = [&](std::uint32_t bits) {
        const GameRules rules = withOnlyFilters(whole, bits);
        return static_cast<std::uint64_t>(std::count_if(
            sets.begin(), sets.end(), [&](const std::vector<int>& set) { return passesPlainly(rules, set); }));
    };
    const std::uint32_t all = activeFilterBits(whole);
    for (const FilterResult& row : result.filters) {
        EXPECT_EQ(row.sets.of, sets.size());
        EXPECT_EQ(row.sets.kept, keptBy(bitOf(row.filter))) << backtestFilterName(row.filter);
        EXPECT_EQ(row.setsWithout.kept, keptBy(all & ~bitOf(row.filter))) << backtestFilterName(row.filter);
    }
    EXPECT_EQ(result.joint.sets.kept, keptBy(all));

    // The chance shares: the mean over the draws judged of the share of every
    // set kept with the draws before each; exact for a row reading no history,
    // within four standard errors of the sample otherwise.
    auto exactChance = [&](std::uint32_t bits) {
        std::size_t threshold = 0;
        for (const BacktestFilterInfo& info : backtestFilters())
            if ((bits & bitOf(info.filter)) != 0)
                threshold = std::max(threshold, static_cast<std::size_t>(info.historyNeeded));
        double sum = 0;
        std::size_t judged = 0;
        for (std::size_t i = threshold; i < draws.size(); ++i) {
            if (!result.draws[i].inPick) continue;
            const GameRules rules = withOnlyFilters(rulesFromFile(folder, normalised, draws, i), bits);
            const auto kept = std::count_if(sets.begin(), sets.end(),
                                            [&](const std::vector<int>& set) { return passesPlainly(rules, set); });
            sum += static_cast<double>(kept) / static_cast<double>(sets.size());
            ++judged;
        }
        return judged == 0 ? 0.0 : sum / static_cast<double>(judged);
    };
    for (const FilterResult& row : result.filters) {
        const bool history = backtestFilterInfo(row.filter).historyNeeded > 0;
        EXPECT_EQ(row.chance.estimated, history) << backtestFilterName(row.filter);
        const double exact = exactChance(bitOf(row.filter));
        if (history) {
            EXPECT_GT(row.chance.error, 0.0);
            EXPECT_LE(std::abs(row.chance.share - exact), 4 * row.chance.error) << backtestFilterName(row.filter);
        } else {
            EXPECT_NEAR(row.chance.share, exact, 1e-12) << backtestFilterName(row.filter);
        }
    }
    EXPECT_TRUE(result.joint.chance.estimated);
    EXPECT_LE(std::abs(result.joint.chance.share - exactChance(all)), 4 * result.joint.chance.error);
}

// On random draws a filter cannot change what is drawn: every row's lift
// interval covers 1, the history-reading ones included.
TEST(GameBacktest, RandomDrawsReadAsConsistentWithChance) {
    const Game powerball = *gameFromMatrix("5/69+1/26");
    BacktestRequest request;
    request.game = powerball;
    FilterControls controls(powerball);
    controls.minSum = "120";
    controls.maxSum = "230";
    controls.lastDrawNumMax = "0";
    controls.evensSignatures = 1;
    request.controls = controls;
    request.gameDraws = randomHistory(powerball, 400, 2026);
    const BacktestResult result = runBacktest(request);
    ASSERT_TRUE(result.complete);
    ASSERT_EQ(result.filters.size(), 3u);
    for (const FilterResult& row : result.filters) {
        EXPECT_EQ(row.reading, Reading::ConsistentWithChance) << backtestFilterName(row.filter);
        EXPECT_LT(row.liftLow, 1.0);
        EXPECT_GT(row.liftHigh, 1.0);
    }
    EXPECT_EQ(result.joint.reading, Reading::ConsistentWithChance);
    // All 69 numbers: every draw lies inside the pick.
    EXPECT_TRUE(result.pickIsEveryNumber);
    EXPECT_EQ(result.joint.sets.of, binomial(69, 5));
}

// Sliced or whole, the same result; stopped, the draws judged stay and the
// result says it is incomplete. The draw lines show the game's dates and bonus numbers.
TEST(GameBacktest, SlicesStopAndDrawLines) {
    BacktestRequest request;
    request.game = *gameFromMatrix("5/69+1/26");
    request.controls = FilterControls(request.game);
    request.controls.lastDrawNumMax = "1";
    request.gameDraws = randomHistory(request.game, 30, 7);
    request.pick = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
    const BacktestResult whole = runBacktest(request);

    BacktestJob sliced(request);
    int slices = 0;
    while (!sliced.advance(std::chrono::nanoseconds(0))) ++slices;
    EXPECT_GT(slices, 1);
    EXPECT_EQ(sliced.result().joint.chance.share, whole.joint.chance.share);
    EXPECT_EQ(sliced.result().joint.draws.kept, whole.joint.draws.kept);
    EXPECT_EQ(sliced.result().joint.sets.kept, whole.joint.sets.kept);
    EXPECT_EQ(sliced.progress(), 1.0);

    BacktestJob stopped(request);
    stopped.advance(std::chrono::nanoseconds(0));
    stopped.stop();
    EXPECT_TRUE(stopped.ended() && stopped.stopped());
    EXPECT_FALSE(stopped.result().complete);
    EXPECT_EQ(stopped.result().filters.size(), 1u);

    const GameDraw& first = request.gameDraws[0];
    char numbers[40];
    std::snprintf(numbers, sizeof numbers, "%02d %02d %02d %02d %02d + %02d", first.numbers[0], first.numbers[1],
                  first.numbers[2], first.numbers[3], first.numbers[4], first.bonus[0]);
    const bool inside = first.numbers.back() <= 20;
    EXPECT_EQ(backtestDrawLines(whole, 0, 1), "     1  2000-01-01  " + std::string(numbers) + "  " +
                                                  (inside ? "not judged" : "outside the pick") + "\r\n");
    // The saved text names the game; 6/49's has no name to add.
    EXPECT_EQ(backtestText(whole).rfind("Backtest of the active filters over 30 draws of 5/69 + 1/26. ", 0), 0u);
}
