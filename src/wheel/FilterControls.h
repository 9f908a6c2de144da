#pragma once

#include "core/Game.h"

#include <array>
#include <string>
#include <vector>

namespace orvane {

// A check box's value: 0 unchecked, 1 checked, 2 greyed. Only 1 turns a filter on.
using CheckValue = int;
inline bool isChecked(CheckValue value) { return value == 1; }

enum class PositionPreset { Percent99, Percent98, Percent90, Percent50, UserLimits };
enum class KeyRule { RequireAll, RequireAny, AllowOnlyOne };

// The filter controls of the main window as the user set them: check values,
// option choices and box texts exactly as typed. The window and a settings file
// both produce one; the run checks that its boxes can be read (FilterBoxes),
// then normalises and compiles it. The lists are sized from the game: a box per
// position, per count of evens, per tens class, per possible sum; their
// defaults let every set of the game pass.
struct FilterControls {
    // The 6/49 game's controls.
    FilterControls() : FilterControls(Game::lotto649()) {}
    explicit FilterControls(const Game& game);

    // Filters A
    std::string minSum;
    std::string maxSum;
    std::string maxDif;
    CheckValue rejectLast15Sums = 0;
    std::string lastDrawNumMax;
    std::string lastDrawNumMaxPos;
    CheckValue enablePairs = 0;
    std::string maxConsecutives;
    CheckValue allowPairs = 1;
    CheckValue allowTwoPairs = 1;
    CheckValue allowThreePairs = 1;
    CheckValue requirePair = 0;
    std::vector<CheckValue> evensAllowed; // by how many evens: 0 to k
    CheckValue evensSignatures = 0;
    std::vector<std::string> tens;    // by tens class: 0-9, 10-19, ...
    std::array<std::string, 10> ones; // by last digit
    CheckValue enablePosAnalysis = 0;
    PositionPreset positionPreset = PositionPreset::Percent99;
    std::vector<std::string> positionLimits; // AMin, AMax, BMin, BMax ... for each position

    // Filters B
    std::string maxBelowMid;
    std::string minBelowMid = "0";
    std::string maxAboveMid;
    std::string minAboveMid = "0";
    CheckValue enableKeyNumbers = 0;
    KeyRule keyRule = KeyRule::RequireAll;
    std::array<std::string, 5> keyNumbers{};
    CheckValue enableLocks = 0;
    std::vector<std::string> lockedIn;  // one per position
    std::vector<std::string> lockedOut; // five per position, A's first
    CheckValue enableSumPick = 0;
    std::vector<bool> sumsAccepted; // the sums from the smallest to the largest
    CheckValue filterAgainstHistory = 0;
    std::string maxFromHistory;

    // Filters C
    CheckValue enableGroups = 0;
    std::array<std::array<std::string, 8>, 6> groups{};
    CheckValue enableExactValues = 0;
    std::vector<std::array<std::string, 10>> exactValues; // one row per position

    // Control Panel
    CheckValue enableRavelin = 0;
};

} // namespace orvane
