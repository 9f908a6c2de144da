#pragma once

// Lists built by construction rather than found by search, for the cases
// where a design from algebra or a split of the pool reaches the best known
// size: each is proved by the independent check like any list the search finds.
//   - S(3,6,22): the 77 blocks of the Steiner system, from the octads of the
//     extended binary Golay code through two fixed points: every three of 22
//     numbers in exactly one ticket (3 if 3 on 22).
//   - Parts for "2 if m": m drawn numbers put two of them in one of m - 1
//     parts, so a pair covering of each part keeps the guarantee on the whole
//     (19 tickets for 2 if 6 on 49: parts of 10, 10, 10, 10 and 9).

#include "cover/Guarantee.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orvane {

// The 759 octads of the extended binary Golay code of length 24, as bit sets of 0..23.
std::vector<std::uint32_t> golayOctads();

// The 77 blocks of S(3,6,22) on pool positions 0..21.
std::vector<TicketMask> steinerSystem3622();

// A constructed list for the pool size and guarantee, when one applies; a part
// that needs its own covering is searched with `seed` for at most `partWork`
// subset visits.
std::optional<std::vector<TicketMask>> constructedList(int poolSize, Guarantee guarantee, std::uint64_t seed,
                                                       std::uint64_t partWork);

} // namespace orvane
