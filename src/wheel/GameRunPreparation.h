#pragma once

// What a wheel run of a game other than 6/49 reads and adds at its start: the
// tables it takes from the game's history, and the pick with the exact
// positional values added.

#include "core/Game.h"
#include "core/Notice.h"
#include "history/GameHistory.h"
#include "wheel/FilterControls.h"
#include "wheel/GameRules.h"
#include "wheel/RunPreparation.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// Reads the game's history when a filter of `controls` needs it. Returns the
// message that stops the run when the file is missing, unreadable, malformed,
// or holds no draw that a filter needs.
std::optional<Notice> readGameRunTables(const FilterControls& controls, const Game& game,
                                        const std::string& historyPath, GameRunTables& tables);

// The tables that `needed` names, from the draws before `end` (oldest first):
// the last of them, the evens signatures of the last 25, every one of them,
// the sums of the last 15. With fewer draws, those there are.
GameRunTables gameRunTablesBefore(const TablesNeeded& needed, const std::vector<GameDraw>& draws, std::size_t end);

// The pick with the numbers of the exact positional values added, when they are enabled.
std::vector<int> gamePickWithExactValues(const std::vector<int>& pick, const FilterControls& controls,
                                         const Game& game);

} // namespace orvane
