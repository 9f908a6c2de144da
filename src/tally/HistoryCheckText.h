#pragma once

// The history check's figures as text, for the command line and the window.

#include "core/Game.h"
#include "tally/HistoryCheck.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// "15 17 30 42 44 49", with " + 07" for the bonus numbers.
std::string pastDrawText(const PastDraw& draw);
// "1 draw", "599 draws": a count and its noun, the count grouped by thousands.
std::string drawsText(std::size_t draws);
// The tier's label, or "none".
std::string bestTierText(const Game& game, int tier);
// "6: 0, 5: 1, 4: 12, 3: 140": the lines of each tier.
std::string tierCountsText(const Game& game, const std::vector<std::uint64_t>& lines);

} // namespace orvane
