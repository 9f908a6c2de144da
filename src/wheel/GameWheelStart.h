#pragma once

// Starting a wheel run of a game other than 6/49 (whose runs start through
// startWheel): the same checks in the same order, with the game's ranges.

#include "core/Game.h"
#include "core/Notice.h"
#include "wheel/FilterControls.h"
#include "wheel/GameWheel.h"
#include "wheel/WheelOutput.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// Opens the output file for at most `mostBytes` of lines; null to record
// nothing, or null with `failure` filled.
using GameOutputOpener = std::function<std::unique_ptr<WheelOutput>(std::uint64_t mostBytes, Notice& failure)>;

// The most bytes a run of `sets` sets, each written `linesPerSet` times, can
// write: every line as long as the game's longest, numbered or not.
std::uint64_t mostOutputBytes(const Game& game, std::uint64_t sets, std::uint64_t linesPerSet, bool numbered);

// A file of `bytes` would not fit on the disk of `path`: the message that refuses the run.
std::optional<Notice> outputWouldNotFit(const std::string& path, std::uint64_t bytes);

struct GameWheelRequest {
    Game game = Game::lotto649();
    FilterControls controls;
    std::vector<int> pick;        // ascending, within the game
    std::vector<int> pickedBonus; // ascending, within the bonus pool
    std::string historyPath;
    GameOutputOpener openOutput; // may be empty: record nothing
};

struct GameWheelStart {
    FilterControls normalised;
    std::vector<int> pick;          // with the exact positional values added
    std::vector<Notice> notices;    // sum-limit corrections; none stops the run
    std::unique_ptr<GameWheel> job; // null when the run is refused
    std::optional<Notice> refusal;
};

// A run needs one number more than a ticket holds.
int minimumPoolSize(const Game& game);
Notice poolTooSmallNotice(const Game& game);
// Why the picked bonus numbers cannot be wheeled, if they cannot.
std::optional<Notice> bonusPickProblem(const Game& game, const std::vector<int>& pickedBonus);

// Checks the boxes, normalises, checks the pick and the bonus numbers, reads
// the history, opens the output last and builds the job.
GameWheelStart startGameWheel(GameWheelRequest request);

} // namespace orvane
