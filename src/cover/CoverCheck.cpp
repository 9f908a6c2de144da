#include "cover/CoverCheck.h"

#include <bit>
#include <utility>

namespace orvane {

namespace {

// The next larger mask with as many bits set.
TicketMask nextSubset(TicketMask subset) {
    const TicketMask lowest = subset & (~subset + 1);
    const TicketMask ripple = subset + lowest;
    return ripple | (((subset ^ ripple) >> 2) / lowest);
}

TicketMask lowBits(int count) { return count >= 64 ? ~TicketMask{0} : (TicketMask{1} << count) - 1; }

} // namespace

CoverCheck::CoverCheck(int poolSize, Guarantee guarantee, std::vector<TicketMask> tickets)
    : poolSize_(poolSize), guarantee_(guarantee), tickets_(std::move(tickets)),
      subset_(lowBits(guarantee.drawn)), lastSubset_(lowBits(guarantee.drawn) << (poolSize - guarantee.drawn)) {
    for (TicketMask ticket : tickets_)
        if (std::popcount(ticket) != kTicketSize || (ticket & ~lowBits(poolSize)) != 0) {
            // A malformed ticket proves nothing: the list fails outright.
            finished_ = true;
            uncovered_ = 1;
        }
}

bool CoverCheck::advance(std::uint64_t subsets) {
    const int match = guarantee_.match;
    // A ticket that covered the last subset most likely covers the next,
    // which shares all but one or two of its numbers: try it first.
    std::size_t lastHit = 0;
    for (std::uint64_t done = 0; !finished_ && done < subsets; ++done) {
        bool covered = !tickets_.empty() && std::popcount(subset_ & tickets_[lastHit]) >= match;
        for (std::size_t i = 0; !covered && i < tickets_.size(); ++i)
            if (std::popcount(subset_ & tickets_[i]) >= match) {
                covered = true;
                lastHit = i;
            }
        if (!covered) ++uncovered_;
        ++checked_;
        if (subset_ == lastSubset_) finished_ = true;
        else subset_ = nextSubset(subset_);
    }
    return finished_;
}

std::uint64_t uncoveredSubsets(int poolSize, Guarantee guarantee, const std::vector<TicketMask>& tickets) {
    CoverCheck check(poolSize, guarantee, tickets);
    while (!check.advance(UINT64_MAX)) {
    }
    return check.uncovered();
}

} // namespace orvane
