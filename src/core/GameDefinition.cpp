#include "core/GameDefinition.h"

#include "core/GameCatalogue.h"

#include <algorithm>
#include <cctype>

namespace orvane {

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A whole number of at most three digits; -1 when the text is anything else, -2 when empty.
int wholeNumber(const std::string& text) {
    const std::string digits = trimmed(text);
    if (digits.empty()) return -2;
    if (digits.size() > 3 || !std::all_of(digits.begin(), digits.end(),
                                          [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }))
        return -1;
    return std::stoi(digits);
}

DefinitionProblem problem(DefinitionBox box, std::string message) { return DefinitionProblem{box, std::move(message)}; }

std::string sentence(std::string text) {
    if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text + ".";
}

} // namespace

std::variant<Game, DefinitionProblem> gameOfDefinition(const GameDefinition& d, const std::vector<Game>& taken) {
    const std::string name = trimmed(d.name);
    if (name.empty()) return problem(DefinitionBox::Name, "Enter a name for the game.");
    if (name.find('|') != std::string::npos || name.front() == '#')
        return problem(DefinitionBox::Name, "A game's name cannot hold | or begin with #: choose another name.");
    if (std::any_of(taken.begin(), taken.end(), [&](const Game& game) { return sameGameName(game.name(), name); }))
        return problem(DefinitionBox::Name,
                       "A game named \"" + name + "\" is already in the list: choose another name.");

    const std::string perTicketRange =
        std::to_string(Game::kFewestPerTicket) + " to " + std::to_string(Game::kMostPerTicket);
    const int perTicket = wholeNumber(d.perTicket);
    if (perTicket < Game::kFewestPerTicket || perTicket > Game::kMostPerTicket)
        return problem(DefinitionBox::PerTicket, "Enter how many numbers a ticket holds, from " + perTicketRange + ".");

    const int fewestHighest = perTicket + (d.extraBall ? 1 : 0) + 1;
    const int highest = wholeNumber(d.highest);
    if (highest < fewestHighest || highest > Game::kLargestHighest)
        return problem(DefinitionBox::Highest, "Enter the highest number of the drum, from " +
                                                   std::to_string(fewestHighest) + " to " +
                                                   std::to_string(Game::kLargestHighest) + ".");

    int bonusPool = wholeNumber(d.bonusPool);
    int bonusDrawn = wholeNumber(d.bonusDrawn);
    if (bonusPool == -2) bonusPool = 0;
    if (bonusDrawn == -2) bonusDrawn = 0;
    if (bonusPool < 0 || bonusPool > Game::kLargestHighest)
        return problem(DefinitionBox::BonusPool, "Enter the bonus pool's highest number, up to " +
                                                     std::to_string(Game::kLargestHighest) +
                                                     ", or leave it empty for none.");
    if (bonusPool == 0 && bonusDrawn != 0)
        return problem(DefinitionBox::BonusPool,
                       "Enter the bonus pool's highest number, or clear how many bonus numbers are drawn.");
    if (bonusPool > 0 && (bonusDrawn < 1 || bonusDrawn > Game::kMostBonusDrawn || bonusDrawn >= bonusPool))
        return problem(DefinitionBox::BonusDrawn, "Enter how many bonus numbers are drawn, from 1 to " +
                                                      std::to_string(std::min(Game::kMostBonusDrawn, bonusPool - 1)) +
                                                      ".");

    std::string why;
    const std::optional<std::vector<PrizeTier>> tiers = tiersOfText(d.tiers, &why);
    if (!tiers) return problem(DefinitionBox::Tiers, sentence(why));
    std::optional<Game> game = Game::make(name, highest, perTicket, d.extraBall, bonusPool, bonusDrawn, *tiers, &why);
    if (!game) return problem(DefinitionBox::Tiers, sentence(why));
    return *game;
}

GameDefinition definitionOf(const Game& game) {
    GameDefinition d;
    d.name = game.name();
    d.highest = std::to_string(game.highest());
    d.perTicket = std::to_string(game.perTicket());
    d.extraBall = game.extraBall();
    if (game.hasBonusPool()) {
        d.bonusPool = std::to_string(game.bonusPool());
        d.bonusDrawn = std::to_string(game.bonusDrawn());
    }
    d.tiers = tiersText(game.tiers());
    return d;
}

} // namespace orvane
