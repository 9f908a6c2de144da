#pragma once

// The win check of a wheel output file of any game but 6/49 (whose check is
// WinTallyJob): for each line, how many of its numbers are winning numbers and
// how many of its bonus numbers are the bonus drawn.

#include "core/Game.h"
#include "core/NumberSet.h"
#include "core/Notice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A line of the game's wheel output: "5 12 23 34 41 + 7", numbered or not.
struct GameLine {
    NumberSet numbers;
    NumberSet bonus;
};
std::optional<GameLine> gameLineOf(std::string_view line, const Game& game);

struct GameWinTally {
    // lines[main][bonus]: the lines hitting `main` winning numbers and `bonus` bonus numbers.
    std::vector<std::vector<std::uint64_t>> lines;
    std::optional<Notice> failure; // the file could not be read, or a line holds no line of the game
};

// Checks every line of the file at `path` against the winning numbers and the bonus drawn.
GameWinTally tallyGameFile(const std::string& path, const Game& game, const NumberSet& winning,
                           const NumberSet& bonusDrawn);

} // namespace orvane
