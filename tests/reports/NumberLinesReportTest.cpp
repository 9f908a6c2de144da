#include "reports/NumberLinesReport.h"

#include "core/Combination.h"

#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace orvane;

namespace {

// The block of (position 0..5, number 1..49): its 50 lines, blank line first.
std::vector<std::string> blockOf(const std::vector<std::string>& lines, int position, int number) {
    const std::size_t first = (static_cast<std::size_t>(position) * 49 + static_cast<std::size_t>(number - 1)) * 50;
    return {lines.begin() + static_cast<std::ptrdiff_t>(first),
            lines.begin() + static_cast<std::ptrdiff_t>(first + 50)};
}

const std::vector<Combination> kThreeDraws{{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}, {13, 14, 15, 16, 17, 18}};

// The count of every (position, number, follower) by a plain walk over all
// neighbouring draws, the newest included.
std::uint64_t followersByDefinition(const std::vector<Combination>& draws, int position, int number, int follower) {
    std::uint64_t count = 0;
    const auto p = static_cast<std::size_t>(position);
    for (std::size_t i = 1; i < draws.size(); ++i)
        if (draws[i - 1][p] == number && draws[i][p] == follower) ++count;
    return count;
}

// Each position's counts added up.
std::uint64_t positionTotal(const NumberLineCounts& counts, int position) {
    std::uint64_t total = 0;
    for (int n = 1; n <= 49; ++n)
        for (int m = 1; m <= 49; ++m) total += counts.count(position, n, m);
    return total;
}

std::vector<Combination> randomDraws(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<Combination> draws;
    for (std::size_t k = 0; k < count; ++k) {
        std::vector<int> numbers(49);
        for (int n = 0; n < 49; ++n) numbers[static_cast<std::size_t>(n)] = n + 1;
        std::shuffle(numbers.begin(), numbers.end(), random);
        Combination draw{};
        std::copy_n(numbers.begin(), 6, draw.begin());
        std::sort(draw.begin(), draw.end());
        draws.push_back(draw);
    }
    return draws;
}

} // namespace

// The layout: 294 blocks of 50 lines, CR LF everywhere, the order of blocks and lines.

TEST(NumberLinesLayout, HoldsFourteenThousandSevenHundredLinesEachEndingInCrLf) {
    const std::string text = numberLinesReport(kThreeDraws).text;
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const auto lines = linesOf(text);
    EXPECT_EQ(lines.size(), 14'700u);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find('\r'), std::string::npos);
        EXPECT_EQ(line.find('\n'), std::string::npos);
    }
}

TEST(NumberLinesLayout, BlocksRunFromA1ToF49WithEveryFollowerFrom1To49) {
    const auto lines = linesOf(numberLinesReport({}).text);
    ASSERT_EQ(lines.size(), 14'700u);
    const std::string letters = "ABCDEF";
    for (int p = 0; p < 6; ++p) {
        for (int n = 1; n <= 49; ++n) {
            const auto block = blockOf(lines, p, n);
            EXPECT_EQ(block[0], "      ");
            for (int m = 1; m <= 49; ++m)
                ASSERT_EQ(block[static_cast<std::size_t>(m)], std::to_string(m) + " followed the number " +
                                                                  std::to_string(n) + "  0 times in Position " +
                                                                  letters[static_cast<std::size_t>(p)]);
        }
    }
}

TEST(NumberLinesLayout, ReplacesTheTextArea) { EXPECT_TRUE(numberLinesReport(kThreeDraws).replacesText); }

// The example of three draws: both transitions count, the newest draw's too.

TEST(NumberLinesExample, ThreeDrawsGiveTheGoldenBlockForPositionANumber1) {
    const auto lines = linesOf(numberLinesReport(kThreeDraws).text);
    ASSERT_EQ(lines.size(), 14'700u);
    std::string golden = "      \r\n";
    for (int m = 1; m <= 49; ++m)
        golden += std::to_string(m) + " followed the number 1  " + (m == 7 ? "1" : "0") + " times in Position A\r\n";
    std::string block;
    for (const std::string& line : blockOf(lines, 0, 1)) block += line + "\r\n";
    EXPECT_EQ(block, golden);
    EXPECT_EQ(lines[7], "7 followed the number 1  1 times in Position A");
}

TEST(NumberLinesExample, ThreeDrawsCountBothTransitionsAtEveryPosition) {
    const NumberLineCounts counts = countNumberLines(kThreeDraws);
    for (int p = 0; p < 6; ++p) {
        EXPECT_EQ(positionTotal(counts, p), 2u) << "position " << p; // three draws, two transitions
        EXPECT_EQ(counts.count(p, 1 + p, 7 + p), 1u) << "position " << p;
        // The newest draw follows the one before it.
        EXPECT_EQ(counts.count(p, 7 + p, 13 + p), 1u) << "position " << p;
        // Nothing follows the newest draw.
        for (int m = 1; m <= 49; ++m) ASSERT_EQ(counts.count(p, 13 + p, m), 0u) << "position " << p;
    }
    const auto lines = linesOf(numberLinesReport(kThreeDraws).text);
    EXPECT_EQ(blockOf(lines, 1, 2)[8], "8 followed the number 2  1 times in Position B");
    EXPECT_EQ(blockOf(lines, 5, 6)[12], "12 followed the number 6  1 times in Position F");
    EXPECT_EQ(blockOf(lines, 0, 7)[13], "13 followed the number 7  1 times in Position A");
    EXPECT_EQ(blockOf(lines, 5, 12)[18], "18 followed the number 12  1 times in Position F");
}

// Short histories: no draw or one draw counts nothing; two draws count their one transition.

TEST(NumberLinesShortHistory, NoDrawOrOneDrawGivesOnlyZeroCounts) {
    const std::string zero = numberLinesReport({}).text;
    const std::vector<Combination> one{kThreeDraws.front()};
    EXPECT_EQ(numberLinesReport(one).text, zero);
    EXPECT_EQ(zero.find(" 1 times"), std::string::npos);
}

TEST(NumberLinesShortHistory, TwoDrawsCountTheirOneTransition) {
    const std::vector<Combination> two(kThreeDraws.begin(), kThreeDraws.begin() + 2);
    const NumberLineCounts counts = countNumberLines(two);
    for (int p = 0; p < 6; ++p) {
        EXPECT_EQ(positionTotal(counts, p), 1u) << "position " << p;
        EXPECT_EQ(counts.count(p, 1 + p, 7 + p), 1u) << "position " << p;
    }
    const auto lines = linesOf(numberLinesReport(two).text);
    EXPECT_EQ(blockOf(lines, 0, 1)[7], "7 followed the number 1  1 times in Position A");
}

TEST(NumberLinesShortHistory, TheNewestDrawIsAFollowerInALongerHistory) {
    std::vector<Combination> draws = kThreeDraws;
    draws.push_back({19, 20, 21, 22, 23, 24});
    const NumberLineCounts counts = countNumberLines(draws);
    EXPECT_EQ(counts.count(0, 1, 7), 1u);
    EXPECT_EQ(counts.count(0, 7, 13), 1u);
    EXPECT_EQ(counts.count(0, 13, 19), 1u);
    EXPECT_EQ(counts.count(5, 18, 24), 1u);
}

// Counting: the counts follow the definition on any history, and repeats add up.

TEST(NumberLinesCounting, RepeatedPairsAddUp) {
    const std::vector<Combination> draws{{5, 10, 15, 20, 25, 30},
                                         {5, 11, 15, 21, 26, 31},
                                         {5, 10, 15, 20, 25, 30},
                                         {5, 11, 15, 21, 26, 31},
                                         {1, 2, 3, 4, 5, 6}};
    const NumberLineCounts counts = countNumberLines(draws);
    EXPECT_EQ(counts.count(0, 5, 5), 3u); // pairs (1,2), (2,3), (3,4)
    EXPECT_EQ(counts.count(1, 10, 11), 2u);
    EXPECT_EQ(counts.count(1, 11, 10), 1u);
    EXPECT_EQ(counts.count(0, 5, 1), 1u); // (4,5), the newest transition
    const auto lines = linesOf(numberLinesReport(draws).text);
    EXPECT_EQ(blockOf(lines, 0, 5)[5], "5 followed the number 5  3 times in Position A");
    EXPECT_EQ(blockOf(lines, 1, 10)[11], "11 followed the number 10  2 times in Position B");
}

TEST(NumberLinesCounting, CountsMatchAPlainCountOverASmallHistory) {
    for (const std::size_t size : {std::size_t{5}, std::size_t{40}}) {
        const auto draws = randomDraws(size, 20261208);
        const NumberLineCounts counts = countNumberLines(draws);
        for (int p = 0; p < 6; ++p) {
            EXPECT_EQ(positionTotal(counts, p), size - 1) << "position " << p << ", " << size << " draws";
            for (int n = 1; n <= 49; ++n)
                for (int m = 1; m <= 49; ++m)
                    ASSERT_EQ(counts.count(p, n, m), followersByDefinition(draws, p, n, m))
                        << p << ' ' << n << ' ' << m;
        }
    }
}

TEST(NumberLinesCounting, OutOfRangeArgumentsNeitherCountNorReadOutsideTheTable) {
    NumberLineCounts counts;
    counts.add(6, 1, 1);
    counts.add(-1, 1, 1);
    counts.add(0, 0, 1);
    counts.add(0, 50, 1);
    counts.add(0, 1, 0);
    counts.add(0, 1, 50);
    for (int p = 0; p < 6; ++p)
        for (int n = 1; n <= 49; ++n)
            for (int m = 1; m <= 49; ++m) ASSERT_EQ(counts.count(p, n, m), 0u);
    EXPECT_EQ(counts.count(6, 1, 1), 0u);
    EXPECT_EQ(counts.count(0, 50, 1), 0u);
    EXPECT_EQ(counts.count(0, 1, -3), 0u);
}

TEST(NumberLinesCounting, RunningTwiceGivesTheSameText) {
    const auto draws = randomDraws(50, 7);
    EXPECT_EQ(numberLinesReport(draws).text, numberLinesReport(draws).text);
}
