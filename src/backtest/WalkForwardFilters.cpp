#include "backtest/WalkForwardFilters.h"

#include "core/Binomial.h"
#include "core/Combination.h"
#include "core/NumberText.h"
#include "wheel/FilterSteps.h"
#include "wheel/RunPreparation.h"

#include <algorithm>
#include <bit>

namespace orvane {

namespace {

constexpr int kNumbersPerSet = 6;
constexpr int kHighestNumber = 49;
constexpr std::size_t kSignatureDraws = 25;
constexpr std::size_t kSumDraws = 15;

std::uint64_t bitOf(int n) { return n >= 1 && n <= kHighestNumber ? std::uint64_t{1} << n : 0; }

std::uint64_t maskOfSample(const SampledSet& set) {
    std::uint64_t mask = 0;
    for (std::uint8_t n : set.numbers) mask |= bitOf(n);
    return mask;
}

// What each number of a set counts towards the two totals the last draw sets,
// as the run's last-draw step weighs it: the shadow counts each of the draw's
// six numbers, the last-draw total each of its three pairs a number belongs to.
int shadowTotal(std::uint64_t set, const Combination& last) {
    int total = 0;
    for (int n : last) total += (set & bitOf(n)) != 0;
    return total;
}
int lastDrawTotal(std::uint64_t set, const Combination& last) {
    int total = 0;
    for (int k = 0; k < kNumbersPerSet; k += 2) total += countOf(set & (bitOf(last[k]) | bitOf(last[k + 1])));
    return total;
}

} // namespace

WalkForwardFilters::WalkForwardFilters(const FilterControls& c, const std::vector<DrawRecord>& draws,
                                       const std::vector<int>& pick)
    : draws_(draws), pick_(pick), total_(setsInPick(static_cast<int>(pick.size()))),
      shadowLimit_(numberInBox(c.lastDrawNumMaxPos)), lastDrawLimit_(numberInBox(c.lastDrawNumMax)) {
    for (int n : pick_) pickMask_ |= bitOf(n);
    signaturesBefore_.assign(draws.size() + 1, 0);
    for (std::size_t i = 0; i < draws.size(); ++i) {
        int sum = 0;
        for (int n : draws[i].numbers) sum += n;
        sums_.push_back(sum);
    }
    for (std::size_t i = 1; i <= draws.size(); ++i)
        for (std::size_t j = i > kSignatureDraws ? i - kSignatureDraws : 0; j < i; ++j)
            signaturesBefore_[i] |= std::uint64_t{1} << evensSignature(draws[j].numbers);

    // The sets of the pick by sum and by evens signature, counted number by
    // number in ascending order: the c-th number taken stands at position c.
    std::vector<std::array<std::uint64_t, kNumbersPerSet * kHighestNumber + 1>> bySum(kNumbersPerSet + 1);
    std::array<std::array<std::uint64_t, 64>, kNumbersPerSet + 1> bySignature{};
    bySum[0][0] = 1;
    bySignature[0][0] = 1;
    for (int n : pick_) {
        for (int taken = kNumbersPerSet - 1; taken >= 0; --taken) {
            const auto t = static_cast<std::size_t>(taken);
            for (std::size_t sum = 0; sum + static_cast<std::size_t>(n) < bySum[t].size(); ++sum)
                bySum[t + 1][sum + static_cast<std::size_t>(n)] += bySum[t][sum];
            const unsigned even = n % 2 == 0 ? 1u << taken : 0u;
            for (unsigned signature = 0; signature < 64; ++signature)
                bySignature[t + 1][signature | even] += bySignature[t][signature];
        }
    }
    setsBySum_.assign(bySum[kNumbersPerSet].begin(), bySum[kNumbersPerSet].end());
    setsBySignature_ = bySignature[kNumbersPerSet];
}

std::uint32_t WalkForwardFilters::historyBits(const std::vector<BacktestFilter>& active) {
    std::uint32_t bits = 0;
    for (BacktestFilter filter : active)
        if (backtestFilterInfo(filter).historyNeeded > 0) bits |= 1u << static_cast<int>(filter);
    return bits;
}

std::uint32_t WalkForwardFilters::failing(const SampledSet& set, std::size_t i, std::uint32_t which) const {
    const auto has = [which](BacktestFilter filter) { return (which >> static_cast<int>(filter) & 1) != 0; };
    std::uint32_t failing = 0;
    const auto fail = [&failing](BacktestFilter filter) { failing |= 1u << static_cast<int>(filter); };
    if (has(BacktestFilter::AgainstHistory) && set.firstRejecting < i) fail(BacktestFilter::AgainstHistory);
    if (has(BacktestFilter::Shadow) || has(BacktestFilter::LastDraw)) {
        const std::uint64_t mask = maskOfSample(set);
        const Combination& last = draws_[i - 1].numbers;
        if (has(BacktestFilter::Shadow) && shadowTotal(mask, last) > shadowLimit_) fail(BacktestFilter::Shadow);
        if (has(BacktestFilter::LastDraw) && lastDrawTotal(mask, last) > lastDrawLimit_) fail(BacktestFilter::LastDraw);
    }
    if (has(BacktestFilter::LastFifteenSums)) {
        int sum = 0;
        for (std::uint8_t n : set.numbers) sum += n;
        for (std::size_t j = i > kSumDraws ? i - kSumDraws : 0; j < i; ++j)
            if (sums_[j] == sum) {
                fail(BacktestFilter::LastFifteenSums);
                break;
            }
    }
    if (has(BacktestFilter::EvensSignatures)) {
        Combination numbers{};
        for (int k = 0; k < kNumbersPerSet; ++k) numbers[k] = set.numbers[k];
        if ((signaturesBefore_[i] >> evensSignature(numbers) & 1) != 0) fail(BacktestFilter::EvensSignatures);
    }
    return failing;
}

std::uint64_t WalkForwardFilters::keptAt(BacktestFilter filter, std::size_t i) const {
    switch (filter) {
    case BacktestFilter::Shadow: return keptNearLastDraw(i, true);
    case BacktestFilter::LastDraw: return keptNearLastDraw(i, false);
    case BacktestFilter::LastFifteenSums: {
        std::array<int, kSumDraws> seen{};
        std::size_t seenCount = 0;
        std::uint64_t rejected = 0;
        for (std::size_t j = i > kSumDraws ? i - kSumDraws : 0; j < i; ++j) {
            const int sum = sums_[j];
            if (sum < 0 || static_cast<std::size_t>(sum) >= setsBySum_.size()) continue;
            if (std::find(seen.begin(), seen.begin() + static_cast<long>(seenCount), sum) !=
                seen.begin() + static_cast<long>(seenCount))
                continue;
            seen[seenCount++] = sum;
            rejected += setsBySum_[static_cast<std::size_t>(sum)];
        }
        return total_ - rejected;
    }
    case BacktestFilter::EvensSignatures: {
        std::uint64_t rejected = 0;
        for (std::uint64_t rest = signaturesBefore_[i]; rest != 0; rest &= rest - 1)
            rejected += setsBySignature_[static_cast<std::size_t>(std::countr_zero(rest))];
        return total_ - rejected;
    }
    default: return total_;
    }
}

// The sets of the pick whose total towards the last draw stays within the
// limit: the pick's numbers the last draw weighs are few, so the sets are
// counted by how many of those they hold and their total, the other numbers
// of the set chosen freely from the rest of the pick.
std::uint64_t WalkForwardFilters::keptNearLastDraw(std::size_t i, bool shadow) const {
    const Combination& last = draws_[i - 1].numbers;
    const double limit = shadow ? shadowLimit_ : lastDrawLimit_;
    std::uint64_t seen = 0;
    std::vector<int> weights; // of the pick's numbers in the last draw
    for (int n : last) {
        const std::uint64_t bit = bitOf(n);
        if ((pickMask_ & bit) == 0 || (seen & bit) != 0) continue;
        seen |= bit;
        weights.push_back(shadow ? shadowTotal(bit, last) : lastDrawTotal(bit, last));
    }
    const int others = static_cast<int>(pick_.size() - weights.size());
    if (std::all_of(weights.begin(), weights.end(), [](int weight) { return weight == 1; })) {
        // Each number of the last draw counts 1: the sets holding at most the limit of them.
        const int drawn = static_cast<int>(weights.size());
        std::uint64_t kept = 0;
        for (int held = 0; held <= drawn && static_cast<double>(held) <= limit; ++held)
            kept += binomial(drawn, held) * binomial(others, kNumbersPerSet - held);
        return kept;
    }
    constexpr int kMostTotal = kNumbersPerSet * kNumbersPerSet;
    std::array<std::array<std::uint64_t, kMostTotal + 1>, kNumbersPerSet + 1> ways{};
    ways[0][0] = 1;
    for (int weight : weights) {
        for (int taken = kNumbersPerSet - 1; taken >= 0; --taken)
            for (int t = kMostTotal - weight; t >= 0; --t) ways[taken + 1][t + weight] += ways[taken][t];
    }
    std::uint64_t kept = 0;
    for (int taken = 0; taken <= kNumbersPerSet; ++taken)
        for (int t = 0; t <= kMostTotal; ++t)
            if (t <= limit) kept += ways[taken][t] * binomial(others, kNumbersPerSet - taken);
    return kept;
}

} // namespace orvane
