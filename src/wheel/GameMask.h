#pragma once

// Numbers 1 to 90 as the bits of one wide word, for the wheel's hot loop of
// any game: bit n for number n.

#include <bit>
#include <cstdint>

namespace orvane {

__extension__ typedef unsigned __int128 GameMask;

inline constexpr GameMask maskOf(int number) { return GameMask{1} << number; }
// The numbers from 1 to `last`.
inline constexpr GameMask numbersUpTo(int last) {
    return last < 1 ? 0 : (last >= 127 ? ~GameMask{0} : (GameMask{1} << (last + 1)) - 1) & ~GameMask{1};
}
// The numbers above `number`, up to `highest`.
inline constexpr GameMask numbersAbove(int number, int highest) { return numbersUpTo(highest) & ~numbersUpTo(number); }
inline int countOf(GameMask mask) {
    return std::popcount(static_cast<std::uint64_t>(mask)) + std::popcount(static_cast<std::uint64_t>(mask >> 64));
}
inline int lowestOf(GameMask mask) {
    const auto low = static_cast<std::uint64_t>(mask);
    return low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(static_cast<std::uint64_t>(mask >> 64));
}

} // namespace orvane
