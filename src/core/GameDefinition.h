#pragma once

// A game as the user defines it in boxes: the text of each box checked in
// turn, so that a refusal names the box to mend.

#include "core/Game.h"

#include <string>
#include <variant>
#include <vector>

namespace orvane {

struct GameDefinition {
    std::string name;
    std::string highest;   // N
    std::string perTicket; // k
    bool extraBall = false;
    std::string bonusPool;  // M: empty or 0 for none
    std::string bonusDrawn; // b
    std::string tiers;      // "5+1, 5, 4": empty for the usual tiers
};

enum class DefinitionBox { Name, Highest, PerTicket, BonusPool, BonusDrawn, Tiers };

struct DefinitionProblem {
    DefinitionBox box;
    std::string message; // a whole sentence that says what to enter
};

// The game the boxes define, or the first box that is wrong and why. A name
// already used by one of `taken` (letter case aside) is refused.
std::variant<Game, DefinitionProblem> gameOfDefinition(const GameDefinition& definition,
                                                       const std::vector<Game>& taken);

// The boxes that define `game`, to edit it.
GameDefinition definitionOf(const Game& game);

} // namespace orvane
