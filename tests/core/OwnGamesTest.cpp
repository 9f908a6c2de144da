// Defining a game in boxes (each refusal names the box to mend) and the
// user's own games file: a game added, edited and removed with every other
// line kept as the user wrote it.
#include "core/GameCatalogue.h"
#include "core/GameDefinition.h"
#include "core/OwnGamesFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <variant>

using namespace orvane;

namespace {

GameDefinition boxes(std::string name, std::string highest, std::string perTicket, std::string tiers = {},
                     std::string bonusPool = {}, std::string bonusDrawn = {}, bool extra = false) {
    return GameDefinition{std::move(name),      std::move(highest),    std::move(perTicket), extra,
                          std::move(bonusPool), std::move(bonusDrawn), std::move(tiers)};
}

// The box a refused definition names, and its message.
DefinitionProblem refusal(const GameDefinition& definition, const std::vector<Game>& taken = {}) {
    const auto result = gameOfDefinition(definition, taken);
    EXPECT_TRUE(std::holds_alternative<DefinitionProblem>(result)) << definition.name << " was taken";
    return std::holds_alternative<DefinitionProblem>(result) ? std::get<DefinitionProblem>(result)
                                                             : DefinitionProblem{DefinitionBox::Name, ""};
}

} // namespace

TEST(GameDefinition, AGoodDefinitionMakesTheGameAndEveryCatalogueGameComesBackFromItsBoxes) {
    const auto pick5 = gameOfDefinition(boxes("  Pick 5 ", "35", "5", "5, 4, 3"), {});
    ASSERT_TRUE(std::holds_alternative<Game>(pick5));
    const Game& game = std::get<Game>(pick5);
    EXPECT_EQ(game.title(), "Pick 5 (5/35)");
    EXPECT_EQ(game.tiers().size(), 3u);
    // No tiers given: the usual ones.
    const auto usual = gameOfDefinition(boxes("Plain", "35", "7"), {});
    ASSERT_TRUE(std::holds_alternative<Game>(usual));
    EXPECT_FALSE(std::get<Game>(usual).tiers().empty());

    for (const Game& known : catalogueGames()) {
        const auto again = gameOfDefinition(definitionOf(known), {});
        ASSERT_TRUE(std::holds_alternative<Game>(again))
            << known.name() << ": " << std::get<DefinitionProblem>(again).message;
        EXPECT_EQ(std::get<Game>(again), known);
    }
}

TEST(GameDefinition, ABadDefinitionIsRefusedNamingTheBox) {
    EXPECT_EQ(refusal(boxes("", "39", "5")).box, DefinitionBox::Name);
    EXPECT_EQ(refusal(boxes("A | B", "39", "5")).box, DefinitionBox::Name);
    const DefinitionProblem taken = refusal(boxes("powerball", "39", "5"), catalogueGames());
    EXPECT_EQ(taken.box, DefinitionBox::Name);
    EXPECT_EQ(taken.message, "A game named \"powerball\" is already in the list: choose another name.");

    EXPECT_EQ(refusal(boxes("K", "39", "9")).box, DefinitionBox::PerTicket);
    EXPECT_EQ(refusal(boxes("K", "39", "five")).box, DefinitionBox::PerTicket);
    // k > N, and N > 90.
    const DefinitionProblem small = refusal(boxes("Small", "5", "6"));
    EXPECT_EQ(small.box, DefinitionBox::Highest);
    EXPECT_EQ(small.message, "Enter the highest number of the drum, from 7 to 90.");
    EXPECT_EQ(refusal(boxes("Huge", "91", "6")).box, DefinitionBox::Highest);
    EXPECT_EQ(refusal(boxes("Extra", "7", "6", {}, {}, {}, true)).box, DefinitionBox::Highest);

    EXPECT_EQ(refusal(boxes("B", "69", "5", {}, "", "1")).box, DefinitionBox::BonusPool);
    EXPECT_EQ(refusal(boxes("B", "69", "5", {}, "26", "")).box, DefinitionBox::BonusDrawn);
    EXPECT_EQ(refusal(boxes("B", "69", "5", {}, "26", "3")).box, DefinitionBox::BonusDrawn);
    EXPECT_EQ(refusal(boxes("B", "69", "5", {}, "1", "1")).box, DefinitionBox::BonusDrawn);

    // Tiers that cannot happen.
    const DefinitionProblem six = refusal(boxes("T", "39", "5", "6, 5"));
    EXPECT_EQ(six.box, DefinitionBox::Tiers);
    EXPECT_EQ(six.message, "The prize tier \"6\": a ticket matches 0 to 5 main numbers.");
    EXPECT_EQ(refusal(boxes("T", "39", "5", "5+1, 5")).box, DefinitionBox::Tiers); // no bonus pool
    EXPECT_EQ(refusal(boxes("T", "39", "5", "4+x")).box, DefinitionBox::Tiers);    // no extra ball
    EXPECT_EQ(refusal(boxes("T", "39", "5", "5, five")).box, DefinitionBox::Tiers);
    EXPECT_EQ(refusal(boxes("T", "39", "5", "5, 5")).box, DefinitionBox::Tiers);
}

TEST(OwnGamesFile, AddsEditsAndRemovesOneLineKeepingTheRest) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const Game pick5 = *Game::make("Pick 5", 35, 5, false, 0, 0, {});
    const Game bonus = *Game::make("Two Drums", 45, 5, false, 20, 1, {});

    // A first game makes the file, which reads back as that game.
    ASSERT_FALSE(saveOwnGame(paths, pick5));
    GameList own = readOwnGames(paths);
    ASSERT_EQ(own.games.size(), 1u);
    EXPECT_EQ(own.games.front(), pick5);
    EXPECT_TRUE(own.problems.empty());

    // The user's own lines, a bad one among them, and Windows line ends.
    const std::string mine = "# mine\r\nPick 5 | 5/35 |  | 5, 4, 3\r\nbroken line\r\n\r\nLast | 6/40 |  | 6, 5";
    folder.write("MYGAMES.TXT", mine);
    ASSERT_FALSE(saveOwnGame(paths, bonus));
    EXPECT_EQ(contentsOf(ownGamesPath(paths)), mine + "\r\n" + gameLine(bonus) + "\r\n");

    const Game renamed = *Game::make("Pick Five", 36, 5, false, 0, 0, {});
    ASSERT_FALSE(saveOwnGame(paths, renamed, "PICK 5"));
    EXPECT_EQ(contentsOf(ownGamesPath(paths)), "# mine\r\n" + gameLine(renamed) +
                                                   "\r\nbroken line\r\n\r\nLast | 6/40 |  | 6, 5\r\n" +
                                                   gameLine(bonus) + "\r\n");
    own = readOwnGames(paths);
    ASSERT_EQ(own.games.size(), 3u);
    EXPECT_EQ(own.games.front(), renamed);
    EXPECT_EQ(own.games.back(), bonus);
    EXPECT_EQ(own.problems.size(), 1u); // the broken line, still the user's

    ASSERT_FALSE(removeOwnGame(paths, "last"));
    ASSERT_FALSE(removeOwnGame(paths, "no such game"));
    EXPECT_EQ(contentsOf(ownGamesPath(paths)),
              "# mine\r\n" + gameLine(renamed) + "\r\nbroken line\r\n\r\n" + gameLine(bonus) + "\r\n");
}

TEST(OwnGamesFile, AFileThatCannotBeReadIsNamedAndLeftAlone) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    std::filesystem::create_directory(ownGamesPath(paths)); // a folder where the file should be
    const std::optional<std::string> failure = saveOwnGame(paths, *Game::make("Pick 5", 35, 5, false, 0, 0, {}));
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find(ownGamesPath(paths)), std::string::npos) << *failure;
    EXPECT_NE(failure->find("nothing was changed"), std::string::npos) << *failure;
    EXPECT_TRUE(std::filesystem::is_directory(ownGamesPath(paths)));
}
