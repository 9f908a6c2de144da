#include "backtest/FirstRejectingDraw.h"

#include "core/Binomial.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace orvane {

namespace {

constexpr int kPartNumbers = 49;
constexpr int kPartLargest = 6;

// The rank of ascending positions (number - 1) in the combinatorial number system.
template <typename Positions> std::uint32_t rankOf(const Positions& positions, int count) {
    std::uint64_t rank = 0;
    for (int j = 0; j < count; ++j) rank += binomial(positions[j], j + 1);
    return static_cast<std::uint32_t>(rank);
}

// The subsets of `size` of `count` positions, as bit masks: looked up rather
// than found by counting bits, which a generic x86-64 build makes a library call.
const std::vector<unsigned>& subsetsOf(int count, int size) {
    static const auto table = [] {
        std::array<std::array<std::vector<unsigned>, kPartLargest + 1>, kPartLargest + 1> subsets;
        for (int n = 0; n <= kPartLargest; ++n)
            for (unsigned chosen = 0; chosen < 1u << n; ++chosen)
                subsets[static_cast<std::size_t>(n)][static_cast<std::size_t>(std::popcount(chosen))].push_back(chosen);
        return subsets;
    }();
    return table[static_cast<std::size_t>(count)][static_cast<std::size_t>(size)];
}

// Calls `visit` with the rank of every part of `size` numbers of the draw.
template <typename Visit> void forEachPart(std::uint64_t draw, int size, Visit visit) {
    std::array<int, kPartLargest> positions{};
    int count = 0;
    for (int n = 1; n <= kPartNumbers && count < kPartLargest; ++n)
        if (draw >> n & 1) positions[static_cast<std::size_t>(count++)] = n - 1;
    std::array<int, kPartLargest> part{};
    for (unsigned chosen : subsetsOf(count, size)) {
        int taken = 0;
        for (int i = 0; i < count; ++i)
            if (chosen >> i & 1) part[static_cast<std::size_t>(taken++)] = positions[static_cast<std::size_t>(i)];
        visit(rankOf(part, size));
    }
}

} // namespace

FirstRejectingDraw::FirstRejectingDraw(long long limit, const std::vector<std::uint64_t>& draws)
    : partSize_(static_cast<int>(std::clamp(limit, 0LL, 6LL)) + 1),
      never_(
          static_cast<std::uint32_t>(std::min<std::size_t>(draws.size(), std::numeric_limits<std::uint32_t>::max()))) {
    if (partSize_ > kPartLargest) return;
    const std::uint64_t parts = binomial(kPartNumbers, partSize_);
    if (partSize_ < kPartLargest)
        first_.assign(parts, never_);
    else
        drawn_.assign(parts / 64 + 1, 0);
    for (std::uint32_t i = 0; i < never_; ++i) {
        forEachPart(draws[i], partSize_, [&](std::uint32_t rank) {
            if (partSize_ < kPartLargest) {
                first_[rank] = std::min(first_[rank], i);
            } else if ((drawn_[rank / 64] >> (rank % 64) & 1) == 0) {
                drawn_[rank / 64] |= std::uint64_t{1} << (rank % 64);
                firstOfDraw_.emplace(rank, i);
            }
        });
    }
}

std::uint32_t FirstRejectingDraw::firstOfWholeDraw(std::uint32_t rank) const {
    if ((drawn_[rank / 64] >> (rank % 64) & 1) == 0) return never_;
    return firstOfDraw_.at(rank);
}

std::uint32_t FirstRejectingDraw::of(std::uint64_t set) const {
    std::uint32_t first = never_;
    if (partSize_ > kPartLargest) return first;
    forEachPart(set, partSize_, [&](std::uint32_t rank) { first = std::min(first, firstHolding(rank)); });
    return first;
}

FirstRejectingDraw::Block::Block(const FirstRejectingDraw& table, const int (&firstFive)[5])
    : table_(table), ofFive_(table.never_) {
    const int size = table.partSize_;
    if (size > kPartLargest) return;
    const int positions[5] = {firstFive[0] - 1, firstFive[1] - 1, firstFive[2] - 1, firstFive[3] - 1, firstFive[4] - 1};
    const auto rankOfChosen = [&positions](unsigned chosen) {
        std::uint64_t rank = 0;
        int taken = 0;
        for (int i = 0; i < 5; ++i)
            if (chosen >> i & 1) rank += binomial(positions[i], ++taken);
        return static_cast<std::uint32_t>(rank);
    };
    if (size <= 5)
        for (unsigned chosen : subsetsOf(5, size))
            ofFive_ = std::min(ofFive_, table.firstHolding(rankOfChosen(chosen)));
    // The parts with the last number lack size - 1 of the five; an empty part ranks 0.
    for (unsigned chosen : subsetsOf(5, size - 1)) ranks_[count_++] = rankOfChosen(chosen);
}

std::uint32_t FirstRejectingDraw::Block::with(int last) const {
    std::uint32_t first = ofFive_;
    const auto top = static_cast<std::uint32_t>(binomial(last - 1, table_.partSize_));
    for (int k = 0; k < count_; ++k) first = std::min(first, table_.firstHolding(ranks_[k] + top));
    return first;
}

} // namespace orvane
