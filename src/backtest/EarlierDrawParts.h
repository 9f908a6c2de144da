#pragma once

#include <cstdint>
#include <vector>

namespace orvane {

// The filter against history walked forward through the draws: a draw fails
// when it shares more numbers than the limit with a draw before it, that is,
// when it holds a "part" (limit + 1 numbers) of an earlier draw. The parts of
// the draws added so far are marked in a table with one bit for every part
// size's possible number sets, so judging a draw costs a few look-ups however
// many draws came before it, and the table never grows past 1.7 MB.
class EarlierDrawParts {
public:
    // A limit below 0 counts as 0; from 6 up no draw can fail.
    explicit EarlierDrawParts(long long limit);

    // Whether the draw (bit n: number n) holds a part of a draw added before.
    bool sharesTooMany(std::uint64_t draw) const;
    // Adds the draw's parts for the draws after it.
    void add(std::uint64_t draw);

private:
    template <typename Visit>
    void forEachPart(std::uint64_t draw, Visit visit) const;

    int partSize_;
    std::vector<std::uint64_t> marked_; // bit r: the part of rank r was seen
};

} // namespace orvane
