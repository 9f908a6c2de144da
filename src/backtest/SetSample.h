#pragma once

#include "backtest/WalkForwardFilters.h"

#include <cstdint>
#include <random>
#include <vector>

namespace orvane {

// A fixed random sample of the sets offered, every set equally likely to be in
// it (reservoir sampling with skips, so a set passed over costs nothing). The
// same seed and the same sets in the same order give the same sample.
class SetSample {
public:
    SetSample(std::size_t capacity, std::uint64_t seed);

    // Offers the next `count` sets; `set(j)` makes the j-th of them (from 0)
    // and is called only for the ones taken.
    template <typename MakeSet> void offer(std::uint64_t count, MakeSet set) {
        std::uint64_t j = 0;
        for (; j < count && sets_.size() < capacity_; ++j) sets_.push_back(set(j));
        while (next_ < seen_ + count) {
            sets_[slot()] = set(next_ - seen_);
            skipAhead();
        }
        seen_ += count;
    }

    const std::vector<SampledSet>& sets() const { return sets_; }
    // Sets offered; the sample holds them all while this is at most the capacity.
    std::uint64_t seen() const { return seen_; }

private:
    double uniform(); // in (0, 1)
    std::size_t slot();
    void skipAhead();

    std::size_t capacity_;
    std::mt19937_64 random_;
    std::vector<SampledSet> sets_;
    std::uint64_t seen_ = 0;
    std::uint64_t next_ = 0; // the index of the next set to take once the sample is full
    double w_ = 0;
};

} // namespace orvane
