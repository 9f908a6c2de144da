#include "checks/HistoryIndex.h"

#include <algorithm>
#include <bit>

namespace orvane {

namespace {

std::uint64_t slotOf(std::uint64_t key, std::uint64_t mask) { return (key * 0x9E3779B97F4A7C15ull >> 20) & mask; }

// Every choice of `size` positions out of six, each as its position numbers.
std::vector<std::uint8_t> partsOfSix(int size) {
    std::vector<std::uint8_t> positions;
    for (unsigned chosen = 0; chosen < 64; ++chosen) {
        if (std::popcount(chosen) != size) continue;
        for (std::uint8_t k = 0; k < 6; ++k)
            if (chosen >> k & 1) positions.push_back(k);
    }
    return positions;
}

} // namespace

HistoryIndex::HistoryIndex(const std::vector<DrawRecord>& draws, long long limit) {
    if (limit >= 6 || draws.empty()) return;
    partSize_ = static_cast<int>(std::max(0LL, limit)) + 1;
    partPositions_ = partsOfSix(partSize_);
    const std::size_t parts = partPositions_.size() / partSize_;
    table_.assign(std::bit_ceil(std::max<std::size_t>(16, draws.size() * parts * 2)), 0);
    slotMask_ = table_.size() - 1;
    for (const DrawRecord& draw : draws) {
        std::uint64_t drawMask = 0;
        for (int n : draw.numbers) drawMask |= std::uint64_t{1} << n;
        // Every part of the draw's distinct numbers of the size that fails a set.
        Combination distinct{};
        int count = 0;
        for (int n = 1; n <= 49; ++n)
            if (drawMask >> n & 1) distinct[count++] = n;
        if (count < partSize_) continue;
        for (unsigned chosen = 0; chosen < (1u << count); ++chosen) {
            if (std::popcount(chosen) != partSize_) continue;
            std::uint64_t key = 0;
            for (int k = 0; k < count; ++k)
                if (chosen >> k & 1) key |= std::uint64_t{1} << distinct[k];
            insert(key);
        }
    }
}

void HistoryIndex::insert(std::uint64_t key) {
    std::uint64_t slot = slotOf(key, slotMask_);
    while (table_[slot] != 0 && table_[slot] != key) slot = (slot + 1) & slotMask_;
    table_[slot] = key;
}

bool HistoryIndex::contains(std::uint64_t key) const {
    for (std::uint64_t slot = slotOf(key, slotMask_);; slot = (slot + 1) & slotMask_) {
        if (table_[slot] == key) return true;
        if (table_[slot] == 0) return false;
    }
}

bool HistoryIndex::CheckAgainstHistory(const Combination& set) const {
    if (table_.empty()) return true;
    for (std::size_t i = 0; i < partPositions_.size(); i += partSize_) {
        std::uint64_t key = 0;
        for (int j = 0; j < partSize_; ++j) key |= std::uint64_t{1} << set[partPositions_[i + j]];
        if (contains(key)) return false;
    }
    return true;
}

} // namespace orvane
