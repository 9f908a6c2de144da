#pragma once

#include "history/HistoryFile.h"
#include "core/Combination.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace orvane {

// CheckAgainstHistory: fails a set that shares more than `limit` numbers with
// any past draw, that is, a set holding a "part" of a draw: limit + 1 of its
// numbers. The index keeps, for every piece of a draw one number short of a
// part, the numbers that complete it (bit n: number n). A set fails when some
// piece of it is completed by another of its numbers. Pieces of up to three
// numbers are looked up directly in a table indexed by their numbers; larger
// ones in a hash table. Either way a check costs the same however long the
// history is.
class HistoryIndex {
public:
    HistoryIndex() = default;
    HistoryIndex(const std::vector<DrawRecord>& draws, long long limit);

    // False when no set can fail: no draw, or a limit of 6 or more.
    bool canFail() const { return tables_ != nullptr; }

    bool CheckAgainstHistory(const Combination& set) const;

    // The same check split for a run, where consecutive sets share A to D and
    // then A to E. What A to D give, worked out once for all their blocks.
    struct FirstFour {
        std::uint64_t numbers = 0;    // A to D
        std::uint64_t completing = 0; // the numbers completing a part with A to D alone
        // The pieces of A to D that E brings to one number short of a part.
        // Small parts: for each such piece, where its row of completions by E
        // starts. Large parts: each piece with the values of E that can take it there.
        int pieceCount = 0;
        std::array<int, 6> rowStarts{};
        std::array<std::uint64_t, 4> pieces{}, fifthsToLookUp{};
    };
    void forFirstFour(const std::array<int, 4>& numbers, FirstFour& firstFour) const;

    // The values of E with which A to E hold a part (every bit when A to D do).
    static std::uint64_t failingFifths(const FirstFour& firstFour) {
        return (firstFour.completing & firstFour.numbers) != 0 ? ~std::uint64_t{0} : firstFour.completing;
    }
    // The last numbers F that fail after A to D and E (every bit when A to E hold a part).
    std::uint64_t failingLast(const FirstFour& firstFour, int fifth) const {
        if (!tables_) return 0;
        const std::uint64_t fifthBit = std::uint64_t{1} << fifth;
        std::uint64_t completing = firstFour.completing;
        if (!tables_->hashedPieces) {
            const std::uint64_t* entries = tables_->entries.data();
            for (int i = 0; i < firstFour.pieceCount; ++i) completing |= entries[firstFour.rowStarts[i] + fifth];
        } else {
            for (int i = 0; i < firstFour.pieceCount; ++i)
                if (firstFour.fifthsToLookUp[i] & fifthBit) completing |= hashed(firstFour.pieces[i] | fifthBit);
        }
        return (completing & (firstFour.numbers | fifthBit)) != 0 ? ~std::uint64_t{0} : completing;
    }

private:
    struct Slot {
        std::uint64_t piece = 0; // 0: free
        std::uint64_t completions = 0;
    };
    struct Tables {
        int partSize = 7;
        // Pieces of `directSize` numbers (the piece size, or 3 for larger
        // parts, where they tell which larger pieces are worth looking up),
        // in rows: the pieces sharing their numbers but the largest, z, are
        // entries[rowStart[r] + z], r the rank of those other numbers, and
        // each row only holds the z above them.
        int directSize = 0;
        std::uint64_t completeAlone = 0; // directSize 0: every number of every draw
        std::vector<std::uint64_t> entries;
        std::vector<int> rowStart;
        // Pieces of four and five numbers, for parts of five and six.
        bool hashedPieces = false;
        std::vector<Slot> buckets; // open addressing
        std::uint64_t slotMask = 0;
        int slotShift = 64;
    };

    std::uint64_t hashed(std::uint64_t piece) const;
    std::uint64_t completionsOf(const int* numbers, int count) const; // ascending numbers of one piece

    std::shared_ptr<const Tables> tables_; // shared by copies: never changed once built
};

} // namespace orvane
