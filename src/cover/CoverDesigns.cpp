#include "cover/CoverDesigns.h"

#include "cover/CoverCheck.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <numeric>
#include <utility>

namespace orvane {

namespace {
constexpr int kGolayLength = 23;
// The generator polynomial of the binary Golay code, 1 + x^2 + x^4 + x^5 + x^6 + x^10 + x^11.
constexpr std::uint32_t kGolayGenerator = 0b110001110101;
constexpr int kSteinerPool = 22;
// Below these pools a shrunk design starts the search no better than its own
// greedy list does (measured with cover_bench): from 16 numbers for S(3,6,22),
// and within four numbers of a plane's points (27 for the plane of order 5).
constexpr int kShrunkSteinerFrom = 16;
constexpr int kPlaneShrink = 4;
constexpr int kFive = 5;
// The five and a part of 20 to 22 numbers, whose 3 if 3 list comes from S(3,6,22).
constexpr int kFiveWithLargeFrom = 20;
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
        if (bitCount(support) == kTicketSize && std::find(hexads.begin(), hexads.end(), support) == hexads.end())
            hexads.push_back(support);
    }
    return hexads;
}

std::vector<TicketMask> steinerSystem4511() {
    constexpr int kDropped = 11;
    std::vector<TicketMask> blocks;
    for (TicketMask hexad : steinerSystem5612())
        if (hexad & (TicketMask{1} << kDropped)) blocks.push_back(hexad & ~(TicketMask{1} << kDropped));
    return blocks;
}

namespace {

// The field of q elements for the orders a lotto ticket can use: the
// integers mod q for a prime, and for 4 the polynomials over GF(2) mod
// x^2 + x + 1 (element b1 b0 standing for b1 x + b0).
struct SmallField {
    int q;
    int add(int a, int b) const { return q == 4 ? a ^ b : (a + b) % q; }
    int times(int a, int b) const {
        if (q != 4) return a * b % q;
        static constexpr int kTimes4[4][4] = {{0, 0, 0, 0}, {0, 1, 2, 3}, {0, 2, 3, 1}, {0, 3, 1, 2}};
        return kTimes4[a][b];
    }
};

bool isPlaneOrder(int q) { return q == 2 || q == 3 || q == 4 || q == 5 || q == 7; }

} // namespace

std::vector<TicketMask> projectivePlane(int order) {
    // Points and lines are the nonzero vectors of GF(q)^3 up to a factor,
    // each written with its first nonzero digit 1; a point lies on a line
    // when their dot product is 0.
    if (!isPlaneOrder(order) || order * order + order + 1 > kLargestPool) return {};
    const SmallField field{order};
    std::vector<std::array<int, 3>> points;
    for (int a = 0; a < order; ++a)
        for (int b = 0; b < order; ++b)
            for (int c = 0; c < order; ++c) {
                const int first = a != 0 ? a : b != 0 ? b : c;
                if (first == 1) points.push_back({a, b, c});
            }
    std::vector<TicketMask> lines;
    for (const std::array<int, 3>& line : points) {
        TicketMask onLine = 0;
        for (std::size_t p = 0; p < points.size(); ++p) {
            const int dot = field.add(field.add(field.times(line[0], points[p][0]), field.times(line[1], points[p][1])),
                                      field.times(line[2], points[p][2]));
            if (dot == 0) onLine |= TicketMask{1} << p;
        }
        lines.push_back(onLine);
    }
    return lines;
}

std::vector<TicketMask> projectivePlaneOrder5() { return projectivePlane(5); }

namespace {
// The plane of k-number lines with the fewest points that still holds the
// pool, when the pool is within kPlaneShrink of them: the projective plane of
// order k - 1 or the affine plane of order k.
std::vector<TicketMask> planeFor(int poolSize, int k) {
    const int projectivePoints = (k - 1) * (k - 1) + k;
    const int affinePoints = k * k;
    std::vector<std::pair<int, std::vector<TicketMask>>> planes;
    planes.emplace_back(projectivePoints, projectivePlane(k - 1));
    planes.emplace_back(affinePoints, affinePlane(k));
    std::sort(planes.begin(), planes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [points, lines] : planes)
        if (!lines.empty() && poolSize <= points && poolSize >= points - kPlaneShrink) return std::move(lines);
    return {};
}
} // namespace

std::vector<TicketMask> affinePlane(int order) {
    // The points (x, y) of GF(q)^2, numbered x q + y; the lines y = m x + b
    // for every slope and intercept, and x = c.
    if (!isPlaneOrder(order) || order * order > kLargestPool) return {};
    const SmallField field{order};
    const auto point = [order](int x, int y) { return TicketMask{1} << (x * order + y); };
    std::vector<TicketMask> lines;
    for (int slope = 0; slope < order; ++slope)
        for (int intercept = 0; intercept < order; ++intercept) {
            TicketMask line = 0;
            for (int x = 0; x < order; ++x) line |= point(x, field.add(field.times(slope, x), intercept));
            lines.push_back(line);
        }
    for (int x = 0; x < order; ++x) {
        TicketMask line = 0;
        for (int y = 0; y < order; ++y) line |= point(x, y);
        lines.push_back(line);
    }
    return lines;
}

std::optional<std::vector<TicketMask>> shrunkList(const std::vector<TicketMask>& design, int poolSize,
                                                  Guarantee guarantee) {
    const TicketMask kept = (TicketMask{1} << poolSize) - 1;
    std::vector<TicketMask> tickets;
    std::vector<int> filled; // per ticket: how many of its numbers were replaced
    for (TicketMask ticket : design) {
        TicketMask shrunk = ticket & kept;
        const int replaced = guarantee.ticket - bitCount(shrunk);
        for (int position = 0; bitCount(shrunk) < guarantee.ticket && position < poolSize; ++position)
            shrunk |= TicketMask{1} << position;
        if (std::find(tickets.begin(), tickets.end(), shrunk) != tickets.end()) continue;
        tickets.push_back(shrunk);
        filled.push_back(replaced);
    }
    if (uncoveredSubsets(poolSize, guarantee, tickets) != 0) return std::nullopt;
    // The most refilled tickets are the likeliest to be needed no more: tried first.
    std::vector<std::size_t> order(tickets.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return filled[a] > filled[b]; });
    std::vector<bool> dropped(tickets.size(), false);
    for (std::size_t candidate : order) {
        dropped[candidate] = true;
        std::vector<TicketMask> rest;
        for (std::size_t i = 0; i < tickets.size(); ++i)
            if (!dropped[i]) rest.push_back(tickets[i]);
        if (uncoveredSubsets(poolSize, guarantee, rest) != 0) dropped[candidate] = false;
    }
    std::vector<TicketMask> list;
    for (std::size_t i = 0; i < tickets.size(); ++i)
        if (!dropped[i]) list.push_back(tickets[i]);
    return list;
}

CoverConstruction::CoverConstruction(int poolSize, Guarantee guarantee, std::uint64_t seed, std::uint64_t partWork)
    : poolSize_(poolSize), guarantee_(guarantee), seed_(seed), partWork_(partWork) {}

std::unique_ptr<CoverConstruction> CoverConstruction::forPool(int poolSize, Guarantee guarantee, std::uint64_t seed,
                                                              std::uint64_t partWork) {
    std::unique_ptr<CoverConstruction> built(new CoverConstruction(poolSize, guarantee, seed, partWork));
    const int t = guarantee.match;
    const int m = guarantee.drawn;
    const int k = guarantee.ticket;
    // The designs and the parts of 22 and of five are of six-number tickets;
    // the planes and the pairs' parts serve tickets of any size.
    const std::vector<TicketMask> plane = t == 2 && m == 2 ? planeFor(poolSize, k) : std::vector<TicketMask>{};
    if (guarantee == Guarantee{3, 3} && poolSize >= kShrunkSteinerFrom && poolSize <= kSteinerPool) {
        built->tickets_ = poolSize == kSteinerPool ? steinerSystem3622()
                                                   : shrunkList(steinerSystem3622(), poolSize, guarantee).value();
    } else if (guarantee == Guarantee{5, 5} && poolSize == 12) {
        built->tickets_ = steinerSystem5612();
    } else if (guarantee == Guarantee{4, 4, 5} && poolSize == 11) {
        built->tickets_ = steinerSystem4511();
    } else if (!plane.empty()) {
        const int points = bitCount(std::accumulate(plane.begin(), plane.end(), TicketMask{0}, std::bit_or<>()));
        built->tickets_ = poolSize == points ? plane : shrunkList(plane, poolSize, guarantee).value();
    } else if (t == 2 && m > 2) {
        // m drawn numbers put two in one of m - 1 parts, as equal as they can be.
        const int parts = m - 1;
        if (poolSize / parts < k) return nullptr;
        for (int part = 0, first = 0; part < parts; ++part) {
            const int size = poolSize / parts + (part < poolSize % parts ? 1 : 0);
            built->parts_.push_back(Part{size, Guarantee{2, 2, k}, first});
            first += size;
        }
    } else if (k == kTicketSize && t == 3 && m == 4 && poolSize - kFive >= kFiveWithLargeFrom &&
               poolSize - kFive <= kSteinerPool) {
        // Four drawn numbers put three in the large part or two among the last
        // five, which every ticket of those five and one other then holds with a third.
        const int large = poolSize - kFive;
        const TicketMask five = ((TicketMask{1} << kFive) - 1) << large;
        for (int other = 0; other < large; ++other) built->tickets_.push_back(five | TicketMask{1} << other);
        built->parts_.push_back(Part{large, Guarantee{3, 3}, 0});
    } else if (k == kTicketSize && t == 3 && m >= 5) {
        // m drawn numbers put three in the first 22 or m - 2 in the rest.
        const Guarantee rest{3, m - 2};
        if (poolSize - kSteinerPool < kTicketSize || guaranteeFault(poolSize - kSteinerPool, rest)) return nullptr;
        built->tickets_ = steinerSystem3622();
        built->parts_.push_back(Part{poolSize - kSteinerPool, rest, kSteinerPool});
    } else {
        return nullptr;
    }
    return built;
}

void CoverConstruction::takePartList(const Part& part, const std::vector<TicketMask>& partList) {
    for (TicketMask ticket : partList) tickets_.push_back(ticket << part.first);
}

bool CoverConstruction::advance(std::uint64_t work) {
    if (ended_) return true;
    if (!parts_.empty()) {
        const Part& part = parts_.front();
        if (!search_) {
            // The part's own construction, where one applies, is where its search starts.
            if (!partConstruction_) partConstruction_ = forPool(part.size, part.guarantee, seed_, partWork_);
            if (partConstruction_ && !partConstruction_->advance(work)) return false;
            search_ = std::make_unique<CoverSearch>(part.size, part.guarantee, seed_);
            if (partConstruction_ && !partConstruction_->list().empty()) search_->startFrom(partConstruction_->list());
            partConstruction_.reset();
            return false;
        }
        const bool finished = search_->advance(work);
        if (!finished && (search_->workDone() < partWork_ || search_->best().empty())) return false;
        takePartList(part, search_->best());
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
    while (!construction->advance(20'000)) {}
    if (construction->list().empty()) return std::nullopt;
    return construction->list();
}

} // namespace orvane
