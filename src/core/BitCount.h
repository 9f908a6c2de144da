#pragma once

#include <cstdint>

namespace orvane {

// How many bits a word holds. Written out rather than std::popcount, which
// a build for generic x86-64 turns into a library call.
constexpr int countOf(std::uint64_t mask) {
    mask = mask - ((mask >> 1) & 0x5555555555555555ull);
    mask = (mask & 0x3333333333333333ull) + ((mask >> 2) & 0x3333333333333333ull);
    mask = (mask + (mask >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((mask * 0x0101010101010101ull) >> 56);
}

} // namespace orvane
