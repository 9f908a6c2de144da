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

// Every way to choose `size` of `count` places, as lists of places.
std::vector<std::vector<int>> choices(int count, int size) {
    std::vector<std::vector<int>> all;
    for (unsigned mask = 0; mask < (1u << count); ++mask) {
        if (std::popcount(mask) != size) continue;
        std::vector<int> places;
        for (int i = 0; i < count; ++i)
            if (mask & (1u << i)) places.push_back(i);
        all.push_back(places);
    }
    return all;
}

} // namespace

CoverCheck::CoverCheck(int poolSize, Guarantee guarantee, std::vector<TicketMask> tickets)
    : guarantee_(guarantee), tickets_(std::move(tickets)), heldWhole_(subsetCount(poolSize, guarantee.match), false),
      subset_(lowBits(guarantee.drawn)), lastSubset_(lowBits(guarantee.drawn) << (poolSize - guarantee.drawn)) {
    for (int n = 0; n <= kLargestPool; ++n)
        for (int k = 0; k <= kLargestTicket; ++k) binomial_[n][k] = subsetCount(n, k);
    subsetParts_ = choices(guarantee.drawn, guarantee.match);
    const std::vector<std::vector<int>> ticketParts = choices(guarantee.ticket, guarantee.match);
    for (TicketMask ticket : tickets_) {
        if (std::popcount(ticket) != guarantee.ticket || (ticket & ~lowBits(poolSize)) != 0) {
            // A malformed ticket proves nothing: the list fails outright.
            finished_ = true;
            uncovered_ = 1;
            return;
        }
        int numbers[kLargestTicket];
        int count = 0;
        for (TicketMask rest = ticket; rest; rest &= rest - 1) numbers[count++] = std::countr_zero(rest);
        for (const std::vector<int>& places : ticketParts) {
            int part[kLargestTicket];
            for (std::size_t i = 0; i < places.size(); ++i) part[i] = numbers[places[i]];
            heldWhole_[colexNumber(part, guarantee.match)] = true;
        }
    }
}

// The colex number of positions p0 < p1 < ...: C(p0,1) + C(p1,2) + ...
std::uint64_t CoverCheck::colexNumber(const int* positions, int count) const {
    std::uint64_t number = 0;
    for (int i = 0; i < count; ++i) number += binomial_[positions[i]][i + 1];
    return number;
}

bool CoverCheck::advance(std::uint64_t subsets) {
    for (std::uint64_t done = 0; !finished_ && done < subsets; ++done) {
        int numbers[kLargestTicket];
        int count = 0;
        for (TicketMask rest = subset_; rest; rest &= rest - 1) numbers[count++] = std::countr_zero(rest);
        bool covered = false;
        for (std::size_t c = 0; !covered && c < subsetParts_.size(); ++c) {
            int part[kLargestTicket];
            for (std::size_t i = 0; i < subsetParts_[c].size(); ++i) part[i] = numbers[subsetParts_[c][i]];
            covered = heldWhole_[colexNumber(part, guarantee_.match)];
        }
        if (!covered) ++uncovered_;
        ++checked_;
        if (subset_ == lastSubset_)
            finished_ = true;
        else
            subset_ = nextSubset(subset_);
    }
    return finished_;
}

std::uint64_t uncoveredSubsets(int poolSize, Guarantee guarantee, const std::vector<TicketMask>& tickets) {
    CoverCheck check(poolSize, guarantee, tickets);
    while (!check.advance(UINT64_MAX)) {}
    return check.uncovered();
}

} // namespace orvane
