#pragma once

#include <array>
#include <string>

namespace orvane {

// A check box's value: 0 unchecked, 1 checked, 2 greyed. Only 1 turns a filter on.
using CheckValue = int;
inline bool isChecked(CheckValue value) { return value == 1; }

enum class PositionPreset { Percent99, Percent98, Percent90, Percent50, UserLimits };
enum class KeyRule { RequireAll, RequireAny, AllowOnlyOne };

// The filter controls of the main window as the user set them: check values,
// option choices and box texts exactly as typed. The window and a settings file
// both produce one; the run checks that its boxes can be read (FilterBoxes),
// then normalises and compiles it.
struct FilterControls {
    // Filters A
    std::string minSum = "21";
    std::string maxSum = "279";
    std::string maxDif = "44";
    CheckValue rejectLast15Sums = 0;
    std::string lastDrawNumMax = "6";
    std::string lastDrawNumMaxPos = "6";
    CheckValue enablePairs = 0;
    std::string maxConsecutives = "6";
    CheckValue allowPairs = 1;
    CheckValue allowTwoPairs = 1;
    CheckValue allowThreePairs = 1;
    CheckValue requirePair = 0;
    std::array<CheckValue, 7> evensAllowed{1, 1, 1, 1, 1, 1, 1};
    CheckValue evensSignatures = 0;
    std::array<std::string, 5> tens{"6", "6", "6", "6", "6"};
    std::array<std::string, 10> ones{"6", "6", "6", "6", "6", "6", "6", "6", "6", "6"};
    CheckValue enablePosAnalysis = 0;
    PositionPreset positionPreset = PositionPreset::Percent99;
    // AMin, AMax, BMin, BMax ... FMin, FMax
    std::array<std::string, 12> positionLimits{"1", "44", "2", "45", "3", "46", "4", "47", "5", "48", "6", "49"};

    // Filters B
    std::string maxBelowMid = "6";
    std::string minBelowMid = "0";
    std::string maxAboveMid = "6";
    std::string minAboveMid = "0";
    CheckValue enableKeyNumbers = 0;
    KeyRule keyRule = KeyRule::RequireAll;
    std::array<std::string, 5> keyNumbers{};
    CheckValue enableLocks = 0;
    std::array<std::string, 6> lockedIn{};
    std::array<std::string, 30> lockedOut{};   // five per position, A's first
    CheckValue enableSumPick = 0;
    std::array<bool, 259> sumsAccepted{};      // the sums 21 to 279
    CheckValue filterAgainstHistory = 0;
    std::string maxFromHistory = "6";

    // Filters C
    CheckValue enableGroups = 0;
    std::array<std::array<std::string, 8>, 6> groups{};
    CheckValue enableExactValues = 0;
    std::array<std::array<std::string, 10>, 6> exactValues{};   // positions A to F

    // Control Panel
    CheckValue enableRavelin = 0;
};

} // namespace orvane
