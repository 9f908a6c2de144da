#pragma once

// Sets of pool positions as the bits of a word: bit i for the pool's i-th
// number. Lists are handed about in the widest word, which holds the largest
// game's pool; the search works in the narrowest word its pool fits, so a
// pool of up to 64 numbers pays nothing for the width.

#include "core/Game.h"
#include "wheel/GameMask.h"

#include <bit>
#include <cstdint>

namespace orvane {

using TicketMask = GameMask;

constexpr int kLargestPool = Game::kLargestHighest;
// The most positions a 64-bit word holds.
constexpr int kNarrowPool = 64;

inline int bitCount(std::uint64_t mask) { return std::popcount(mask); }
inline int bitCount(GameMask mask) { return countOf(mask); }
inline int lowestBit(std::uint64_t mask) { return std::countr_zero(mask); }
inline int lowestBit(GameMask mask) { return lowestOf(mask); }

// Positions 0..count-1.
template <class Mask> constexpr Mask lowPositions(int count) {
    return count >= static_cast<int>(sizeof(Mask) * 8) ? ~Mask{0} : (Mask{1} << count) - 1;
}

} // namespace orvane
