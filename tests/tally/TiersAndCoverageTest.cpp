#include "core/GameCatalogue.h"
#include "tally/Coverage.h"
#include "tally/GameWinTally.h"
#include "tally/HistoryCheck.h"
#include "tally/PrizeTiers.h"
#include "tally/TicketFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using namespace orvane;

namespace {

Game catalogued(const char* name) {
    std::string problem;
    const std::optional<Game> game = findGame(name, catalogueGames(), &problem);
    EXPECT_TRUE(game) << problem;
    return game.value_or(Game::lotto649());
}

Game madeGame(int highest, int perTicket, bool extra, int bonusPool, int bonusDrawn, std::vector<PrizeTier> tiers) {
    std::string problem;
    std::optional<Game> game =
        Game::make("", highest, perTicket, extra, bonusPool, bonusDrawn, std::move(tiers), &problem);
    EXPECT_TRUE(game) << problem;
    return game.value_or(Game::lotto649());
}

std::vector<GameLine> randomLines(const Game& game, int count, std::mt19937& random, int poolSize = 0) {
    const int pool = poolSize > 0 ? poolSize : game.highest();
    std::vector<GameLine> lines;
    for (int i = 0; i < count; ++i) {
        GameLine line;
        while (line.numbers.count() < game.perTicket())
            line.numbers.add(std::uniform_int_distribution<int>(1, pool)(random));
        while (line.bonus.count() < game.bonusDrawn())
            line.bonus.add(std::uniform_int_distribution<int>(1, game.bonusPool())(random));
        lines.push_back(line);
    }
    return lines;
}

// Calls visit with every set of `size` numbers from 1 to `highest`.
template <typename Visit> void everySet(int highest, int size, Visit visit) {
    std::vector<int> chosen;
    const auto walk = [&](auto&& self, int from) -> void {
        if (static_cast<int>(chosen.size()) == size) {
            NumberSet set;
            for (int n : chosen) set.add(n);
            visit(set);
            return;
        }
        for (int n = from; n <= highest; ++n) {
            chosen.push_back(n);
            self(self, n + 1);
            chosen.pop_back();
        }
    };
    walk(walk, 1);
}

// The plain count: every main draw, every bonus draw and every extra ball,
// each line's tier read straight from the tier list, the best kept.
std::vector<std::uint64_t> plainCoverage(const Game& game, const std::vector<GameLine>& lines) {
    const auto& tiers = game.tiers();
    std::vector<std::uint64_t> counts(tiers.size() + 1, 0);
    const auto tierOf = [&](int main, int bonus, bool extra) {
        for (std::size_t t = 0; t < tiers.size(); ++t)
            if (tiers[t].main == main && bonus >= tiers[t].bonus && (!tiers[t].extra || extra)) return t;
        return tiers.size();
    };
    std::vector<NumberSet> bonusDraws{NumberSet{}};
    if (game.hasBonusPool()) {
        bonusDraws.clear();
        everySet(game.bonusPool(), game.bonusDrawn(), [&](const NumberSet& set) { bonusDraws.push_back(set); });
    }
    everySet(game.highest(), game.perTicket(), [&](const NumberSet& drawn) {
        for (const NumberSet& bonus : bonusDraws)
            for (int extra = 1; extra <= game.highest(); ++extra) {
                if (game.extraBall() ? drawn.has(extra) : extra > 1) continue;
                std::size_t best = tiers.size();
                for (const GameLine& line : lines)
                    best = std::min(best, tierOf(line.numbers.shared(drawn), line.bonus.shared(bonus),
                                                 game.extraBall() && line.numbers.has(extra)));
                ++counts[best];
            }
    });
    return counts;
}

std::vector<std::uint64_t> coverageOf(const Game& game, const std::vector<GameLine>& lines) {
    CoverageJob job(game, lines);
    job.runToEnd();
    return job.drawsByTier();
}

} // namespace

TEST(TierOdds, AgreeWithTheLotteriesPublishedFigures) {
    const TierOdds lotto = tierOdds(Game::lotto649());
    const std::vector<std::string> expected = {"13,983,816", "54,200.84", "1,032.40", "56.66"};
    ASSERT_EQ(lotto.byTier.size(), expected.size());
    for (std::size_t t = 0; t < expected.size(); ++t) EXPECT_EQ(oneInText(lotto.byTier[t]), expected[t]) << t;
    EXPECT_EQ(oneInText(lotto.anyPrize), "53.66");

    const TierOdds powerball = tierOdds(catalogued("Powerball"));
    EXPECT_EQ(oneInText(powerball.byTier[0]), "292,201,338");
    EXPECT_EQ(oneInText(powerball.byTier[1]), "11,688,053.52");
    EXPECT_EQ(oneInText(powerball.byTier.back()), "38.32"); // 0 + 1
    EXPECT_EQ(oneInText(powerball.anyPrize), "24.87");
}

TEST(TierOdds, ALineWinsTheBestTierItsMatchMakes) {
    const Game uk = catalogued("UK Lotto"); // 6, 5+x, 5, 4, 3, 2
    const TierTable table(uk);
    EXPECT_EQ(table.tierOf(5, 0, true), 1);
    EXPECT_EQ(table.tierOf(5, 0, false), 2);
    EXPECT_EQ(table.tierOf(4, 0, true), 3); // no "4 + extra": it pays as 4
    EXPECT_EQ(table.tierOf(1, 0, true), table.noPrize());
    const TierTable powerball(catalogued("Powerball"));
    EXPECT_EQ(powerball.tierOf(5, 1, false), 0);
    EXPECT_EQ(powerball.tierOf(2, 0, false), powerball.noPrize());
    EXPECT_EQ(powerball.tierOf(0, 1, false), 8);
    // The tiers' odds add up to the odds of any prize, and with no prize to every draw.
    for (const char* name : {"UK Lotto", "Lotto Max", "EuroMillions", "Fantasy 5"}) {
        const TierOdds odds = tierOdds(catalogued(name));
        std::uint64_t ways = 0;
        for (const Odds& tier : odds.byTier) ways += tier.ways;
        EXPECT_EQ(ways, odds.anyPrize.ways) << name;
        EXPECT_LT(ways, odds.anyPrize.draws) << name;
    }
}

TEST(TierOdds, ATicketsTiersOverEveryDrawOfASmallExtraGameMatchAPlainCount) {
    const Game small = madeGame(12, 4, true, 0, 0, {{4, 0, false}, {3, 0, true}, {2, 0, false}});
    const std::vector<GameLine> one = {GameLine{NumberSet{1, 2, 3, 4}, {}}};
    const std::vector<std::uint64_t> counts = plainCoverage(small, one);
    const TierOdds odds = tierOdds(small);
    // Every draw pairs with the 8 extra balls; the odds count main draws only.
    for (std::size_t t = 0; t < odds.byTier.size(); ++t) EXPECT_EQ(odds.byTier[t].ways * 8, counts[t]) << t;
}

TEST(Coverage, CountsEveryDrawOfASmallGameAsAPlainCountDoes) {
    std::mt19937 random(7);
    const Game plain = madeGame(20, 5, false, 0, 0, {});
    const Game bonus = madeGame(16, 4, false, 5, 1, {});
    const Game twoBonus = madeGame(14, 4, false, 6, 2, {});
    const Game extra = madeGame(15, 5, true, 0, 0, {});
    for (const Game& game : {plain, bonus, twoBonus, extra})
        for (int lines : {1, 7, 40}) {
            const std::vector<GameLine> file = randomLines(game, lines, random);
            const std::vector<std::uint64_t> counted = coverageOf(game, file);
            EXPECT_EQ(counted, plainCoverage(game, file)) << game.matrix() << ", " << lines << " lines";
            std::uint64_t total = 0;
            for (std::uint64_t count : counted) total += count;
            EXPECT_EQ(total, CoverageJob(game, file).possibleDraws()) << game.matrix();
        }
}

TEST(Coverage, TheGuaranteeTableMatchesAPlainCountOverThePool) {
    std::mt19937 random(11);
    const Game game = madeGame(30, 5, false, 0, 0, {});
    const std::vector<GameLine> file = randomLines(game, 12, random, 11);
    CoverageJob job(game, file);
    job.runToEnd();
    const std::vector<int>& pool = job.pool();
    const int v = static_cast<int>(pool.size());
    ASSERT_GE(v, 5);
    ASSERT_EQ(job.guarantee().size(), 4u); // 5, 4, 3 and 2 of the drawn numbers in the pool
    for (const GuaranteeRow& row : job.guarantee()) {
        std::vector<std::uint64_t> plain(static_cast<std::size_t>(row.drawnInPool) + 1, 0);
        everySet(v, row.drawnInPool, [&](const NumberSet& places) {
            NumberSet drawn;
            places.forEach([&](int place) { drawn.add(pool[static_cast<std::size_t>(place - 1)]); });
            int best = 0;
            for (const GameLine& line : file) best = std::max(best, line.numbers.shared(drawn));
            ++plain[static_cast<std::size_t>(best)];
        });
        EXPECT_EQ(row.byBestMatch, plain) << row.drawnInPool;
        EXPECT_EQ(row.least(),
                  static_cast<int>(std::find_if(plain.begin(), plain.end(), [](std::uint64_t c) { return c > 0; }) -
                                   plain.begin()));
        EXPECT_EQ(plain[static_cast<std::size_t>(row.typical())], *std::max_element(plain.begin(), plain.end()));
    }
}

TEST(Coverage, AFullPoolTakesTheMainDrawsAsItsOnlyRow) {
    // Every number of 5/20 on four lines: each draw has all five numbers in the pool.
    const Game game = madeGame(20, 5, false, 0, 0, {});
    std::vector<GameLine> file;
    for (int first = 1; first <= 16; first += 5)
        file.push_back(GameLine{NumberSet{first, first + 1, first + 2, first + 3, first + 4}, {}});
    CoverageJob job(game, file);
    job.runToEnd();
    ASSERT_EQ(job.guarantee().size(), 1u);
    const GuaranteeRow& row = job.guarantee()[0];
    EXPECT_EQ(row.drawnInPool, 5);
    EXPECT_EQ(row.cases, 15504u);
    EXPECT_EQ(row.least(), 2); // five numbers over four lines: one line holds two
    std::uint64_t total = 0;
    for (std::uint64_t count : row.byBestMatch) total += count;
    EXPECT_EQ(total, row.cases);
}

TEST(Coverage, SlicesOfAnySizeGiveTheSameCountsAndStopEndsTheJob) {
    std::mt19937 random(3);
    const Game game = madeGame(24, 6, false, 0, 0, {});
    const std::vector<GameLine> file = randomLines(game, 30, random);
    CoverageJob whole(game, file);
    whole.runToEnd();
    CoverageJob sliced(game, file);
    int slices = 0;
    double progress = 0;
    while (!sliced.advance(std::chrono::nanoseconds(1))) {
        ++slices;
        EXPECT_GE(sliced.progress(), progress);
        progress = sliced.progress();
    }
    EXPECT_GT(slices, 100);
    EXPECT_EQ(sliced.drawsByTier(), whole.drawsByTier());
    EXPECT_EQ(sliced.guarantee().size(), whole.guarantee().size());
    for (std::size_t r = 0; r < whole.guarantee().size(); ++r)
        EXPECT_EQ(sliced.guarantee()[r].byBestMatch, whole.guarantee()[r].byBestMatch);

    CoverageJob stopped(game, file);
    stopped.advance(std::chrono::nanoseconds(1));
    stopped.stop();
    EXPECT_TRUE(stopped.advance(std::chrono::hours(1)));
    EXPECT_TRUE(stopped.stopped());
    EXPECT_LT(stopped.progress(), 1.0 + 1e-9);
}

TEST(Coverage, RefusesAFileItCannotCount) {
    EXPECT_EQ(CoverageJob::refusal(Game::lotto649(), 0), "it holds no lines");
    EXPECT_TRUE(CoverageJob::refusal(Game::lotto649(), CoverageJob::kMostLines + 1));
    EXPECT_FALSE(CoverageJob::refusal(Game::lotto649(), CoverageJob::kMostLines));
    EXPECT_TRUE(CoverageJob::refusal(madeGame(40, 5, true, 10, 1, {}), 5));
}

TEST(HistoryCheck, CountsEveryLineAgainstEveryDrawAsAPlainCountDoes) {
    std::mt19937 random(5);
    const Game powerball = catalogued("Powerball");
    const std::vector<GameLine> lines = randomLines(powerball, 200, random, 20);
    std::vector<PastDraw> draws;
    for (const GameLine& line : randomLines(powerball, 300, random, 20))
        draws.push_back(PastDraw{"2026-01-01", line.numbers, line.bonus});
    const HistoryCheck check = checkAgainstHistory(powerball, lines, draws);
    ASSERT_EQ(check.draws.size(), draws.size());
    const auto& tiers = powerball.tiers();
    std::vector<std::uint64_t> total(tiers.size(), 0);
    std::uint64_t withPrize = 0;
    for (std::size_t d = 0; d < draws.size(); ++d) {
        std::vector<std::uint64_t> byTier(tiers.size(), 0);
        for (const GameLine& line : lines) {
            const int main = line.numbers.shared(draws[d].numbers);
            const int bonus = line.bonus.shared(draws[d].bonus);
            for (std::size_t t = 0; t < tiers.size(); ++t)
                if (tiers[t].main == main && tiers[t].bonus <= bonus) {
                    ++byTier[t];
                    break;
                }
        }
        EXPECT_EQ(check.draws[d].lines, byTier) << d;
        const auto best = std::find_if(byTier.begin(), byTier.end(), [](std::uint64_t c) { return c > 0; });
        EXPECT_EQ(check.draws[d].bestTier, static_cast<int>(best - byTier.begin())) << d;
        withPrize += best != byTier.end();
        for (std::size_t t = 0; t < tiers.size(); ++t) total[t] += byTier[t];
    }
    EXPECT_EQ(check.linesByTier, total);
    EXPECT_EQ(check.drawsWithPrize, withPrize);
    EXPECT_GT(withPrize, 0u);

    // The job a draw at a time gives the same; stopped, it keeps the draws checked.
    HistoryCheckJob job(powerball, lines, draws);
    while (!job.advance(std::chrono::nanoseconds(1))) {}
    EXPECT_EQ(job.result().linesByTier, check.linesByTier);
    EXPECT_EQ(job.result().draws.size(), draws.size());
    HistoryCheckJob stopped(powerball, lines, draws);
    stopped.advance(std::chrono::nanoseconds(1));
    stopped.stop();
    EXPECT_TRUE(stopped.advance(std::chrono::hours(1)));
    EXPECT_LT(stopped.result().draws.size(), draws.size());
}

TEST(HistoryCheck, ReadsTheDrawsOfEitherHistoryFormat) {
    TempFolder folder;
    const std::string lotto = folder.write("FL6-49.HIT", "050788  15 17 30 42 44 49\r\n121503  01 02 03 04 05 06\r\n");
    const PastDraws past = readPastDraws(Game::lotto649(), lotto);
    ASSERT_TRUE(past.ok()) << past.error;
    ASSERT_EQ(past.draws.size(), 2u);
    EXPECT_EQ(past.draws[0].date, "05-07-88");
    EXPECT_EQ(past.draws[1].date, "12-15-03");
    EXPECT_TRUE(past.draws[0].numbers == (NumberSet{15, 17, 30, 42, 44, 49}));

    const Game powerball = catalogued("Powerball");
    const std::string other = folder.write("POWERBALL.HIT", "2026-12-05  03 11 24 30 41 + 07\r\nbad line\r\n");
    const PastDraws bad = readPastDraws(powerball, other);
    EXPECT_FALSE(bad.ok());
    EXPECT_NE(bad.error.find("POWERBALL.HIT"), std::string::npos);
    EXPECT_TRUE(bad.draws.empty());
}

TEST(TicketFile, ReadsWheelOutputAndAbbreviatedListsAndNamesABadLine) {
    TempFolder folder;
    const Game powerball = catalogued("Powerball");
    const TicketFileRead list = readTicketText(
        "Abbreviated wheel: 2 tickets\r\nPool (6 numbers): 01 02 03 04 05 06\r\n\r\n1: 01 02 03 04 05 + 07\r\n"
        "2: 02 03 04 05 06 + 01\r\n",
        powerball, "list.txt");
    ASSERT_FALSE(list.failure);
    ASSERT_EQ(list.lines.size(), 2u);
    EXPECT_TRUE(list.lines[1].bonus == NumberSet{1});

    const TicketFileRead bad = readTicketText("1 2 3 4 5 + 7\n1 2 3 4 70 + 7\n", powerball, "bad.txt");
    ASSERT_TRUE(bad.failure);
    EXPECT_NE(bad.failure->text.find("Line 2 of the ticket file bad.txt"), std::string::npos);
    EXPECT_TRUE(bad.lines.empty());

    const TicketFileRead missing = readTicketFile(folder.file("none.txt"), powerball);
    ASSERT_TRUE(missing.failure);
    EXPECT_NE(missing.failure->text.find("none.txt"), std::string::npos);
}

// A win check of another game read a few lines a slice counts what the whole
// check counts; the boxes of a draw are read and named as typed.
TEST(GameWinCheck, SlicedCountsAreTheWholeChecksAndTypedNumbersAreNamed) {
    const TempFolder folder;
    const Game game = *gameFromMatrix("5/20+1/4");
    std::mt19937 random(9);
    std::string lines;
    for (int i = 0; i < 5000; ++i) {
        std::vector<int> numbers(20);
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin(), numbers.end(), random);
        for (int k = 0; k < 5; ++k) lines += std::to_string(numbers[static_cast<std::size_t>(k)]) + " ";
        lines += "+ " + std::to_string(1 + i % 4) + "\r\n";
    }
    const std::string path = folder.write("lines.txt", lines);
    NumberSet winning, bonus;
    for (int n : {2, 4, 6, 8, 10}) winning.add(n);
    bonus.add(3);
    const GameWinTally whole = tallyGameFile(path, game, winning, bonus);
    ASSERT_FALSE(whole.failure);
    GameWinTallyJob job(path, game, winning, bonus);
    int slices = 0;
    while (!job.advance(std::chrono::nanoseconds(0))) ++slices;
    EXPECT_GT(slices, 0);
    EXPECT_EQ(job.tally().lines, whole.lines);
    EXPECT_EQ(hitRows(game, whole, true).size(), 12u);
    EXPECT_EQ(hitRows(game, whole, false).front().first, "0 of 5");

    EXPECT_EQ(readTypedNumbers({"3", " 20 ", "1"}, 20, "winning number").numbers.count(), 3);
    EXPECT_EQ(readTypedNumbers({"3", "", "1"}, 20, "winning number").problem,
              "Winning number 2 is empty: type a number from 1 to 20.");
    EXPECT_EQ(readTypedNumbers({"3", "x"}, 20, "bonus number").faultAt, std::optional<std::size_t>(1));
}
