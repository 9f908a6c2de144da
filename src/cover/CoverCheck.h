#pragma once

#include "cover/Guarantee.h"

#include <cstdint>
#include <vector>

namespace orvane {

// The proof of a list's guarantee, kept apart from the search that built it.
// A ticket holds t of some m numbers exactly when it holds one of their
// t-number subsets whole; so the check first marks every t-number subset
// that some ticket holds, then walks every m-number subset of the pool in
// turn and looks for a marked t-subset among its own. It shares no state or
// counting with the search, so a fault there cannot make a list pass here.
class CoverCheck {
public:
    CoverCheck(int poolSize, Guarantee guarantee, std::vector<TicketMask> tickets);

    // Checks up to `subsets` more subsets; true once every subset is checked.
    bool advance(std::uint64_t subsets);
    bool finished() const { return finished_; }
    // How many subsets have been checked so far, and how many of them no ticket covers.
    std::uint64_t checked() const { return checked_; }
    std::uint64_t uncovered() const { return uncovered_; }
    // True once finished with every subset covered.
    bool passed() const { return finished_ && uncovered_ == 0; }
    const std::vector<TicketMask>& tickets() const { return tickets_; }

private:
    std::uint64_t colexNumber(const int* positions, int count) const;

    Guarantee guarantee_;
    std::vector<TicketMask> tickets_;
    int poolSize_;
    std::uint64_t binomial_[kLargestPool + 1][kLargestTicket + 1] = {};
    std::vector<std::vector<int>> subsetParts_; // the ways to choose t of m places
    std::vector<bool> heldWhole_;               // per t-subset (numbered by its own colex rank)
    int subset_[kLargestTicket] = {};           // the next subset to check: its pool positions, ascending
    bool finished_ = false;
    std::uint64_t uncovered_ = 0;
    std::uint64_t checked_ = 0;
};

// Checks the whole list in one go: the number of m-number subsets it leaves
// uncovered (0 when the guarantee holds).
std::uint64_t uncoveredSubsets(int poolSize, Guarantee guarantee, const std::vector<TicketMask>& tickets);

} // namespace orvane
