#include "tally/HitWalk.h"

#include "core/Binomial.h"

namespace orvane {

namespace {

// Passes run over blocks of this many lines.
constexpr std::size_t kBlock = 32;

} // namespace

HitWalk::HitWalk(const std::vector<GameLine>& lines, std::vector<int> numbers, int size)
    : numbers_(std::move(numbers)), size_(static_cast<std::size_t>(size)) {
    stride_ = (lines.size() + kBlock - 1) / kBlock * kBlock;
    if (stride_ == 0) stride_ = kBlock;
    members_.assign(numbers_.size() * stride_, 0);
    for (std::size_t n = 0; n < numbers_.size(); ++n)
        for (std::size_t i = 0; i < lines.size(); ++i)
            members_[n * stride_ + i] = lines[i].numbers.has(numbers_[n]) ? 1 : 0;
    levels_.assign((size_ + 1) * stride_, 0);
    index_.assign(size_, 0);
    sets_ = binomial(static_cast<int>(numbers_.size()), size);
    ended_ = size_ == 0 || numbers_.size() < size_;
    if (ended_) return;
    depth_ = size_ > static_cast<std::size_t>(kUnitDepth) ? size_ - kUnitDepth : 0;
    // The first unit's prefix: the first numbers of the list.
    for (std::size_t d = 0; d < depth_; ++d) {
        index_[d] = d;
        chosen_.push_back(numbers_[d]);
        addTo(d, d);
    }
}

bool HitWalk::nextPrefix() {
    if (depth_ == 0) return false;
    // The rightmost place that can still move up, leaving room for the places after it.
    std::size_t place = depth_;
    do {
        if (place == 0) return false;
        --place;
    } while (index_[place] >= numbers_.size() - (size_ - place));
    chosen_.resize(place);
    for (std::size_t d = place; d < depth_; ++d) {
        index_[d] = d == place ? index_[d] + 1 : index_[d - 1] + 1;
        chosen_.push_back(numbers_[index_[d]]);
        addTo(d, index_[d]);
    }
    return true;
}

} // namespace orvane
