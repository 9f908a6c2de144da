#include "checks/HistoryIndex.h"

#include <algorithm>
#include <bit>

namespace orvane {

namespace {

// Fibonacci hashing: the top bits of the product depend on every bit of the key.
std::uint64_t slotOf(std::uint64_t key, int shift) { return key * 0x9E3779B97F4A7C15ull >> shift; }

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
    for (unsigned chosen = 0; chosen < 16; ++chosen) choicesOfFour_[std::popcount(chosen)].push_back(chosen);
    const std::size_t parts = partPositions_.size() / partSize_;
    table_.assign(std::bit_ceil(std::max<std::size_t>(16, draws.size() * parts * 4)), 0);
    slotMask_ = table_.size() - 1;
    slotShift_ = 64 - std::countr_zero(table_.size());
    // Each part gives at most partSize_ shorter parts.
    completions_.assign(std::bit_ceil(std::max<std::size_t>(16, draws.size() * parts * partSize_ * 2)), {0, 0});
    completionMask_ = completions_.size() - 1;
    completionShift_ = 64 - std::countr_zero(completions_.size());
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
            for (std::uint64_t rest = key; rest != 0; rest &= rest - 1) {
                const std::uint64_t number = rest & (~rest + 1);
                addCompletion(key ^ number, number);
            }
        }
    }
}

void HistoryIndex::insert(std::uint64_t key) {
    std::uint64_t slot = slotOf(key, slotShift_);
    while (table_[slot] != 0 && table_[slot] != key) slot = (slot + 1) & slotMask_;
    table_[slot] = key;
}

// Keyed like the parts table; the empty part (parts of one number) is kept apart.
void HistoryIndex::addCompletion(std::uint64_t part, std::uint64_t number) {
    if (part == 0) {
        completeAlone_ |= number;
        return;
    }
    std::uint64_t slot = slotOf(part, completionShift_);
    while (completions_[slot].first != 0 && completions_[slot].first != part) slot = (slot + 1) & completionMask_;
    completions_[slot].first = part;
    completions_[slot].second |= number;
}

std::uint64_t HistoryIndex::completionsOf(std::uint64_t part) const {
    if (part == 0) return completeAlone_;
    for (std::uint64_t slot = slotOf(part, completionShift_);; slot = (slot + 1) & completionMask_) {
        if (completions_[slot].first == part) return completions_[slot].second;
        if (completions_[slot].first == 0) return 0;
    }
}

namespace {
std::uint64_t partOfFour(const std::array<int, 4>& numbers, unsigned chosen) {
    std::uint64_t part = 0;
    for (int k = 0; k < 4; ++k)
        if (chosen >> k & 1) part |= std::uint64_t{1} << numbers[k];
    return part;
}
} // namespace

HistoryIndex::PrefixVerdict HistoryIndex::forFirstFour(const std::array<int, 4>& numbers) const {
    PrefixVerdict verdict;
    if (table_.empty()) return verdict;
    if (partSize_ <= 4)
        for (unsigned chosen : choicesOfFour_[partSize_])
            if (contains(partOfFour(numbers, chosen))) verdict.fails = true;
    if (partSize_ == 1) verdict.failingLast = completeAlone_;
    else if (partSize_ - 1 <= 4)
        for (unsigned chosen : choicesOfFour_[partSize_ - 1])
            verdict.failingLast |= completionsOf(partOfFour(numbers, chosen));
    return verdict;
}

HistoryIndex::PrefixVerdict HistoryIndex::forFifth(const PrefixVerdict& firstFour, const std::array<int, 4>& numbers,
                                                   int fifth) const {
    PrefixVerdict verdict;
    if (table_.empty()) return verdict;
    // A failing part within A to E either lies within A to D or is completed by E.
    verdict.fails = firstFour.fails || (firstFour.failingLast >> fifth & 1);
    if (verdict.fails) return verdict;
    // F completes a failing part either with A to D alone or together with E.
    verdict.failingLast = firstFour.failingLast;
    if (partSize_ >= 2 && partSize_ - 2 <= 4) {
        const std::uint64_t fifthBit = std::uint64_t{1} << fifth;
        for (unsigned chosen : choicesOfFour_[partSize_ - 2])
            verdict.failingLast |= completionsOf(partOfFour(numbers, chosen) | fifthBit);
    }
    return verdict;
}

bool HistoryIndex::contains(std::uint64_t key) const {
    for (std::uint64_t slot = slotOf(key, slotShift_);; slot = (slot + 1) & slotMask_) {
        if (table_[slot] == key) return true;
        if (table_[slot] == 0) return false;
    }
}

bool HistoryIndex::CheckAgainstHistory(const Combination& set) const {
    if (table_.empty()) return true;
    std::array<std::uint64_t, 6> bits;
    std::uint64_t all = 0;
    for (int k = 0; k < 6; ++k) all |= bits[k] = std::uint64_t{1} << set[k];
    // Large parts are the whole set less one or two numbers.
    if (partSize_ == 6) return !contains(all);
    if (partSize_ == 5) {
        for (int i = 0; i < 6; ++i)
            if (contains(all ^ bits[i])) return false;
        return true;
    }
    if (partSize_ == 4) {
        for (int i = 0; i < 6; ++i)
            for (int j = i + 1; j < 6; ++j)
                if (contains(all ^ bits[i] ^ bits[j])) return false;
        return true;
    }
    for (std::size_t i = 0; i < partPositions_.size(); i += partSize_) {
        std::uint64_t key = 0;
        for (int j = 0; j < partSize_; ++j) key |= bits[partPositions_[i + j]];
        if (contains(key)) return false;
    }
    return true;
}

} // namespace orvane
