#pragma once

// The sets of k numbers of a pick, one after another in ascending
// lexicographic order (the order the wheel writes them), for any game; and the
// bonus parts a line of a game with a bonus pool is written with.

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

class SetWalk {
public:
    // `pick` ascending; no set when it holds fewer than k numbers.
    SetWalk(std::vector<int> pick, int perSet);

    // The set the walk stands at; valid while !ended().
    const std::vector<int>& set() const { return set_; }
    bool ended() const { return ended_; }
    // Moves to the next set; false once there is none.
    bool next();

private:
    std::vector<int> pick_;
    std::vector<std::size_t> at_; // positions of the set's numbers in the pick
    std::vector<int> set_;
    bool ended_ = false;
};

// The bonus parts of the lines a main set is written with, one for each choice
// of `drawn` of the picked bonus numbers, in ascending order: " + 7", " + 3 11".
std::vector<std::string> bonusParts(const std::vector<int>& pickedBonus, int drawn);

} // namespace orvane
