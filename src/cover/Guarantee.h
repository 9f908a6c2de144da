#pragma once

#include "core/Combination.h"
#include "cover/PoolMask.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The numbers of a ticket: six for 6/49; from three to eight in other games.
constexpr int kTicketSize = 6;
constexpr int kSmallestTicket = 3;
constexpr int kLargestTicket = 8;

// "t if m": whenever m of the drawn numbers are in the pool, at least one
// ticket (of k numbers) holds t of them. "t if t" is the plain covering of
// every t numbers.
struct Guarantee {
    int match = 3;            // t
    int drawn = 3;            // m
    int ticket = kTicketSize; // k
    bool operator==(const Guarantee&) const = default;
};

// Guarantees whose lists would be longer than this are refused.
constexpr std::uint64_t kLongestList = 10'000;
// The search keeps some ten bytes for each way of drawing m numbers of the
// pool: guarantees with more ways than this are refused.
constexpr std::uint64_t kMostDrawnSubsets = 100'000'000;

// "3", "3if4", "3 if 4" (any case); nothing when the text is not one of these.
std::optional<Guarantee> parseGuarantee(std::string_view text);
// "3 if 4".
std::string guaranteeText(Guarantee guarantee);

// Why no list of tickets can be built for this pool size and guarantee, if
// there is a reason: a ticket outside 3..8, a pool smaller than a ticket, t
// outside 2..k, t > m, m > k or m larger than the pool, a list that would
// hold more than kLongestList tickets, or more than kMostDrawnSubsets ways to
// draw m numbers of the pool.
std::optional<std::string> guaranteeFault(int poolSize, Guarantee guarantee);

// How many k-number subsets an n-number pool has (0 when k > n).
std::uint64_t subsetCount(int n, int k);

// No list for a plain "t if t" guarantee can be shorter than this (the
// Schönheim bound); for t if m with m > t, 1.
int ticketLowerBound(int poolSize, Guarantee guarantee);

// The tickets as six-number sets of the pool's own numbers, ascending, in the
// order the list holds them.
std::vector<Combination> ticketSets(const std::vector<TicketMask>& tickets, const std::vector<int>& pool);
// The same for tickets of any size.
std::vector<std::vector<int>> ticketNumbers(const std::vector<TicketMask>& tickets, const std::vector<int>& pool);

} // namespace orvane
