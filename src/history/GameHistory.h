#pragma once

// The history of a game other than 6/49 (which keeps its own file and format):
// a draw a line, "YYYY-MM-DD  n1 n2 ... nk", then " + b1 .." for a game with
// a bonus pool, each line ended by CR LF.

#include "core/Game.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

struct GameDraw {
    int year = 0, month = 0, day = 0;
    std::vector<int> numbers; // the k main numbers
    std::vector<int> bonus;   // the b numbers of the bonus pool; none without one
    bool operator==(const GameDraw&) const = default;
};

struct GameHistoryRead {
    std::vector<GameDraw> draws;
    // By draw: where its line starts in the text and where the line after it starts.
    std::vector<std::pair<std::size_t, std::size_t>> places;
    std::string error; // names the file and the line; the draws are left empty
    bool ok() const { return error.empty(); }
};

// The draws of `text`, the history file `path` of `game`, each draw's numbers
// (and bonus numbers) ascending whatever order they were typed in. The first
// line that is no draw of the game stops the reading and is named.
GameHistoryRead readGameHistoryText(std::string_view text, const Game& game, const std::string& path);
GameHistoryRead readGameHistory(const Game& game, const std::string& path);

// What makes `draw` no draw of `game`, as "the number 70, outside 1 to 69",
// "the date 2026-02-30, which is not a calendar date"; nothing when it is one.
// The counts of its numbers are taken as right.
std::optional<std::string> drawProblem(const Game& game, const GameDraw& draw);

// Whether `a` was drawn before `b`.
bool drawnBefore(const GameDraw& a, const GameDraw& b);

// A draw as its line: "2026-12-05  03 11 24 30 41 + 07\r\n".
std::string gameHistoryLine(const GameDraw& draw);

// The history file's name in the data folder: from the game's name
// ("POWERBALL.HIT"), or from its matrix ("5-39.HIT") when it has none.
std::string gameHistoryFileName(const Game& game);

} // namespace orvane
