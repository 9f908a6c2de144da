#include "backtest/FirstRejectingDraw.h"

#include "core/Binomial.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace orvane {

namespace {

constexpr int kNumbers = 49;
constexpr int kSetSize = 6;

// The rank of ascending positions (number - 1) in the combinatorial number system.
template <typename Positions>
std::uint32_t rankOf(const Positions& positions, int count) {
    std::uint64_t rank = 0;
    for (int j = 0; j < count; ++j) rank += binomial(positions[j], j + 1);
    return static_cast<std::uint32_t>(rank);
}

// Calls `visit` with the rank of every part of `size` numbers of the draw.
template <typename Visit>
void forEachPart(std::uint64_t draw, int size, Visit visit) {
    std::array<int, kSetSize> positions{};
    int count = 0;
    for (int n = 1; n <= kNumbers && count < kSetSize; ++n)
        if (draw >> n & 1) positions[count++] = n - 1;
    std::array<int, kSetSize> part{};
    for (unsigned chosen = 0; chosen < 1u << count; ++chosen) {
        if (std::popcount(chosen) != size) continue;
        int taken = 0;
        for (int i = 0; i < count; ++i)
            if (chosen >> i & 1) part[taken++] = positions[i];
        visit(rankOf(part, size));
    }
}

} // namespace

FirstRejectingDraw::FirstRejectingDraw(long long limit, const std::vector<std::uint64_t>& draws)
    : partSize_(static_cast<int>(std::clamp(limit, 0LL, 6LL)) + 1),
      never_(static_cast<std::uint32_t>(std::min<std::size_t>(draws.size(), std::numeric_limits<std::uint32_t>::max()))) {
    if (partSize_ > kSetSize) return;
    const std::uint64_t parts = binomial(kNumbers, partSize_);
    if (partSize_ < kSetSize)
        first_.assign(parts, never_);
    else
        drawn_.assign(parts / 64 + 1, 0);
    for (std::uint32_t i = 0; i < never_; ++i) {
        forEachPart(draws[i], partSize_, [&](std::uint32_t rank) {
            if (partSize_ < kSetSize) {
                first_[rank] = std::min(first_[rank], i);
            } else if ((drawn_[rank / 64] >> (rank % 64) & 1) == 0) {
                drawn_[rank / 64] |= std::uint64_t{1} << (rank % 64);
                firstOfDraw_.emplace(rank, i);
            }
        });
    }
}

std::uint32_t FirstRejectingDraw::firstHolding(std::uint32_t rank) const {
    if (partSize_ < kSetSize) return first_[rank];
    if ((drawn_[rank / 64] >> (rank % 64) & 1) == 0) return never_;
    return firstOfDraw_.at(rank);
}

std::uint32_t FirstRejectingDraw::of(std::uint64_t set) const {
    std::uint32_t first = never_;
    if (partSize_ > kSetSize) return first;
    forEachPart(set, partSize_, [&](std::uint32_t rank) { first = std::min(first, firstHolding(rank)); });
    return first;
}

FirstRejectingDraw::Block::Block(const FirstRejectingDraw& table, const int (&firstFive)[5])
    : table_(table), ofFive_(table.never_) {
    const int size = table.partSize_;
    if (size > kSetSize) return;
    std::uint64_t five = 0;
    for (int n : firstFive) five |= std::uint64_t{1} << n;
    if (size <= 5) forEachPart(five, size, [&](std::uint32_t rank) { ofFive_ = std::min(ofFive_, table.firstHolding(rank)); });
    // The parts with the last number lack size - 1 of the five; an empty part ranks 0.
    if (size == 1) {
        ranks_[count_++] = 0;
        return;
    }
    forEachPart(five, size - 1, [&](std::uint32_t rank) { ranks_[count_++] = rank; });
}

std::uint32_t FirstRejectingDraw::Block::with(int last) const {
    std::uint32_t first = ofFive_;
    const auto top = static_cast<std::uint32_t>(binomial(last - 1, table_.partSize_));
    for (int k = 0; k < count_; ++k) first = std::min(first, table_.firstHolding(ranks_[k] + top));
    return first;
}

} // namespace orvane
