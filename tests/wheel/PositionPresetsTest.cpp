// The positional presets for any game: 6/49 keeps its measured tables; any
// other game's ranges follow from the i-th smallest number of every set,
// here counted set by set.
#include "wheel/PositionPresets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace orvane;

namespace {

// Every k-set of 1..N counted by its i-th smallest number: counts[i][x].
std::vector<std::vector<std::uint64_t>> positionCounts(int highest, int perTicket) {
    std::vector<std::vector<std::uint64_t>> counts(static_cast<std::size_t>(perTicket),
                                                   std::vector<std::uint64_t>(static_cast<std::size_t>(highest) + 1));
    std::vector<int> set(static_cast<std::size_t>(perTicket));
    const auto walk = [&](auto&& self, int from, int taken) -> void {
        if (taken == perTicket) {
            for (std::size_t i = 0; i < set.size(); ++i) ++counts[i][static_cast<std::size_t>(set[i])];
            return;
        }
        for (int n = from; n <= highest; ++n) {
            set[static_cast<std::size_t>(taken)] = n;
            self(self, n + 1, taken + 1);
        }
    };
    walk(walk, 1, 0);
    return counts;
}

// The values held by the most sets, taken until they hold `share` of them all,
// as the range from the least to the greatest of them.
PositionRange likeliest(const std::vector<std::uint64_t>& byValue, double share, double all) {
    std::vector<std::pair<std::uint64_t, int>> values;
    for (std::size_t x = 1; x < byValue.size(); ++x)
        if (byValue[x] > 0) values.emplace_back(byValue[x], static_cast<int>(x));
    std::stable_sort(values.begin(), values.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    PositionRange range{static_cast<int>(byValue.size()), 0};
    double held = 0;
    for (const auto& [count, x] : values) {
        range.low = std::min(range.low, x);
        range.high = std::max(range.high, x);
        held += static_cast<double>(count);
        if (held >= share * all) break;
    }
    // The values taken form one range: every value inside it is held by at least as many sets as its ends.
    for (int x = range.low; x <= range.high; ++x)
        EXPECT_GE(byValue[static_cast<std::size_t>(x)], std::min(byValue[static_cast<std::size_t>(range.low)],
                                                                 byValue[static_cast<std::size_t>(range.high)]));
    return range;
}

} // namespace

TEST(PositionPresets, SixFortyNineKeepsItsMeasuredTables) {
    const Game game = Game::lotto649();
    EXPECT_EQ(presetRanges(game, PositionPreset::Percent98),
              (std::vector<PositionRange>{{1, 30}, {3, 38}, {5, 44}, {7, 46}, {15, 48}, {23, 49}}));
    EXPECT_EQ(presetRanges(game, PositionPreset::Percent50).back(), (PositionRange{38, 49}));
    EXPECT_EQ(positionBounds(game), (std::vector<PositionRange>{{1, 44}, {2, 45}, {3, 46}, {4, 47}, {5, 48}, {6, 49}}));
}

TEST(PositionPresets, OtherGamesFollowTheDistributionOfEachPosition) {
    for (const char* matrix : {"5/39", "6/30", "7/35", "4/20"}) {
        const Game game = *gameFromMatrix(matrix);
        const auto counts = positionCounts(game.highest(), game.perTicket());
        const auto all = static_cast<double>(game.setsOfPick(game.highest()));
        for (PositionPreset preset : {PositionPreset::Percent99, PositionPreset::Percent98, PositionPreset::Percent90,
                                      PositionPreset::Percent50}) {
            const std::vector<PositionRange> ranges = presetRanges(game, preset);
            ASSERT_EQ(ranges.size(), static_cast<std::size_t>(game.perTicket()));
            for (std::size_t i = 0; i < ranges.size(); ++i)
                EXPECT_EQ(ranges[i], likeliest(counts[i], presetShare(preset), all))
                    << matrix << " position " << game.positionLetter(static_cast<int>(i)) << " at "
                    << presetShare(preset);
        }
    }
    const Game uk = *gameFromMatrix("6/59");
    EXPECT_EQ(positionBounds(uk).front(), (PositionRange{1, 54}));
    EXPECT_EQ(positionBounds(uk).back(), (PositionRange{6, 59}));
    // As in the 6/49 tables, A starts at 1 and the last position ends at N.
    const std::vector<PositionRange> half = presetRanges(*gameFromMatrix("5/39"), PositionPreset::Percent50);
    EXPECT_EQ(half.front().low, 1);
    EXPECT_EQ(half.back().high, 39);
    // P(A <= 5) = 1 - C(34,5)/C(39,5) = 51.7%, P(A <= 4) = 43.6%: the half of 5/39 sets with the smallest A.
    EXPECT_EQ(half.front().high, 5);
}
