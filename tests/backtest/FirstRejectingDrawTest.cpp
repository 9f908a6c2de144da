#include "backtest/FirstRejectingDraw.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <vector>

using namespace orvane;

namespace {

std::uint64_t randomDraw(std::mt19937& random) {
    std::uniform_int_distribution<int> number(1, 49);
    std::uint64_t draw = 0;
    while (std::popcount(draw) < 6) draw |= std::uint64_t{1} << number(random);
    return draw;
}

} // namespace

// The walked-forward verdicts (a draw fails when its own first rejecting draw
// comes before it) agree with comparing each draw to every earlier one, for
// every limit, on draws that share much (numbers from a narrow range now and
// then) and little.
TEST(FirstRejectingDraw, DrawVerdictsAgreeWithComparingEveryEarlierDraw) {
    std::mt19937 random(5);
    std::vector<std::uint64_t> draws;
    for (int i = 0; i < 400; ++i) draws.push_back(i % 3 == 0 ? randomDraw(random) & 0x3FFFFFull : randomDraw(random));
    draws.push_back((std::uint64_t{1} << 1) | (std::uint64_t{1} << 49)); // the lowest and highest numbers
    draws.push_back((std::uint64_t{1} << 1) | (std::uint64_t{1} << 49));
    for (long long limit = -1; limit <= 7; ++limit) {
        const FirstRejectingDraw first(limit, draws);
        const int most = static_cast<int>(std::max(0LL, limit));
        int failed = 0;
        for (std::size_t i = 0; i < draws.size(); ++i) {
            bool expected = false;
            for (std::size_t j = 0; j < i && !expected; ++j) expected = std::popcount(draws[i] & draws[j]) > most;
            ASSERT_EQ(first.of(draws[i]) < i, expected) << "limit " << limit << ", draw " << i;
            failed += expected;
        }
        if (limit >= 6) {
            EXPECT_EQ(failed, 0);
        } else if (limit <= 2) {
            EXPECT_GT(failed, 0) << "limit " << limit;
        }
    }
}
