#include "pool/PoolGeneration.h"
#include "pool/PoolSteps.h"

#include "pool/PoolHistories.h"

#include <gtest/gtest.h>

#include <random>

using namespace orvane;

namespace {

// The computation done the plain way, one record list and one pass per step:
// flat tables of numbers, every pair compared for a score, the records list
// searched and rewritten for every slot, the following draws gathered and
// counted number by number.
struct Reference {
    std::size_t blocksTested = 0;
    std::vector<ScoredBlock> groups;
    std::vector<RankedNumber> rows;
    std::uint64_t swaps = 0;
    std::vector<int> pool;
    std::vector<RankedNumber> bonusRows;
    std::vector<int> bonusPool;
};

// The numbers 1 to `highest` counted in `drawn` and put in order by the
// exchange sort; gives the swaps it made.
std::uint64_t rankPlainly(const std::vector<int>& drawn, int highest, std::vector<RankedNumber>& rows) {
    for (int n = 1; n <= highest; ++n)
        rows.push_back({n, static_cast<std::uint64_t>(std::count(drawn.begin(), drawn.end(), n))});
    std::uint64_t swaps = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = i + 1; j < rows.size(); ++j)
            if (rows[i].count < rows[j].count) {
                std::swap(rows[i], rows[j]);
                ++swaps;
            }
    return swaps;
}

Reference referencePool(const GameReportDraws& draws, const PoolParameters& p) {
    const int d = static_cast<int>(draws.size());
    const int t = p.trendLength;
    auto numbersOf = [&](int firstRecord, int records) {
        std::vector<int> numbers;
        for (int r = firstRecord; r < firstRecord + records; ++r)
            for (int n : draws.numbers[static_cast<std::size_t>(r - 1)]) numbers.push_back(n);
        return numbers;
    };
    const std::vector<int> recent = numbersOf(d - t, t);

    Reference result;
    std::vector<ScoredBlock> records;
    for (int k = 0; k != d - (2 * t + 1);) {
        ++k;
        const std::vector<int> block = numbersOf(k, t);
        std::uint64_t score = 0;
        for (int a : recent)
            for (int b : block) score += a == b;
        records.push_back({k, k + t, score});
    }
    result.blocksTested = records.size();

    for (int g = 1; g <= p.bestGroups; ++g) {
        ScoredBlock slot;
        for (const ScoredBlock& line : records)
            if (line.score > slot.score) slot = line;
        result.groups.push_back(slot);
        std::vector<ScoredBlock> updated;
        for (const ScoredBlock& line : records)
            if (!(line == slot)) updated.push_back(line);
        records = updated;
    }

    std::vector<int> best;
    std::vector<int> bestBonus;
    for (const ScoredBlock& group : result.groups) {
        if (group.end == 0) continue;
        for (int r = group.end + 1; r <= group.end + p.followingDraws; ++r)
            if (r <= d) {
                for (int n : draws.numbers[static_cast<std::size_t>(r - 1)]) best.push_back(n);
                for (int n : draws.bonus[static_cast<std::size_t>(r - 1)]) bestBonus.push_back(n);
            }
    }
    result.swaps = rankPlainly(best, draws.game.highest(), result.rows);
    for (int i = 0; i < p.poolSize; ++i) result.pool.push_back(result.rows[static_cast<std::size_t>(i)].number);
    if (draws.game.hasBonusPool()) {
        rankPlainly(bestBonus, draws.game.bonusPool(), result.bonusRows);
        for (int i = 0; i < p.bonusPoolSize; ++i)
            result.bonusPool.push_back(result.bonusRows[static_cast<std::size_t>(i)].number);
    }
    return result;
}

void expectSame(const PoolOutcome& outcome, const Reference& reference, const std::string& where) {
    EXPECT_EQ(outcome.blocksTested, reference.blocksTested) << where;
    EXPECT_EQ(outcome.bestGroups, reference.groups) << where;
    EXPECT_EQ(std::vector<RankedNumber>(outcome.ranking.begin(), outcome.ranking.end()), reference.rows) << where;
    EXPECT_EQ(outcome.swaps, reference.swaps) << where;
    EXPECT_EQ(outcome.pool, reference.pool) << where;
    EXPECT_EQ(outcome.bonusRanking, reference.bonusRows) << where;
    EXPECT_EQ(outcome.bonusPool, reference.bonusPool) << where;
}

// A random history of `game`: its k numbers and its bonus numbers drawn
// from a narrower range when `narrow`, so that scores and counts tie often.
GameReportDraws randomGameDraws(std::mt19937& random, const Game& game, std::size_t count, bool narrow) {
    GameReportDraws draws(game);
    for (std::size_t i = 0; i < count; ++i) {
        const int highest = narrow ? game.perTicket() + 3 : game.highest();
        const int bonusHighest = narrow ? std::min(game.bonusPool(), 3) : game.bonusPool();
        draws.add(randomNumbers(random, highest, game.perTicket()),
                  randomNumbers(random, bonusHighest, game.bonusDrawn()));
    }
    return draws;
}

std::array<std::uint64_t, 49> countsOf(std::initializer_list<std::uint64_t> leading) {
    std::array<std::uint64_t, 49> counts{};
    std::copy(leading.begin(), leading.end(), counts.begin());
    return counts;
}

std::vector<int> topOf(const pool_steps::Ranking& ranking, std::size_t size) {
    std::vector<int> top;
    for (std::size_t i = 0; i < size; ++i) top.push_back(ranking.rows[i].number);
    return top;
}

} // namespace

// Random histories of every shape the parameters allow: the full range of
// numbers, a narrow range (many equal scores and counts), and histories whose
// recent draws share nothing with most blocks (slots left empty), from the
// shortest history a trend allows upwards.
TEST(PoolGeneration, MatchesThePlainComputationOnRandomHistories) {
    std::mt19937 random(4049);
    for (int round = 0; round < 400; ++round) {
        const int t = 1 + static_cast<int>(random() % 8);
        const std::size_t d = 2 * static_cast<std::size_t>(t) + 2 + random() % 60;
        std::vector<ReportDraw> draws;
        switch (round % 3) {
        case 0: draws = randomDraws(random, d); break;
        case 1: draws = randomDraws(random, d, 1, 9); break;
        default:
            draws = randomDraws(random, d, 20, 49);
            for (std::size_t i = d - 1 - static_cast<std::size_t>(t); i < d - 1; ++i)
                draws[i] = randomDraw(random, 1, 24);
            break;
        }
        const PoolParameters p{t, 1 + static_cast<int>(random() % 49), 1 + static_cast<int>(random() % 49),
                               1 + static_cast<int>(random() % 5)};
        ASSERT_FALSE(checkPoolParameters(p, d).has_value());
        expectSame(generatePool(draws, p), referencePool(draws, p),
                   "round " + std::to_string(round) + ": D " + std::to_string(d) + ", T " + std::to_string(t) + ", G " +
                       std::to_string(p.bestGroups) + ", P " + std::to_string(p.poolSize) + ", N " +
                       std::to_string(p.followingDraws));
    }
}

TEST(PoolGeneration, MatchesThePlainComputationOnTheSample) {
    const std::vector<ReportDraw> draws = readReportHistory(ORVANE_SAMPLE_HISTORY).draws;
    ASSERT_EQ(draws.size(), 599u);
    for (const PoolParameters p :
         {PoolParameters{5, 10, 49, 1}, PoolParameters{15, 20, 7, 5}, PoolParameters{1, 49, 12, 3}})
        expectSame(generatePool(draws, p), referencePool(draws, p), "T " + std::to_string(p.trendLength));
}

// T = 5 on 100 draws: 89 blocks, the last one records 89 to 93. Records 89 to
// 93 repeat the recent draws 95 to 99, records 94 and 100 hold other numbers:
// a recent window shifted by one draw would score the best block below 150.
TEST(PoolGeneration, BlockGeometryAndRecentWindow) {
    std::vector<ReportDraw> draws(100, drawFrom(1));
    for (int r = 89; r <= 93; ++r) draws[static_cast<std::size_t>(r - 1)] = drawFrom(40);
    for (int r = 95; r <= 99; ++r) draws[static_cast<std::size_t>(r - 1)] = drawFrom(40);
    draws[93] = drawFrom(7);
    draws[99] = drawFrom(13);

    const PoolOutcome outcome = generatePool(draws, {5, 2, 49, 1});
    EXPECT_EQ(outcome.draws, 100u);
    EXPECT_EQ(outcome.blocksTested, 89u);
    ASSERT_EQ(outcome.bestGroups.size(), 2u);
    EXPECT_EQ(outcome.bestGroups[0], (ScoredBlock{89, 94, 5 * 6 * 5}));
    EXPECT_EQ(outcome.bestGroups[1], (ScoredBlock{88, 93, 4 * 6 * 5}));
    // The draws counted after them: records 95 and 94.
    EXPECT_EQ(std::vector<int>(outcome.pool.begin(), outcome.pool.begin() + 12),
              (std::vector<int>{7, 8, 9, 10, 11, 12, 40, 41, 42, 43, 44, 45}));

    std::vector<ReportDraw> twelve(12, drawFrom(1));
    EXPECT_EQ(generatePool(twelve, {5, 10, 49, 1}).blocksTested, 1u);
    EXPECT_EQ(generatePool(twelve, {5, 10, 49, 1}).bestGroups.front(), (ScoredBlock{1, 6, 5 * 6 * 5}));
}

TEST(PoolGeneration, EqualTopBlocksGoToTheEarlierFirst) {
    // T = 2 over 12 draws: recent records 10 and 11; blocks 2 and 5 each hold
    // two copies of the recent draw, blocks 1, 3, 4 and 6 one.
    std::vector<ReportDraw> draws(12, drawFrom(40));
    for (int r : {2, 3, 5, 6, 10, 11}) draws[static_cast<std::size_t>(r - 1)] = drawFrom(1);
    const PoolOutcome outcome = generatePool(draws, {2, 6, 49, 1});
    EXPECT_EQ(outcome.bestGroups,
              (std::vector<ScoredBlock>{{2, 4, 24}, {5, 7, 24}, {1, 3, 12}, {3, 5, 12}, {4, 6, 12}, {6, 8, 12}}));
}

// Slots no block scores above 0 for stay empty and add no draws; had they
// added records 1 to N, the numbers 20 to 25 would count.
TEST(PoolGeneration, EmptySlotsAddNothingAndEqualCountsKeepTheirOrder) {
    std::vector<ReportDraw> draws(20, drawFrom(40));
    draws[0] = drawFrom(20);
    draws[1] = drawFrom(20);
    draws[4] = drawFrom(1);  // block 5, the only one sharing a number with the recent draw
    draws[6] = drawFrom(30); // record 7, the first one counted after it (record 6 is passed over)
    draws[18] = drawFrom(1); // the recent window
    const PoolOutcome outcome = generatePool(draws, {1, 3, 49, 2});
    EXPECT_EQ(outcome.bestGroups, (std::vector<ScoredBlock>{{5, 6, 6}, {}, {}}));
    EXPECT_EQ(std::vector<int>(outcome.pool.begin(), outcome.pool.begin() + 6),
              (std::vector<int>{30, 31, 32, 33, 34, 35}));
    for (const RankedNumber& row : outcome.ranking)
        if (row.number >= 20 && row.number <= 25) {
            EXPECT_EQ(row.count, 0u) << row.number;
        }

    // No block at all scores: every count is 0, and the ranking is 1 to 49 as it started.
    std::vector<ReportDraw> unrelated(20, drawFrom(40));
    unrelated[18] = drawFrom(1);
    const PoolOutcome none = generatePool(unrelated, {1, 10, 12, 1});
    EXPECT_EQ(none.bestGroups, std::vector<ScoredBlock>(10));
    EXPECT_EQ(none.swaps, 0u);
    EXPECT_EQ(none.pool, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

// T = 1 on 4 draws: the one block is record 1, followed by records 3 and 4
// only, whatever N asks for.
TEST(PoolGeneration, FollowingDrawsStopAtTheEndOfTheHistory) {
    const std::vector<ReportDraw> draws{drawFrom(1), drawFrom(10), drawFrom(1), drawFrom(20)};
    const PoolOutcome five = generatePool(draws, {1, 1, 49, 5});
    EXPECT_EQ(five.bestGroups, (std::vector<ScoredBlock>{{1, 2, 6}}));
    for (const RankedNumber& row : five.ranking) {
        const bool followed = (row.number >= 1 && row.number <= 6) || (row.number >= 20 && row.number <= 25);
        EXPECT_EQ(row.count, followed ? 1u : 0u) << row.number;
    }
    EXPECT_EQ(generatePool(draws, {1, 1, 49, 2}), five);
    EXPECT_NE(generatePool(draws, {1, 1, 49, 1}).ranking, five.ranking);
}

TEST(PoolGeneration, ExchangeSortTieOrderAndSwaps) {
    const pool_steps::Ranking oneOneTwo = pool_steps::rankCounts(countsOf({1, 1, 2}));
    EXPECT_EQ(topOf(oneOneTwo, 3), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(oneOneTwo.swaps, 1u);

    const pool_steps::Ranking threeFiveFive = pool_steps::rankCounts(countsOf({3, 5, 5}));
    EXPECT_EQ(topOf(threeFiveFive, 3), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(threeFiveFive.swaps, 2u);

    std::array<std::uint64_t, 49> equal{};
    equal.fill(7);
    const pool_steps::Ranking same = pool_steps::rankCounts(equal);
    EXPECT_EQ(same.swaps, 0u);
    EXPECT_EQ(pool_steps::poolOf(same, 49).back(), 49);
    EXPECT_EQ(pool_steps::poolOf(same, 7), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST(PoolGeneration, ComboValuesReadTheLeadingWholeNumber) {
    EXPECT_EQ(poolComboValue("5"), 5);
    EXPECT_EQ(poolComboValue(" 12 draws"), 12);
    EXPECT_EQ(poolComboValue("12ab"), 12);
    EXPECT_EQ(poolComboValue("7.9"), 7);
    EXPECT_EQ(poolComboValue(""), 0);
    EXPECT_EQ(poolComboValue("ten"), 0);
    EXPECT_EQ(poolComboValue("-3"), -3);
    EXPECT_GT(poolComboValue("99999999999999999999"), 49);
}

TEST(PoolGeneration, ParametersOutsideTheirRangesAreNamed) {
    EXPECT_FALSE(checkPoolParameters({5, 10, 49, 1}, 12).has_value());
    EXPECT_FALSE(checkPoolParameters({1, 1, 1, 5}, 4).has_value());
    EXPECT_FALSE(checkPoolParameters({5, 49, 49, 5}, 599).has_value());

    const std::optional<Notice> eleven = checkPoolParameters({5, 10, 49, 1}, 11);
    ASSERT_TRUE(eleven.has_value());
    EXPECT_EQ(eleven->title, "VN-Gathra");
    EXPECT_EQ(eleven->icon, NoticeIcon::Exclamation);
    EXPECT_NE(eleven->text.find("trend length must be a whole number from 1 to 4"), std::string::npos) << eleven->text;
    EXPECT_NE(eleven->text.find("11 draws"), std::string::npos) << eleven->text;

    auto textFor = [](PoolParameters p, std::size_t draws) {
        const std::optional<Notice> notice = checkPoolParameters(p, draws);
        return notice ? notice->text : std::string("accepted");
    };
    EXPECT_NE(textFor({0, 10, 49, 1}, 599).find("from 1 to 298"), std::string::npos);
    EXPECT_NE(textFor({-2, 10, 49, 1}, 599).find("trend length"), std::string::npos);
    EXPECT_NE(textFor({1, 1, 1, 1}, 3).find("too short"), std::string::npos);
    EXPECT_NE(textFor({1, 1, 1, 1}, 0).find("0 draws"), std::string::npos);
    for (int g : {0, 50})
        EXPECT_NE(textFor({5, g, 49, 1}, 599).find("best trend groups must be a whole number from 1 to 49"),
                  std::string::npos)
            << g;
    for (int p : {0, 50})
        EXPECT_NE(textFor({5, 10, p, 1}, 599).find("pool size must be a whole number from 1 to 49"), std::string::npos)
            << p;
    for (int n : {0, 6}) EXPECT_NE(textFor({5, 10, 49, n}, 599).find("from 1 to 5"), std::string::npos) << n;
}

// Every game ranks its own numbers, and a game with a bonus pool ranks the
// bonus numbers of the same following draws the same way.
TEST(PoolGeneration, OtherGamesMatchThePlainComputation) {
    std::mt19937 random(5039);
    const std::vector<Game> games = {*gameFromMatrix("5/39"), *gameFromMatrix("5/69+1/26"), *gameFromMatrix("7/35"),
                                     *gameFromMatrix("6/45+2/10")};
    for (int round = 0; round < 160; ++round) {
        const Game& game = games[static_cast<std::size_t>(round) % games.size()];
        const int t = 1 + static_cast<int>(random() % 6);
        const std::size_t d = 2 * static_cast<std::size_t>(t) + 2 + random() % 50;
        const GameReportDraws draws = randomGameDraws(random, game, d, round % 2 == 1);
        PoolParameters p{t, 1 + static_cast<int>(random() % 20), 1 + static_cast<int>(random() % game.highest()),
                         1 + static_cast<int>(random() % 5)};
        if (game.hasBonusPool()) p.bonusPoolSize = 1 + static_cast<int>(random() % game.bonusPool());
        ASSERT_FALSE(checkPoolParameters(p, d, game).has_value());
        const PoolOutcome outcome = generatePool(draws, p);
        expectSame(outcome, referencePool(draws, p), game.matrix() + ", round " + std::to_string(round));
        EXPECT_EQ(outcome.ranking.size(), static_cast<std::size_t>(game.highest()));
        EXPECT_EQ(outcome.bonusRanking.size(), static_cast<std::size_t>(game.bonusPool()));
    }
}

TEST(PoolGeneration, OtherGamesParametersFollowTheGame) {
    const Game powerball = *gameFromMatrix("5/69+1/26");
    const Game fantasy = *gameFromMatrix("5/39");
    EXPECT_FALSE(checkPoolParameters({5, 10, 69, 1, 26}, 599, powerball).has_value());
    EXPECT_FALSE(checkPoolParameters({5, 10, 39, 1}, 599, fantasy).has_value());
    auto textFor = [](PoolParameters p, const Game& game) {
        const std::optional<Notice> notice = checkPoolParameters(p, 599, game);
        return notice ? notice->text : std::string("accepted");
    };
    EXPECT_EQ(textFor({5, 10, 40, 1}, fantasy), "The pool size must be a whole number from 1 to 39.");
    EXPECT_EQ(textFor({5, 10, 70, 1, 1}, powerball), "The pool size must be a whole number from 1 to 69.");
    for (int bonus : {0, 27})
        EXPECT_EQ(textFor({5, 10, 20, 1, bonus}, powerball), "The bonus pool size must be a whole number from 1 to 26.")
            << bonus;
    // A game without a bonus pool asks for no bonus pool size.
    EXPECT_EQ(textFor({5, 10, 20, 1, 0}, fantasy), "accepted");
}
