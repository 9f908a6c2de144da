#pragma once

#include "history/HistoryFile.h"
#include "core/Combination.h"

#include <array>
#include <cstdint>
#include <vector>

namespace orvane {

// CheckAgainstHistory: fails a set that shares more than `limit` numbers with
// any past draw. Every (limit + 1)-number part of every draw is kept in a hash
// table, so a check costs the same however long the history is.
class HistoryIndex {
public:
    HistoryIndex() = default;
    HistoryIndex(const std::vector<DrawRecord>& draws, long long limit);

    bool CheckAgainstHistory(const Combination& set) const;

    // The same check split for a run, where consecutive sets share A to E: what
    // A to E alone decide, and which numbers as F would fail the set.
    struct PrefixVerdict {
        bool fails = false;
        std::uint64_t failingLast = 0;   // bit n: F = n fails the set
    };
    // Worked out in two steps, since many A to E share their A to D: what A to
    // D decide (`failingLast` then holds the numbers that complete a failing
    // part with them), then what E adds.
    PrefixVerdict forFirstFour(const std::array<int, 4>& numbers) const;
    PrefixVerdict forFifth(const PrefixVerdict& firstFour, const std::array<int, 4>& numbers, int fifth) const;

private:
    void insert(std::uint64_t key);
    bool contains(std::uint64_t key) const;
    void addCompletion(std::uint64_t part, std::uint64_t number);
    std::uint64_t completionsOf(std::uint64_t part) const;

    int partSize_ = 7;                     // 7: no set can fail
    std::vector<std::uint64_t> table_;     // open addressing; 0 marks a free slot
    std::uint64_t slotMask_ = 0;
    int slotShift_ = 64;
    std::vector<std::uint8_t> partPositions_;   // every part of six positions, partSize_ at a time
    // For every stored part less one number: the numbers that complete it.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> completions_;
    std::uint64_t completionMask_ = 0;
    int completionShift_ = 64;
    std::uint64_t completeAlone_ = 0;
    std::array<std::vector<unsigned>, 5> choicesOfFour_;   // by size: which of four numbers a part takes   // parts of one number: every number of every draw
};

} // namespace orvane
