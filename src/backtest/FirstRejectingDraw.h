#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace orvane {

// The filter against history for every set at once. A set is rejected from
// the first draw that shares more numbers than the limit with it on, that is,
// the first draw holding one of its "parts" (limit + 1 of its numbers). The
// table holds, for every part, the first draw that holds it, so the first
// rejecting draw of any set is the least of a few look-ups, and draw i fails
// walked forward exactly when its own first rejecting draw comes before it.
class FirstRejectingDraw {
public:
    // `draws`: bit n for number n, oldest first. A limit below 0 counts as 0;
    // from 6 up no set is ever rejected.
    FirstRejectingDraw(long long limit, const std::vector<std::uint64_t>& draws);

    // The index of the first draw that rejects the set; never() when none does.
    std::uint32_t of(std::uint64_t set) const;
    std::uint32_t never() const { return never_; }
    int partSize() const { return partSize_; }

    // For the sets that share their first five numbers: the least over the
    // parts of those five, and the ranks of the parts that lack only the sixth.
    class Block {
    public:
        Block(const FirstRejectingDraw& table, const int (&firstFive)[5]);
        // The first rejecting draw of the five with `last` (above all five) added.
        std::uint32_t with(int last) const;

    private:
        const FirstRejectingDraw& table_;
        std::uint32_t ofFive_;
        std::uint32_t ranks_[10]; // parts of partSize - 1 of the five numbers
        int count_ = 0;
    };

private:
    std::uint32_t firstHolding(std::uint32_t rank) const {
        return partSize_ < 6 ? first_[rank] : firstOfWholeDraw(rank);
    }
    std::uint32_t firstOfWholeDraw(std::uint32_t rank) const;

    int partSize_;
    std::uint32_t never_;
    // Parts of up to five numbers: a table by rank. Whole draws (a limit of 5):
    // one bit by rank, and the first index of each distinct draw.
    std::vector<std::uint32_t> first_;
    std::vector<std::uint64_t> drawn_;
    std::unordered_map<std::uint32_t, std::uint32_t> firstOfDraw_;
};

} // namespace orvane
