#pragma once

#include <array>
#include <cstdint>

namespace orvane {

// One six-number set of the pick, positions A to F in ascending order.
using Combination = std::array<int, 6>;

// How many six-number sets a pick of `poolSize` numbers has: 13,983,816 for 49.
constexpr std::uint64_t setsInPick(int poolSize) {
    if (poolSize < 6) return 0;
    std::uint64_t sets = 1;
    // Each partial product is itself a count of sets, so every division is exact.
    for (int k = 1; k <= 6; ++k)
        sets = sets * static_cast<std::uint64_t>(poolSize - 6 + k) / static_cast<std::uint64_t>(k);
    return sets;
}

} // namespace orvane
