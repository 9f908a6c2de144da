// The game as a type: what it derives (sums, midpoint, classes, counts, odds)
// against hand values and plain counts, the checks that refuse a game that
// cannot be played, the matrix notation, and the catalogue's reading.
#include "core/Game.h"
#include "core/GameCatalogue.h"
#include "core/NumberSet.h"
#include "core/SetWalk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace orvane;

namespace {

Game matrixGame(const char* text) {
    std::string problem;
    const std::optional<Game> game = gameFromMatrix(text, &problem);
    EXPECT_TRUE(game) << problem;
    return game.value_or(Game::lotto649());
}

// Every outcome of a small game with an extra ball, against one ticket
// {1..k}: how many outcomes make each exact match.
std::uint64_t plainCount(int highest, int perTicket, const PrizeTier& tier) {
    std::uint64_t count = 0;
    std::vector<int> drawn(static_cast<std::size_t>(perTicket));
    const auto walk = [&](auto&& self, int from, int taken) -> void {
        if (taken == perTicket) {
            const int main =
                static_cast<int>(std::count_if(drawn.begin(), drawn.end(), [&](int n) { return n <= perTicket; }));
            // The extra ball: any number not drawn.
            for (int extra = 1; extra <= highest; ++extra) {
                if (std::find(drawn.begin(), drawn.end(), extra) != drawn.end()) continue;
                const bool held = extra <= perTicket;
                count += main == tier.main && held == tier.extra;
            }
            return;
        }
        for (int n = from; n <= highest; ++n) {
            drawn[static_cast<std::size_t>(taken)] = n;
            self(self, n + 1, taken + 1);
        }
    };
    walk(walk, 1, 0);
    return count;
}

} // namespace

TEST(Game, SixFortyNineDerivesWhatOrvaneHasAlwaysUsed) {
    const Game game = Game::lotto649();
    EXPECT_EQ(game.matrix(), "6/49");
    EXPECT_EQ(game.title(), "Lotto 6/49 (6/49)");
    EXPECT_EQ(game.smallestSum(), 21);
    EXPECT_EQ(game.largestSum(), 279);
    EXPECT_EQ(game.midpoint(), 24);
    EXPECT_EQ(game.tensClasses(), 5);
    EXPECT_EQ(game.positionLetter(5), 'F');
    EXPECT_EQ(game.setsOfPick(49), 13'983'816u);
    EXPECT_EQ(game.possibleDraws(), 13'983'816u);
    // The odds table: 1 in 13,983,816 for 6, 54,200.84 for 5, 1,032.40 for 4, 56.66 for 3.
    const std::pair<int, const char*> odds[] = {{6, "13,983,816"}, {5, "54,200.84"}, {4, "1,032.40"}, {3, "56.66"}};
    for (const auto& [main, text] : odds) EXPECT_EQ(oneInText(game.oddsOf({main, 0, false})), text) << main;
    EXPECT_EQ(game.oddsOf({5, 0, false}).ways, 258u);
}

TEST(Game, OtherMatricesDeriveTheirRangesAndOdds) {
    const Game fantasy = matrixGame("5/39");
    EXPECT_EQ(fantasy.smallestSum(), 15);
    EXPECT_EQ(fantasy.largestSum(), 185);
    EXPECT_EQ(fantasy.midpoint(), 19);
    EXPECT_EQ(fantasy.tensClasses(), 4);
    EXPECT_EQ(fantasy.possibleDraws(), 575'757u);
    const Game seven = matrixGame("7/35");
    EXPECT_EQ(seven.largestSum(), 224);
    EXPECT_EQ(seven.positionLetter(6), 'G');
    EXPECT_EQ(matrixGame("6/90").tensClasses(), 10);
    EXPECT_EQ(matrixGame("6/90").possibleDraws(), 622'614'630u);

    const Game powerball = matrixGame(" 5 / 69 + 1 / 26 ");
    EXPECT_EQ(powerball.matrix(), "5/69+1/26");
    EXPECT_EQ(powerball.title(), "5/69 + 1/26");
    EXPECT_EQ(oneInText(powerball.jackpotOdds()), "292,201,338");
    EXPECT_EQ(oneInText(powerball.oddsOf({5, 0, false})), "11,688,053.52"); // 25 of the bonus numbers miss
    EXPECT_EQ(oneInText(matrixGame("5/50+2/12").jackpotOdds()), "139,838,160");
}

// The exact matches share out every ticket, for games with and without an
// extra ball and a bonus pool; and a small game with an extra ball agrees
// with counting every draw, extra ball and all, against one ticket.
TEST(Game, TheOddsOfEveryExactMatchAddUpToEveryDraw) {
    for (const char* matrix : {"6/49", "5/39", "7/35", "5/69+1/26", "5/50+2/12", "3/8"})
        for (bool extra : {false, true}) {
            const Game plain = matrixGame(matrix);
            const std::optional<Game> game =
                Game::make("", plain.highest(), plain.perTicket(), extra, plain.bonusPool(), plain.bonusDrawn(), {});
            ASSERT_TRUE(game) << matrix;
            std::uint64_t ways = 0;
            for (int main = 0; main <= game->perTicket(); ++main)
                for (int bonus = 0; bonus <= game->bonusDrawn(); ++bonus) {
                    ways += game->oddsOf({main, bonus, false}).ways;
                    if (extra) ways += game->oddsOf({main, bonus, true}).ways;
                }
            // For one draw, every ticket makes exactly one match.
            EXPECT_EQ(ways, game->possibleDraws()) << matrix << (extra ? " with an extra ball" : "");
        }
    const std::optional<Game> small = Game::make("", 9, 3, true, 0, 0, {});
    ASSERT_TRUE(small);
    for (int main = 0; main <= 3; ++main)
        for (bool extra : {false, true}) {
            if (extra && main == 3) continue;
            const PrizeTier tier{main, 0, extra};
            // Each main draw comes with 6 extra balls: the plain count covers them all.
            EXPECT_EQ(small->oddsOf(tier).ways * 6, plainCount(9, 3, tier)) << Game::tierLabel(tier);
        }
}

TEST(Game, AGameThatCannotBePlayedIsRefusedWithItsReason) {
    const auto why = [](int highest, int perTicket, bool extra, int pool, int drawn, std::vector<PrizeTier> tiers) {
        std::string problem;
        EXPECT_FALSE(Game::make("", highest, perTicket, extra, pool, drawn, std::move(tiers), &problem));
        return problem;
    };
    EXPECT_EQ(why(49, 9, false, 0, 0, {}), "a ticket of 9 numbers: it holds from 3 to 8 numbers");
    EXPECT_EQ(why(91, 6, false, 0, 0, {}), "numbers up to 91: the highest number is at most 90");
    EXPECT_EQ(why(6, 6, false, 0, 0, {}),
              "numbers up to 6 for a ticket of 6: the drum must hold more numbers than are drawn");
    EXPECT_EQ(why(49, 6, false, 10, 3, {}), "a bonus pool drawing 3 numbers: at most 2");
    EXPECT_EQ(why(49, 6, false, 0, 0, {{6, 1, false}}), "the prize tier \"6 + bonus\": the game has no bonus pool");
    EXPECT_EQ(why(49, 6, true, 0, 0, {{6, 0, true}}),
              "the prize tier \"6 + extra\": a ticket that matches every main number cannot hold the extra ball");
    EXPECT_EQ(why(49, 6, false, 0, 0, {{7, 0, false}}), "the prize tier \"7\": a ticket matches 0 to 6 main numbers");
    EXPECT_EQ(why(49, 6, false, 0, 0, {{5, 0, false}, {5, 0, false}}), "the prize tier \"5\" is named twice");

    std::string problem;
    EXPECT_FALSE(gameFromMatrix("6-49", &problem));
    EXPECT_EQ(problem, "\"6-49\" is not a game: write it as K/N or K/N+B/M, such as 6/49 or 5/69+1/26");
    EXPECT_FALSE(gameFromMatrix("6/49+0/10", &problem));
    EXPECT_EQ(problem, "\"6/49+0/10\" is not a game: a bonus pool draws at least one number");
    EXPECT_FALSE(gameFromMatrix("6/49/", &problem));
    EXPECT_FALSE(gameFromMatrix("6/1000", &problem));
}

TEST(Game, TheUsualTiersAreTheTopMatches) {
    const auto labels = [](const Game& game) {
        std::vector<std::string> texts;
        for (const PrizeTier& tier : game.tiers()) texts.push_back(Game::tierLabel(tier));
        return texts;
    };
    EXPECT_EQ(labels(matrixGame("5/39")), (std::vector<std::string>{"5", "4", "3", "2"}));
    EXPECT_EQ(labels(matrixGame("5/69+1/26")),
              (std::vector<std::string>{"5 + bonus", "5", "4 + bonus", "4", "3 + bonus", "3", "2 + bonus", "2"}));
    EXPECT_EQ(labels(*Game::make("", 59, 6, true, 0, 0, {})),
              (std::vector<std::string>{"6", "5 + extra", "5", "4", "3"}));
}

TEST(GameCatalogue, TheShippedCatalogueReadsWholeAndStartsWithSixFortyNine) {
    ASSERT_GE(catalogueGames().size(), 10u);
    EXPECT_EQ(catalogueGames().front(), Game::lotto649());
    std::string problem;
    const std::optional<Game> powerball = findGame("POWERBALL", catalogueGames(), &problem);
    ASSERT_TRUE(powerball) << problem;
    EXPECT_EQ(powerball->title(), "Powerball (5/69 + 1/26)");
    EXPECT_EQ(powerball->tiers().size(), 9u);
    EXPECT_EQ(findGame("5/50+2/12", catalogueGames())->name(), "EuroMillions"); // the first of that matrix
    const std::optional<Game> unnamed = findGame("5/35", catalogueGames());
    ASSERT_TRUE(unnamed);
    EXPECT_EQ(unnamed->name(), "");
    EXPECT_EQ(unnamed->tiers().size(), 4u);
    EXPECT_FALSE(findGame("Lotto 7", catalogueGames(), &problem));
    EXPECT_EQ(problem, "\"Lotto 7\" names no game: give a game's name (orvane games lists them) or its matrix, such as "
                       "5/39 or 5/69+1/26");
    EXPECT_FALSE(findGame("7/99", catalogueGames(), &problem));
    EXPECT_EQ(problem, "\"7/99\" is not a game: numbers up to 99: the highest number is at most 90");
}

TEST(GameCatalogue, ABadLineIsNamedAndTheOthersKept) {
    const GameList list = readGameList("# mine\r\n"
                                       "Pick 5 | 5/35 | | 5, 4, 3\r\n"
                                       "\r\n"
                                       "Big | 6/99 | | \r\n"
                                       "Odd | 6/40 | bonus | 6\r\n"
                                       "Tiers | 6/40 | | 6, 5+y\r\n"
                                       "Extra | 6/40 | extra | 6, 5+x, 5\r\n"
                                       "pick 5 | 5/36 | | \r\n"
                                       "no bars\r\n",
                                       "MYGAMES.TXT");
    ASSERT_EQ(list.games.size(), 2u);
    EXPECT_EQ(list.games[0].title(), "Pick 5 (5/35)");
    EXPECT_TRUE(list.games[1].extraBall());
    EXPECT_EQ(list.games[1].tiers()[1], (PrizeTier{5, 0, true}));
    EXPECT_EQ(list.problems,
              (std::vector<std::string>{
                  "MYGAMES.TXT, line 4: \"6/99\" is not a game: numbers up to 99: the highest number is at most 90.",
                  "MYGAMES.TXT, line 5: the third part is \"extra\" for an extra ball, or empty; it holds \"bonus\".",
                  "MYGAMES.TXT, line 6: \"5+y\" is no prize tier: write 5, 5+1 (with a bonus number) or 5+x (with the "
                  "extra ball).",
                  "MYGAMES.TXT, line 8: a game named \"pick 5\" comes earlier.",
                  "MYGAMES.TXT, line 9: a game is \"name | matrix | extra | tiers\", four parts split by |.",
              }));
}

// One set type for the numbers of every game: up to 90, across its two words.
TEST(NumberSet, HoldsNumbersOneToNinetyAcrossBothWords) {
    NumberSet set{1, 63, 64, 65, 90, 0, 91, -5};
    EXPECT_EQ(set.count(), 5);
    EXPECT_TRUE(set.has(63) && set.has(64) && set.has(90));
    EXPECT_FALSE(set.has(0) || set.has(91) || set.has(2));
    std::vector<int> seen;
    set.forEach([&](int n) { seen.push_back(n); });
    EXPECT_EQ(seen, (std::vector<int>{1, 63, 64, 65, 90}));
    const NumberSet high = NumberSet::range(60, 90);
    EXPECT_EQ(high.count(), 31);
    EXPECT_EQ(set.shared(high), 4);
    EXPECT_EQ((set & high), (NumberSet{63, 64, 65, 90}));
    EXPECT_EQ((set | high).count(), 32);
    set.remove(64);
    set.remove(1);
    EXPECT_EQ(set, (NumberSet{63, 65, 90}));
    EXPECT_EQ(set.low(), std::uint64_t{1} << 63);
    EXPECT_TRUE(NumberSet{}.empty());
}

// The sets of any game's pick in ascending lexicographic order, C(n, k) of
// them; a bonus game's lines pair each with every choice of the bonus numbers.
TEST(SetWalk, WalksEverySetOfAnyGameInOrder) {
    for (const char* matrix : {"5/39", "7/35", "3/10", "8/20"}) {
        const Game game = *gameFromMatrix(matrix);
        std::vector<int> pick;
        for (int n = 1; n <= game.highest(); n += 2) pick.push_back(n); // the odd numbers
        std::uint64_t count = 0;
        std::vector<int> previous;
        for (SetWalk walk(pick, game.perTicket()); !walk.ended(); walk.next()) {
            ++count;
            ASSERT_EQ(walk.set().size(), static_cast<std::size_t>(game.perTicket()));
            ASSERT_TRUE(std::is_sorted(walk.set().begin(), walk.set().end()));
            ASSERT_TRUE(previous.empty() || previous < walk.set()) << matrix;
            previous = walk.set();
        }
        EXPECT_EQ(count, game.setsOfPick(static_cast<int>(pick.size()))) << matrix;
        EXPECT_EQ(previous.back(), pick.back());
    }
    EXPECT_TRUE(SetWalk({1, 2, 3, 4}, 5).ended());
    EXPECT_EQ(bonusParts({7}, 1), (std::vector<std::string>{" + 7"}));
    EXPECT_EQ(bonusParts({3, 11, 12}, 2), (std::vector<std::string>{" + 3 11", " + 3 12", " + 11 12"}));
    EXPECT_TRUE(bonusParts({3}, 2).empty());
}
