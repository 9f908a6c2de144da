#include "backtest/EarlierDrawParts.h"

#include <algorithm>
#include <array>
#include <bit>

namespace orvane {

namespace {

// binomial[n][k]: n choose k, for the ranks of parts of up to six of 49 numbers.
constexpr std::array<std::array<std::uint32_t, 7>, 50> binomials() {
    std::array<std::array<std::uint32_t, 7>, 50> table{};
    for (std::size_t n = 0; n < 50; ++n) {
        table[n][0] = 1;
        for (std::size_t k = 1; k < 7 && k <= n; ++k) table[n][k] = table[n - 1][k - 1] + (k < n ? table[n - 1][k] : 0);
    }
    return table;
}
constexpr auto kBinomial = binomials();

} // namespace

EarlierDrawParts::EarlierDrawParts(long long limit)
    : partSize_(static_cast<int>(std::clamp(limit, 0LL, 6LL)) + 1) {
    if (partSize_ <= 6) marked_.resize(kBinomial[49][static_cast<std::size_t>(partSize_)] / 64 + 1);
}

// Calls `visit` with the rank of every part of the draw: its numbers as
// positions 0 to 48, ranked in the combinatorial number system.
template <typename Visit>
void EarlierDrawParts::forEachPart(std::uint64_t draw, Visit visit) const {
    if (partSize_ > 6) return;
    std::array<std::size_t, 6> positions{};
    std::size_t count = 0;
    for (std::size_t n = 1; n <= 49 && count < positions.size(); ++n)
        if (draw >> n & 1) positions[count++] = n - 1;
    const auto size = static_cast<unsigned>(partSize_);
    for (unsigned chosen = 0; chosen < 1u << count; ++chosen) {
        if (static_cast<unsigned>(std::popcount(chosen)) != size) continue;
        std::uint32_t rank = 0;
        std::size_t k = 0;
        for (std::size_t i = 0; i < count; ++i)
            if (chosen >> i & 1) rank += kBinomial[positions[i]][++k];
        visit(rank);
    }
}

bool EarlierDrawParts::sharesTooMany(std::uint64_t draw) const {
    bool found = false;
    forEachPart(draw, [&](std::uint32_t rank) { found = found || (marked_[rank / 64] >> (rank % 64) & 1) != 0; });
    return found;
}

void EarlierDrawParts::add(std::uint64_t draw) {
    forEachPart(draw, [&](std::uint32_t rank) { marked_[rank / 64] |= std::uint64_t{1} << (rank % 64); });
}

} // namespace orvane
