#pragma once

// Walks every set of `size` numbers drawn from a list, keeping for each line
// of a ticket file how many of the set's numbers it holds. The counts grow one
// number at a time, a byte a line, so a set costs one pass over the lines at
// its last number, whatever the size. The walk goes in units (every set that
// shares its first numbers), so a job can stop between them.

#include "tally/GameWinTally.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

class HitWalk {
public:
    // The numbers at the last place of a unit's sets: a unit holds every set
    // that shares the numbers before these.
    static constexpr int kUnitDepth = 3;

    HitWalk(const std::vector<GameLine>& lines, std::vector<int> numbers, int size);

    // The lines' count rounded up, so the passes run over whole blocks; the
    // extra slots hold no numbers and count 0.
    std::size_t stride() const { return stride_; }
    std::uint64_t setsWalked() const { return walked_; }
    std::uint64_t sets() const { return sets_; }
    bool ended() const { return ended_; }
    // The numbers of the set being visited before its last one.
    const std::vector<int>& leading() const { return chosen_; }

    // Visits every set of the next unit: leaf(before, last, number), where
    // before[i] counts line i's hits among the set's other numbers, last[i]
    // is 1 when line i holds the set's last number `number`. False once
    // every set has been visited.
    template <typename Leaf> bool nextUnit(Leaf&& leaf) {
        if (ended_) return false;
        visitTail(depth_, leaf);
        ended_ = !nextPrefix();
        return true;
    }

private:
    const std::uint8_t* member(std::size_t index) const { return members_.data() + index * stride_; }
    std::uint8_t* level(std::size_t depth) { return levels_.data() + depth * stride_; }

    void addTo(std::size_t depth, std::size_t index) {
        const std::uint8_t* from = level(depth);
        const std::uint8_t* add = member(index);
        std::uint8_t* to = level(depth + 1);
        for (std::size_t i = 0; i < stride_; ++i) to[i] = static_cast<std::uint8_t>(from[i] + add[i]);
    }

    // Every way to finish the set from place `depth` on, the places before it chosen.
    template <typename Leaf> void visitTail(std::size_t depth, Leaf& leaf) {
        const std::size_t first = depth == 0 ? 0 : index_[depth - 1] + 1;
        const std::size_t last = numbers_.size() - (size_ - depth);
        if (depth + 1 == size_) {
            for (std::size_t i = first; i <= last; ++i) leaf(level(depth), member(i), numbers_[i]);
            walked_ += last + 1 - first;
            return;
        }
        for (std::size_t i = first; i <= last; ++i) {
            index_[depth] = i;
            chosen_.push_back(numbers_[i]);
            addTo(depth, i);
            visitTail(depth + 1, leaf);
            chosen_.pop_back();
        }
    }

    // Moves to the unit after this one; false after the last.
    bool nextPrefix();

    std::vector<int> numbers_;
    std::size_t size_ = 0;
    std::size_t depth_ = 0; // the places a unit's prefix fixes
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> members_; // by number index: 1 for each line holding it
    std::vector<std::uint8_t> levels_;  // by place: the counts of the numbers chosen before it
    std::vector<std::size_t> index_;    // the chosen numbers' indices
    std::vector<int> chosen_;
    std::uint64_t walked_ = 0;
    std::uint64_t sets_ = 0;
    bool ended_ = false;
};

} // namespace orvane
