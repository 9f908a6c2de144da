#include "checks/HistoryIndex.h"

#include <algorithm>
#include <bit>

namespace orvane {

namespace {

// Fibonacci hashing: the top bits of the product depend on every bit of the key.
std::uint64_t slotOf(std::uint64_t key, int shift) { return key * 0x9E3779B97F4A7C15ull >> shift; }

// Every choice of `size` of `count` positions (up to six), as bit masks.
struct Choices {
    std::array<std::uint8_t, 20> chosen{};
    int count = 0;
};
constexpr std::array<std::array<Choices, 7>, 7> kChoices = [] {
    std::array<std::array<Choices, 7>, 7> choices{};
    for (int count = 0; count <= 6; ++count)
        for (unsigned chosen = 0; chosen < (1u << count); ++chosen) {
            Choices& bySize = choices[count][std::popcount(chosen)];
            bySize.chosen[bySize.count++] = static_cast<std::uint8_t>(chosen);
        }
    return choices;
}();

// Calls visit(numbers) for every choice of `size` of the ascending
// `from[0..count)`, with the chosen numbers ascending in `numbers`.
template <typename Visit> void forEachPiece(const int* from, int count, int size, Visit visit) {
    const Choices& choices = kChoices[count][size];
    for (int i = 0; i < choices.count; ++i) {
        std::array<int, 6> numbers{};
        int taken = 0;
        for (int k = 0; k < count; ++k)
            if (choices.chosen[i] >> k & 1) numbers[taken++] = from[k];
        visit(numbers.data());
    }
}

std::uint64_t maskOf(const int* numbers, int count) {
    std::uint64_t mask = 0;
    for (int k = 0; k < count; ++k) mask |= std::uint64_t{1} << numbers[k];
    return mask;
}

std::size_t choose(int n, int k) {
    std::size_t result = 1;
    for (int i = 1; i <= k; ++i) result = result * static_cast<std::size_t>(n - k + i) / static_cast<std::size_t>(i);
    return result;
}

// The rank of a pair of numbers 1 <= x < y <= 49, from 0 to 1175.
int pairRank(int x, int y) { return (y - 1) * (y - 2) / 2 + (x - 1); }

// The rank of a row: its `others` numbers (0 to 2), ascending.
int rowRank(const int* others, int count) {
    return count == 0 ? 0 : count == 1 ? others[0] : pairRank(others[0], others[1]);
}

} // namespace

HistoryIndex::HistoryIndex(const std::vector<DrawRecord>& draws, long long limit) {
    if (limit >= 6) return;
    const int partSize = static_cast<int>(std::max(0LL, limit)) + 1;
    // Each draw's distinct numbers; one with fewer numbers than a part fails no set.
    std::vector<std::vector<int>> drawn;
    for (const DrawRecord& draw : draws) {
        std::uint64_t mask = 0;
        for (int n : draw.numbers)
            if (n >= 1 && n <= 49) mask |= std::uint64_t{1} << n;
        if (std::popcount(mask) < partSize) continue;
        std::vector<int> numbers;
        for (int n = 1; n <= 49; ++n)
            if (mask >> n & 1) numbers.push_back(n);
        drawn.push_back(std::move(numbers));
    }
    if (drawn.empty()) return;

    auto tables = std::make_shared<Tables>();
    Tables& t = *tables;
    t.partSize = partSize;
    t.directSize = std::min(partSize - 1, 3);
    t.hashedPieces = partSize >= 5;
    if (t.directSize > 0) {
        // A row for each choice of the numbers other than the largest, which
        // runs from just above them to 49.
        int used = 0;
        auto addRow = [&](int rank, int highestOther) {
            t.rowStart[rank] = used - (highestOther + 1);
            used += 49 - highestOther;
        };
        switch (t.directSize - 1) {
        case 0:
            t.rowStart.resize(1);
            addRow(0, 0);
            break;
        case 1:
            t.rowStart.resize(50);
            for (int x = 1; x <= 49; ++x) addRow(x, x);
            break;
        default:
            t.rowStart.resize(1176);
            for (int y = 2; y <= 49; ++y)
                for (int x = 1; x < y; ++x) addRow(pairRank(x, y), y);
            break;
        }
        t.entries.assign(static_cast<std::size_t>(used), 0);
    }
    if (t.hashedPieces) {
        std::size_t pieces = 0;
        for (const auto& numbers : drawn)
            for (int size = 4; size < partSize; ++size) pieces += choose(static_cast<int>(numbers.size()), size);
        t.buckets.assign(std::bit_ceil(std::max<std::size_t>(16, 2 * pieces)), Slot{});
        t.slotMask = t.buckets.size() - 1;
        t.slotShift = 64 - std::countr_zero(t.buckets.size());
    }

    for (const auto& numbers : drawn) {
        const int count = static_cast<int>(numbers.size());
        const std::uint64_t drawMask = maskOf(numbers.data(), count);
        forEachPiece(numbers.data(), count, t.directSize, [&](const int* piece) {
            const std::uint64_t completing = drawMask & ~maskOf(piece, t.directSize);
            if (t.directSize == 0)
                t.completeAlone |= completing;
            else
                t.entries[t.rowStart[rowRank(piece, t.directSize - 1)] + piece[t.directSize - 1]] |= completing;
        });
        for (int size = 4; size < partSize; ++size) {
            forEachPiece(numbers.data(), count, size, [&](const int* piece) {
                const std::uint64_t key = maskOf(piece, size);
                std::uint64_t slot = slotOf(key, t.slotShift);
                while (t.buckets[slot].piece != 0 && t.buckets[slot].piece != key) slot = (slot + 1) & t.slotMask;
                t.buckets[slot].piece = key;
                t.buckets[slot].completions |= drawMask & ~key;
            });
        }
    }
    tables_ = std::move(tables);
}

std::uint64_t HistoryIndex::hashed(std::uint64_t piece) const {
    const Tables& t = *tables_;
    for (std::uint64_t slot = slotOf(piece, t.slotShift);; slot = (slot + 1) & t.slotMask) {
        if (t.buckets[slot].piece == piece) return t.buckets[slot].completions;
        if (t.buckets[slot].piece == 0) return 0;
    }
}

std::uint64_t HistoryIndex::completionsOf(const int* numbers, int count) const {
    const Tables& t = *tables_;
    if (count == 0) return t.completeAlone;
    if (count <= 3) return t.entries[t.rowStart[rowRank(numbers, count - 1)] + numbers[count - 1]];
    return hashed(maskOf(numbers, count));
}

bool HistoryIndex::CheckAgainstHistory(const Combination& set) const {
    if (!tables_) return true;
    const std::uint64_t setMask = maskOf(set.data(), 6);
    const int pieceSize = tables_->partSize - 1;
    bool fails = false;
    forEachPiece(set.data(), 6, pieceSize,
                 [&](const int* piece) { fails = fails || (completionsOf(piece, pieceSize) & setMask) != 0; });
    return !fails;
}

void HistoryIndex::forFirstFour(const std::array<int, 4>& numbers, FirstFour& f) const {
    f.numbers = f.completing = 0;
    f.pieceCount = 0;
    if (!tables_) return;
    const Tables& t = *tables_;
    const auto [a, b, c, d] = numbers;
    f.numbers = maskOf(numbers.data(), 4);
    const std::uint64_t* entries = t.entries.data();
    const int* rowStart = t.rowStart.data();
    auto row = [&](int x) { return rowStart[x]; };
    auto pairRow = [&](int x, int y) { return rowStart[pairRank(x, y)]; };
    // Pieces within A to D complete parts by themselves; E joins the smaller
    // ones, and the rows of those give what completes them by E.
    switch (t.partSize) {
    case 1: f.completing = t.completeAlone; break;
    case 2:
        f.completing =
            entries[rowStart[0] + a] | entries[rowStart[0] + b] | entries[rowStart[0] + c] | entries[rowStart[0] + d];
        f.rowStarts = {rowStart[0]};
        f.pieceCount = 1;
        break;
    case 3:
        f.completing = entries[row(a) + b] | entries[row(a) + c] | entries[row(a) + d] | entries[row(b) + c] |
                       entries[row(b) + d] | entries[row(c) + d];
        f.rowStarts = {row(a), row(b), row(c), row(d)};
        f.pieceCount = 4;
        break;
    case 4:
        f.completing = entries[pairRow(a, b) + c] | entries[pairRow(a, b) + d] | entries[pairRow(a, c) + d] |
                       entries[pairRow(b, c) + d];
        f.rowStarts = {pairRow(a, b), pairRow(a, c), pairRow(a, d), pairRow(b, c), pairRow(b, d), pairRow(c, d)};
        f.pieceCount = 6;
        break;
    case 5: {
        // Pieces of four: A to D is one, and E joins three of them. A piece
        // can only be in the hash table when its three smallest numbers lie in
        // a draw with its largest.
        if (entries[pairRow(a, b) + c] >> d & 1) f.completing = hashed(f.numbers);
        const std::array<std::array<int, 3>, 4> threes{{{a, b, c}, {a, b, d}, {a, c, d}, {b, c, d}}};
        for (const auto& [x, y, z] : threes) {
            f.pieces[f.pieceCount] = maskOf(std::array{x, y, z}.data(), 3);
            f.fifthsToLookUp[f.pieceCount++] = entries[pairRow(x, y) + z];
        }
        break;
    }
    default:
        // Pieces of five: E joins A to D, which first has to lie in a draw.
        f.pieces[0] = f.numbers;
        f.fifthsToLookUp[0] = (entries[pairRow(a, b) + c] >> d & 1) != 0 ? hashed(f.numbers) : 0;
        f.pieceCount = 1;
        break;
    }
}

} // namespace orvane
