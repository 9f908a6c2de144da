#pragma once

// Lists built by construction rather than found by search, for the cases
// where a design from algebra or a split of the pool reaches the best known
// size: each is proved by the independent check like any list the search finds.
//   - S(3,6,22): the 77 blocks of the Steiner system, from the octads of the
//     extended binary Golay code through two fixed points: every three of 22
//     numbers in exactly one ticket (3 if 3 on 22); and S(5,6,12) from the
//     ternary Golay code (132 tickets for 5 if 5 on 12).
//   - Parts for "2 if m": m drawn numbers put two of them in one of m - 1
//     parts, so a pair covering of each part keeps the guarantee on the whole
//     (19 tickets for 2 if 6 on 49: parts of 10, 10, 10, 10 and 9).
//   - S(3,6,22) and the rest for "3 if m", m >= 5: m drawn numbers put three
//     in the 22 or m - 2 in the rest, whose own list the search builds.
//   - A "t if t" list of all but five numbers, and those five with each of the
//     others, for "t if t+1" (t = 2, 3): t + 1 drawn numbers put t in the
//     large part or two among the five, which a ticket then holds with one more.
//   - The projective plane of order 5, S(2,6,31): every pair of 31 numbers in
//     exactly one of 31 tickets.
//   - A design shrunk to a smaller pool: the numbers beyond it dropped, the
//     tickets filled up again and those no longer needed taken out.
// Where a construction has parts of its own, each part's list is built the
// same way where it can be, then shortened by a search.

#include "cover/CoverSearch.h"
#include "cover/Guarantee.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace orvane {

// The 759 octads of the extended binary Golay code of length 24, as bit sets of 0..23.
std::vector<std::uint32_t> golayOctads();

// The 77 blocks of S(3,6,22) on pool positions 0..21.
std::vector<TicketMask> steinerSystem3622();

// The 132 blocks of S(5,6,12) on pool positions 0..11: every five of 12 numbers
// in exactly one, the hexads of the extended ternary Golay code (5 if 5 on 12).
std::vector<TicketMask> steinerSystem5612();
// S(4,5,11), its derived design: the 66 hexads through point 11, without it;
// every four of eleven numbers on exactly one five-number ticket.
std::vector<TicketMask> steinerSystem4511();

// The lines of the projective plane of order q (q^2 + q + 1 points, lines of
// q + 1) and of the affine plane (q^2 points, lines of q), for q = 2, 3, 4, 5
// or 7 as far as the points fit a pool: every two points on exactly one
// line, so a list keeping 2 if 2 on tickets of the lines' size. Empty when
// there is no such plane here.
std::vector<TicketMask> projectivePlane(int order);
std::vector<TicketMask> affinePlane(int order);

// The 31 lines of the projective plane over the integers mod 5 (points 0..30):
// every two points on exactly one line of six.
std::vector<TicketMask> projectivePlaneOrder5();

// A list for a larger pool brought down to `poolSize` positions: numbers at
// or beyond it replaced by the lowest the ticket lacks, repeated tickets
// dropped, then every ticket the guarantee can do without. Proved; nothing
// when the shrunk list does not keep the guarantee.
std::optional<std::vector<TicketMask>> shrunkList(const std::vector<TicketMask>& design, int poolSize,
                                                  Guarantee guarantee);

// A construction in slices, as the search runs: the parts that need a list of
// their own are searched one after the other, each for at most `partWork`
// subset visits (with `seed`), and the whole is proved at the end.
class CoverConstruction {
public:
    // Nothing when no construction applies to the pool size and guarantee.
    static std::unique_ptr<CoverConstruction> forPool(int poolSize, Guarantee guarantee, std::uint64_t seed,
                                                      std::uint64_t partWork);

    // Does about `work` subset visits; true once the construction has ended.
    bool advance(std::uint64_t work);
    bool ended() const { return ended_; }
    // The proved list once ended; empty when the proof failed.
    const std::vector<TicketMask>& list() const { return list_; }

private:
    struct Part {
        int size;
        Guarantee guarantee;
        int first; // the pool position of the part's first number
    };
    // Moves the part's list (on positions 0..size-1) to its place in the pool.
    void takePartList(const Part& part, const std::vector<TicketMask>& partList);
    CoverConstruction(int poolSize, Guarantee guarantee, std::uint64_t seed, std::uint64_t partWork);

    int poolSize_;
    Guarantee guarantee_;
    std::uint64_t seed_, partWork_;
    std::vector<TicketMask> tickets_;                     // the parts' lists so far
    std::vector<Part> parts_;                             // the parts still to search
    std::unique_ptr<CoverConstruction> partConstruction_; // the part's own, when one applies
    std::unique_ptr<CoverSearch> search_;
    std::vector<TicketMask> list_;
    bool ended_ = false;
};

// The whole construction at once (for tests and benchmarks).
std::optional<std::vector<TicketMask>> constructedList(int poolSize, Guarantee guarantee, std::uint64_t seed,
                                                       std::uint64_t partWork);

} // namespace orvane
