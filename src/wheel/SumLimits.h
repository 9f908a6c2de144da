#pragma once

#include "core/Game.h"
#include "core/Notice.h"

#include <string>
#include <vector>

namespace orvane {

// The minimum and maximum sum boxes as the run finds them at its start, and
// what the start-of-run checks make of them.
struct SumLimitCheck {
    std::string minSumText;
    std::string maxSumText;
    long long maxSumValue = 279; // whole-number value of the corrected maximum
    std::vector<Notice> notices; // shown in order; none of them stops the run
};

// Corrects sums outside the game's range (21..279 for 6/49) and crossed
// limits, one message per correction.
SumLimitCheck checkSumLimits(std::string minSumText, std::string maxSumText, const Game& game = Game::lotto649());

} // namespace orvane
