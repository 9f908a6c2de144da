#include "backtest/SetSample.h"

#include <cmath>
#include <limits>

namespace orvane {

SetSample::SetSample(std::size_t capacity, std::uint64_t seed) : capacity_(capacity), random_(seed) {
    next_ = capacity_;
    if (capacity_ == 0) {
        next_ = std::numeric_limits<std::uint64_t>::max();
        return;
    }
    // Li's algorithm L: the gaps between taken sets follow from one weight.
    w_ = std::exp(std::log(uniform()) / static_cast<double>(capacity_));
    next_ -= 1;
    skipAhead();
}

double SetSample::uniform() {
    // 53 random bits, centred so neither 0 nor 1 comes out.
    return (static_cast<double>(random_() >> 11) + 0.5) * 0x1p-53;
}

std::size_t SetSample::slot() {
    return static_cast<std::size_t>(uniform() * static_cast<double>(capacity_)) % capacity_;
}

// Moves next_ to the next set taken and draws the weight for the one after.
void SetSample::skipAhead() {
    const double gap = std::floor(std::log(uniform()) / std::log1p(-w_));
    if (!(gap < 1e18)) {
        next_ = std::numeric_limits<std::uint64_t>::max();
        return;
    }
    next_ += static_cast<std::uint64_t>(gap) + 1;
    w_ *= std::exp(std::log(uniform()) / static_cast<double>(capacity_));
}

} // namespace orvane
