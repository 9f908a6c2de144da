#include "cover/CoverDesigns.h"

#include "cover/CoverCheck.h"
#include "cover/CoverSearch.h"

#include <bit>

namespace orvane {

namespace {

constexpr int kGolayLength = 23;
// The generator polynomial of the binary Golay code, 1 + x^2 + x^4 + x^5 + x^6 + x^10 + x^11.
constexpr std::uint32_t kGolayGenerator = 0b110001110101;

// The shortest list the search finds for `poolSize` within `work` visits.
std::vector<TicketMask> searchedList(int poolSize, Guarantee guarantee, std::uint64_t seed, std::uint64_t work) {
    CoverSearch search(poolSize, guarantee, seed);
    while (!search.advance(20'000) && (search.workDone() < work || search.best().empty())) {
    }
    return search.best();
}

// Pair coverings of parts of the pool put side by side: the parts as equal as
// they can be, so that m drawn numbers put two in one of them.
std::optional<std::vector<TicketMask>> pairsInParts(int poolSize, int parts, std::uint64_t seed, std::uint64_t work) {
    if (parts < 1 || poolSize / parts < kTicketSize) return std::nullopt;
    std::vector<TicketMask> tickets;
    int first = 0;
    for (int part = 0; part < parts; ++part) {
        const int size = poolSize / parts + (part < poolSize % parts ? 1 : 0);
        for (TicketMask ticket : searchedList(size, Guarantee{2, 2}, seed, work)) tickets.push_back(ticket << first);
        first += size;
    }
    return tickets;
}

} // namespace

std::vector<std::uint32_t> golayOctads() {
    // The cyclic code of length 23 spanned by the generator's twelve shifts,
    // each word given a parity bit (position 23) to make the extended code.
    std::vector<std::uint32_t> basis;
    for (int shift = 0; shift < 12; ++shift) {
        const std::uint32_t word = kGolayGenerator << shift;
        basis.push_back(word | static_cast<std::uint32_t>(std::popcount(word) % 2) << kGolayLength);
    }
    std::vector<std::uint32_t> octads;
    for (std::uint32_t choice = 0; choice < (1u << basis.size()); ++choice) {
        std::uint32_t word = 0;
        for (std::size_t i = 0; i < basis.size(); ++i)
            if (choice >> i & 1) word ^= basis[i];
        if (std::popcount(word) == 8) octads.push_back(word);
    }
    return octads;
}

std::vector<TicketMask> steinerSystem3622() {
    // The octads through points 22 and 23, those two taken away.
    constexpr std::uint32_t kFixed = 3u << 22;
    std::vector<TicketMask> blocks;
    for (std::uint32_t octad : golayOctads())
        if ((octad & kFixed) == kFixed) blocks.push_back(octad & ~kFixed);
    return blocks;
}

std::optional<std::vector<TicketMask>> constructedList(int poolSize, Guarantee guarantee, std::uint64_t seed,
                                                       std::uint64_t partWork) {
    std::optional<std::vector<TicketMask>> list;
    if (poolSize == 22 && guarantee == Guarantee{3, 3}) list = steinerSystem3622();
    else if (guarantee.match == 2 && guarantee.drawn > 2)
        list = pairsInParts(poolSize, guarantee.drawn - 1, seed, partWork);
    // A construction counts only once the check has proved it.
    if (list && uncoveredSubsets(poolSize, guarantee, *list) != 0) list.reset();
    return list;
}

} // namespace orvane
