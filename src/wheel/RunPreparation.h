#pragma once

#include "core/Game.h"
#include "core/Notice.h"
#include "checks/HistoryIndex.h"
#include "wheel/FilterControls.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// Puts the boxes the run normalises into their run form, in the run's order:
// ones place, maximum difference, tens place, then the four sum checks.
// Returns the messages to show, in order; none of them stops the run.
// The game's limits stand for 6: at most k numbers per class, sums of the game.
std::vector<Notice> normaliseForRun(FilterControls& controls, const Game& game = Game::lotto649());

// What the run takes from the history file, read once at its start.
struct RunTables {
    std::optional<std::array<int, 6>> lastDraw; // read when a last-draw limit is below 6
    std::uint64_t forbiddenSignatures = 0;      // bit s: evens signature s of a recent draw
    HistoryIndex history;                       // the filter against history
    std::array<int, 15> lastFifteenSums{};      // read when the last 15 sums are rejected
};

// What of the history the filters of `controls` read at a run's start.
struct TablesNeeded {
    bool lastDraw = false, signatures = false, pastDraws = false, lastFifteenSums = false;
    bool any() const { return lastDraw || signatures || pastDraws || lastFifteenSums; }
};
TablesNeeded tablesNeeded(const FilterControls& controls, const Game& game = Game::lotto649());

// The message that stops a run whose last-draw limits find no draw in the history.
Notice noLastDrawNotice(const std::string& historyPath);

// Reads the history when a filter of `controls` needs it. Returns the message
// that stops the run when the file is missing, unreadable, malformed, or holds no
// draw that a filter needs.
std::optional<Notice> readRunTables(const FilterControls& controls, const std::string& historyPath, RunTables& tables);

// The sums of the last 15 draws, oldest first; fewer draws leave zeros at the end.
std::array<int, 15> lastFifteenSums(const std::vector<DrawRecord>& draws);

// Bits 0..5 for positions A..F holding an even number.
inline unsigned evensSignature(const std::array<int, 6>& numbers) {
    unsigned signature = 0;
    for (int k = 0; k < 6; ++k) signature |= static_cast<unsigned>(numbers[k] % 2 == 0) << k;
    return signature;
}

// The pick with the exact positional values added, when they are enabled.
std::vector<int> pickWithExactValues(const std::vector<int>& pick, const FilterControls& controls);

// The message that stops a run over a history problem.
Notice historyNotice(const std::string& problem);

} // namespace orvane
