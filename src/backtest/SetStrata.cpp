#include "backtest/SetStrata.h"

#include "wheel/FilterSteps.h"

#include <array>
#include <bit>

namespace orvane {

namespace {
// Any fixed number: the samples must come out the same on every run.
constexpr std::uint64_t kSampleSeed = 0x6a09e667f3bcc909ull;

int nthNumber(std::uint64_t numbers, std::uint64_t n) {
    for (; n > 0; --n) numbers &= numbers - 1;
    return std::countr_zero(numbers);
}
} // namespace

SetStrata::SetStrata(std::size_t strata, const FirstRejectingDraw* againstHistory, std::size_t sampleSize)
    : againstHistory_(againstHistory), strata_(strata) {
    const std::size_t draws = againstHistory ? againstHistory->never() + std::size_t{1} : 0;
    all_.assign(draws, 0);
    for (std::size_t s = 0; s < strata; ++s) {
        strata_[s].byFirstRejecting.assign(draws, 0);
        if (sampleSize > 0) strata_[s].sample.emplace(sampleSize, kSampleSeed + s);
    }
}

void SetStrata::addBlock(const int (&firstFive)[5], std::uint64_t lasts, const std::uint64_t* members) {
    std::array<std::uint32_t, 64> first{}; // by last number: its set's first rejecting draw
    if (againstHistory_) {
        const FirstRejectingDraw::Block block(*againstHistory_, firstFive);
        for (std::uint64_t rest = lasts; rest != 0; rest &= rest - 1) {
            const int last = std::countr_zero(rest);
            first[static_cast<std::size_t>(last)] = block.with(last);
            ++all_[first[static_cast<std::size_t>(last)]];
        }
    }
    for (std::size_t s = 0; s < strata_.size(); ++s) {
        Stratum& stratum = strata_[s];
        const std::uint64_t held = members[s];
        if (held == 0) continue;
        const auto count = static_cast<std::uint64_t>(countOf(held));
        stratum.size += count;
        if (againstHistory_)
            for (std::uint64_t rest = held; rest != 0; rest &= rest - 1)
                ++stratum.byFirstRejecting[first[static_cast<std::size_t>(std::countr_zero(rest))]];
        if (stratum.sample)
            stratum.sample->offer(count, [&](std::uint64_t j) {
                const int last = nthNumber(held, j);
                SampledSet set;
                for (int k = 0; k < 5; ++k)
                    set.numbers[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(firstFive[k]);
                set.numbers[5] = static_cast<std::uint8_t>(last);
                set.firstRejecting = againstHistory_ ? first[static_cast<std::size_t>(last)] : ~std::uint32_t{0};
                return set;
            });
    }
}

} // namespace orvane
