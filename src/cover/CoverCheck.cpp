#include "cover/CoverCheck.h"

#include <bit>
#include <utility>

namespace orvane {

namespace {

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
    : guarantee_(guarantee), tickets_(std::move(tickets)), poolSize_(poolSize),
      heldWhole_(subsetCount(poolSize, guarantee.match), false) {
    for (int i = 0; i < guarantee.drawn; ++i) subset_[i] = i;
    for (int n = 0; n <= kLargestPool; ++n)
        for (int k = 0; k <= kLargestTicket; ++k) binomial_[n][k] = subsetCount(n, k);
    subsetParts_ = choices(guarantee.drawn, guarantee.match);
    const std::vector<std::vector<int>> ticketParts = choices(guarantee.ticket, guarantee.match);
    for (TicketMask ticket : tickets_) {
        if (bitCount(ticket) != guarantee.ticket || (ticket & ~lowPositions<TicketMask>(poolSize)) != 0) {
            // A malformed ticket proves nothing: the list fails outright.
            finished_ = true;
            uncovered_ = 1;
            return;
        }
        int numbers[kLargestTicket];
        int count = 0;
        for (TicketMask rest = ticket; rest; rest &= rest - 1) numbers[count++] = lowestBit(rest);
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
    const int m = guarantee_.drawn;
    for (std::uint64_t done = 0; !finished_ && done < subsets; ++done) {
        bool covered = false;
        for (std::size_t c = 0; !covered && c < subsetParts_.size(); ++c) {
            int part[kLargestTicket];
            for (std::size_t i = 0; i < subsetParts_[c].size(); ++i) part[i] = subset_[subsetParts_[c][i]];
            covered = heldWhole_[colexNumber(part, guarantee_.match)];
        }
        if (!covered) ++uncovered_;
        ++checked_;
        // The next subset in colex order: the lowest position that can move up
        // does, and those below it start again from the bottom.
        int i = 0;
        while (i < m && subset_[i] + 1 == (i + 1 < m ? subset_[i + 1] : poolSize_)) ++i;
        if (i == m) {
            finished_ = true;
        } else {
            ++subset_[i];
            for (int j = 0; j < i; ++j) subset_[j] = j;
        }
    }
    return finished_;
}

std::uint64_t uncoveredSubsets(int poolSize, Guarantee guarantee, const std::vector<TicketMask>& tickets) {
    CoverCheck check(poolSize, guarantee, tickets);
    while (!check.advance(UINT64_MAX)) {}
    return check.uncovered();
}

} // namespace orvane
