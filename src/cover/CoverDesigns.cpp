#include "cover/CoverDesigns.h"

#include "cover/CoverCheck.h"

#include <algorithm>
#include <array>
#include <bit>

namespace orvane {

namespace {
constexpr int kGolayLength = 23;
// The generator polynomial of the binary Golay code, 1 + x^2 + x^4 + x^5 + x^6 + x^10 + x^11.
constexpr std::uint32_t kGolayGenerator = 0b110001110101;
constexpr int kSteinerPool = 22;
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

std::vector<TicketMask> steinerSystem5612() {
    // The ternary Golay code: the cyclic code of length 11 over GF(3) spanned
    // by the six shifts of 2 + x^2 + 2x^3 + x^4 + x^5, each word given a
    // twelfth digit that brings its digits' sum to 0. The supports of its
    // 264 words of weight 6 come in pairs (c and -c): 132 hexads.
    constexpr std::array<int, 6> kGenerator{2, 0, 1, 2, 1, 1};
    constexpr int kLength = 11;
    std::vector<TicketMask> hexads;
    int choice[6] = {};
    for (int word = 0; word < 729; ++word) {
        for (int i = 0, rest = word; i < 6; ++i, rest /= 3) choice[i] = rest % 3;
        std::array<int, kLength + 1> digits{};
        for (std::size_t shift = 0; shift < 6; ++shift)
            for (std::size_t i = 0; i < kGenerator.size(); ++i) digits[shift + i] += choice[shift] * kGenerator[i];
        int sum = 0;
        for (int i = 0; i < kLength; ++i) sum += digits[static_cast<std::size_t>(i)] %= 3;
        digits[kLength] = (3 - sum % 3) % 3;
        TicketMask support = 0;
        for (int i = 0; i <= kLength; ++i)
            if (digits[static_cast<std::size_t>(i)] != 0) support |= TicketMask{1} << i;
        if (std::popcount(support) == kTicketSize && std::find(hexads.begin(), hexads.end(), support) == hexads.end())
            hexads.push_back(support);
    }
    return hexads;
}

CoverConstruction::CoverConstruction(int poolSize, Guarantee guarantee, std::uint64_t seed, std::uint64_t partWork)
    : poolSize_(poolSize), guarantee_(guarantee), seed_(seed), partWork_(partWork) {}

std::unique_ptr<CoverConstruction> CoverConstruction::forPool(int poolSize, Guarantee guarantee, std::uint64_t seed,
                                                              std::uint64_t partWork) {
    std::unique_ptr<CoverConstruction> built(new CoverConstruction(poolSize, guarantee, seed, partWork));
    if (poolSize == kSteinerPool && guarantee == Guarantee{3, 3}) {
        built->tickets_ = steinerSystem3622();
    } else if (poolSize == 12 && guarantee == Guarantee{5, 5}) {
        built->tickets_ = steinerSystem5612();
    } else if (guarantee.match == 2 && guarantee.drawn > 2) {
        // m drawn numbers put two in one of m - 1 parts, as equal as they can be.
        const int parts = guarantee.drawn - 1;
        if (poolSize / parts < kTicketSize) return nullptr;
        for (int part = 0, first = 0; part < parts; ++part) {
            const int size = poolSize / parts + (part < poolSize % parts ? 1 : 0);
            built->parts_.push_back(Part{size, Guarantee{2, 2}, first});
            first += size;
        }
    } else if (guarantee.match == 3 && guarantee.drawn >= 5) {
        // m drawn numbers put three in the first 22 or m - 2 in the rest.
        const Guarantee rest{3, guarantee.drawn - 2};
        if (poolSize - kSteinerPool < kTicketSize || guaranteeFault(poolSize - kSteinerPool, rest)) return nullptr;
        built->tickets_ = steinerSystem3622();
        built->parts_.push_back(Part{poolSize - kSteinerPool, rest, kSteinerPool});
    } else {
        return nullptr;
    }
    return built;
}

bool CoverConstruction::advance(std::uint64_t work) {
    if (ended_) return true;
    if (!parts_.empty()) {
        const Part& part = parts_.front();
        if (!search_) search_ = std::make_unique<CoverSearch>(part.size, part.guarantee, seed_);
        const bool finished = search_->advance(work);
        if (!finished && (search_->workDone() < partWork_ || search_->best().empty())) return false;
        for (TicketMask ticket : search_->best()) tickets_.push_back(ticket << part.first);
        search_.reset();
        parts_.erase(parts_.begin());
        if (!parts_.empty()) return false;
    }
    // A construction counts only once the check has proved it.
    if (uncoveredSubsets(poolSize_, guarantee_, tickets_) == 0) list_ = std::move(tickets_);
    ended_ = true;
    return true;
}

std::optional<std::vector<TicketMask>> constructedList(int poolSize, Guarantee guarantee, std::uint64_t seed,
                                                       std::uint64_t partWork) {
    std::unique_ptr<CoverConstruction> construction = CoverConstruction::forPool(poolSize, guarantee, seed, partWork);
    if (!construction) return std::nullopt;
    while (!construction->advance(20'000)) {
    }
    if (construction->list().empty()) return std::nullopt;
    return construction->list();
}

} // namespace orvane
