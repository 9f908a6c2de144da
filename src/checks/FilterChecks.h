#pragma once

// The per-set check routines of the wheel run. Each takes a set (positions A to
// F, ascending) and plain limit values, and says whether the set passes.

#include "core/Combination.h"

#include <array>
#include <bit>
#include <cstdint>

namespace orvane {

// Bits 1 to 49 for the numbers of a set.
inline std::uint64_t numberMask(const Combination& set) {
    std::uint64_t mask = 0;
    for (int n : set) mask |= std::uint64_t{1} << n;
    return mask;
}

// Fails when more numbers end in one digit than that digit's limit allows
// (digit 0: 10 20 30 40; digit 3: 3 13 23 33 43).
inline bool CheckOnesPlace(const Combination& set, const std::array<double, 10>& limits) {
    std::array<int, 10> counts{};
    for (int n : set) ++counts[n % 10];
    for (int digit = 0; digit < 10; ++digit)
        if (counts[digit] > limits[digit]) return false;
    return true;
}

// Fails when more than three of the set's numbers are among the group's values.
inline bool CheckNumberGroup(const Combination& set, std::uint64_t groupMask) {
    return std::popcount(numberMask(set) & groupMask) <= 3;
}

// The numbers among a group's or position's box values (values that name no number are ignored).
inline std::uint64_t valueMask(const double* values, int count) {
    std::uint64_t mask = 0;
    for (int i = 0; i < count; ++i) {
        const double v = values[i];
        if (v >= 1 && v <= 49 && v == static_cast<int>(v)) mask |= std::uint64_t{1} << static_cast<int>(v);
    }
    return mask;
}

// Fails when the set holds a run of M + 2 consecutive numbers, for M from 0 to 4;
// any other M (5 or more, negative, fractional) lets every set pass.
inline bool CheckConsecutives(const Combination& set, double limit) {
    if (!(limit == 0 || limit == 1 || limit == 2 || limit == 3 || limit == 4)) return true;
    int run = 1;
    int longest = 1;
    for (int k = 1; k < 6; ++k) {
        run = set[k] - set[k - 1] == 1 ? run + 1 : 1;
        if (run > longest) longest = run;
    }
    return longest < static_cast<int>(limit) + 2;
}

// Fails when a locked position (lock value above 0) holds another number.
inline bool CheckLockedIn(const Combination& set, const std::array<double, 6>& locks) {
    for (int k = 0; k < 6; ++k)
        if (locks[k] > 0 && locks[k] != set[k]) return false;
    return true;
}

// Fails when a position holds one of its five locked-out numbers (A's five first).
inline bool CheckLockedOut(const Combination& set, const std::array<double, 30>& lockedOut) {
    for (int k = 0; k < 6; ++k)
        for (int i = 0; i < 5; ++i) {
            const double value = lockedOut[k * 5 + i];
            if (value > 0 && value == set[k]) return false;
        }
    return true;
}

// Counts below (1 to 24) and above (25 to 49) the midpoint 24.5 against the four
// limits; with both maxima at 6 the filter is off whatever the minima say.
inline bool CheckMidpoint(const Combination& set, double maxBelow, double maxAbove, double minBelow, double minAbove) {
    if (maxBelow == 6 && maxAbove == 6) return true;
    int below = 0;
    for (int n : set) below += n < 25;
    const int above = 6 - below;
    return !(below > maxBelow || below < minBelow || above > maxAbove || above < minAbove);
}

// The exact positional values: each position whose ten boxes name at least one
// number must hold one of them. `allowed[k]` holds those numbers as bits (0: no values).
inline bool CheckExactPositionA(const Combination& set, const std::array<std::uint64_t, 6>& allowed) {
    for (int k = 0; k < 6; ++k)
        if (allowed[k] != 0 && !(allowed[k] >> set[k] & 1)) return false;
    return true;
}

// Adds the numbers named by one position's ten exact values to the pick.
void SelectExactValues(const std::array<double, 10>& values, std::array<bool, 50>& selected);

} // namespace orvane
