#pragma once

#include "history/HistoryFile.h"
#include "wheel/Combination.h"

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

private:
    void insert(std::uint64_t key);
    bool contains(std::uint64_t key) const;

    int partSize_ = 7;                     // 7: no set can fail
    std::vector<std::uint64_t> table_;     // open addressing; 0 marks a free slot
    std::uint64_t slotMask_ = 0;
    std::vector<std::uint8_t> partPositions_;   // every part of six positions, partSize_ at a time
};

} // namespace orvane
