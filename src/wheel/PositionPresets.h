#pragma once

// The preset ranges of the positional limits: for each position (A, the
// smallest number of a set, to the k-th letter) the numbers it may hold. For
// 6/49 they are the tables measured long ago and kept as they are; for any
// other game they follow exactly from the distribution of the i-th smallest
// of k numbers drawn from N, P(x) = C(x-1, i-1) C(N-x, k-i) / C(N, k): the
// likeliest values of each position that together hold the preset's share.
// As in the 6/49 tables, A then reaches down to 1 and the last position up
// to N, where those distributions peak.

#include "core/Game.h"
#include "wheel/FilterControls.h"

#include <array>
#include <vector>

namespace orvane {

struct PositionRange {
    int low = 0, high = 0;
    bool operator==(const PositionRange&) const = default;
};

// The 6/49 tables, low and high for A to F, in the order of the option buttons.
const std::array<int, 12>& measuredPresetOf649(PositionPreset preset);

// What each position can hold at all: position i (from 0) i + 1 to N - k + i + 1.
std::vector<PositionRange> positionBounds(const Game& game);

// The share of sets each preset keeps per position: 99.99%, 98%, 90%, 50%.
double presetShare(PositionPreset preset);

// For each position, the range of its likeliest values that together hold at
// least `share` of the sets (each distribution has one peak, so they are a range).
std::vector<PositionRange> positionRangesKeeping(const Game& game, double share);

// The preset's ranges for the game (not UserLimits): the measured table for 6/49.
std::vector<PositionRange> presetRanges(const Game& game, PositionPreset preset);

} // namespace orvane
