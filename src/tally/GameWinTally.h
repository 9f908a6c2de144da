#pragma once

// The win check of a wheel output file of any game but 6/49 (whose check is
// WinTallyJob): for each line, how many of its numbers are winning numbers and
// how many of its bonus numbers are the bonus drawn.

#include "core/Game.h"
#include "core/NumberSet.h"
#include "core/Notice.h"

#include <chrono>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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

// The check of every line of the file at `path` against the winning numbers
// and the bonus drawn, as a resumable job: advance() reads lines for about its
// budget and says whether the check has ended (every line read, or one that is
// no line of the game, which leaves every count at zero).
class GameWinTallyJob {
public:
    GameWinTallyJob(const std::string& path, Game game, NumberSet winning, NumberSet bonusDrawn);

    bool advance(std::chrono::nanoseconds budget);
    // Ends the check where it stands and closes the file.
    void stop();
    bool ended() const { return ended_; }
    const GameWinTally& tally() const { return tally_; }
    // The line checked last, as it stands in the file; empty before the first.
    const std::string& lastLine() const { return lastLine_; }

private:
    void fail(Notice notice);

    std::string path_;
    Game game_;
    NumberSet winning_;
    NumberSet bonusDrawn_;
    std::ifstream in_;
    std::uint64_t lineNumber_ = 0;
    std::string lastLine_;
    GameWinTally tally_;
    bool ended_ = false;
};

// The whole check at once.
GameWinTally tallyGameFile(const std::string& path, const Game& game, const NumberSet& winning,
                           const NumberSet& bonusDrawn);

// The tally's rows by numbers hit, 0 to k: "3 of 5" counts the lines for any
// bonus; with the bonus drawn known each row is split by it, "3 of 5 + 1 of 1
// bonus".
std::vector<std::pair<std::string, std::uint64_t>> hitRows(const Game& game, const GameWinTally& tally,
                                                           bool bonusKnown);
// The lines by prize tier, in the game's order: (its label, its lines).
std::vector<std::pair<std::string, std::uint64_t>> tierRows(const Game& game, const GameWinTally& tally);

// The numbers of a draw as typed in its boxes: `boxes.size()` different whole
// numbers from 1 to `highest`; or the first box at fault and what is wrong
// with it, the boxes named by `what` ("winning number"): "Winning number 3
// (70) is not a number from 1 to 69.", "Winning number 4 (5) repeats winning
// number 1: each number of a draw is drawn once."
struct TypedNumbers {
    NumberSet numbers;
    std::optional<std::size_t> faultAt;
    std::string problem;
};
TypedNumbers readTypedNumbers(const std::vector<std::string>& boxes, int highest, const std::string& what);

} // namespace orvane
