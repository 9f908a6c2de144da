#include "cover/CoverSearch.h"

#include "cover/CoverSearchEngine.h"

namespace orvane {

// A pool that fits a 64-bit word is searched in one: its hot loops then cost
// what they always have.
CoverSearch::CoverSearch(int poolSize, Guarantee guarantee, std::uint64_t seed, std::uint64_t partWork) {
    if (poolSize <= kNarrowPool)
        engine_ = std::make_unique<MaskedCoverSearch<std::uint64_t>>(poolSize, guarantee, seed, partWork);
    else
        engine_ = std::make_unique<MaskedCoverSearch<TicketMask>>(poolSize, guarantee, seed, partWork);
}

CoverSearch::~CoverSearch() = default;

} // namespace orvane
