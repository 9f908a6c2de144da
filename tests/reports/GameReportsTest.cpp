#include "reports/HistoryReports.h"

#include "history/GameHistory.h"
#include "reports/NumberLinesReport.h"
#include "reports/ReportJob.h"
#include "reports/SkipHitReport.h"
#include "support/TempFolder.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

using namespace orvane;

namespace {

// Every report of a game other than 6/49 against counts made plainly from a
// generated history: a draw of k different numbers of 1..N (and b of the bonus
// pool), dated a day apart.
Game gameOf(const char* matrix) {
    std::optional<Game> game = gameFromMatrix(matrix);
    EXPECT_TRUE(game.has_value()) << matrix;
    return *game;
}

std::vector<int> drawnFrom(int highest, int count, std::mt19937& random) {
    std::set<int> drawn;
    while (static_cast<int>(drawn.size()) < count) drawn.insert(std::uniform_int_distribution<int>(1, highest)(random));
    return {drawn.begin(), drawn.end()};
}

GameReportDraws generated(const Game& game, int count, unsigned seed) {
    std::mt19937 random(seed);
    GameReportDraws draws(game);
    for (int d = 0; d < count; ++d) {
        const std::vector<int> numbers = drawnFrom(game.highest(), game.perTicket(), random);
        draws.add(numbers,
                  game.hasBonusPool() ? drawnFrom(game.bonusPool(), game.bonusDrawn(), random) : std::vector<int>{});
    }
    return draws;
}

std::string padded(std::uint64_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    return std::string(digits.size() < width ? width - digits.size() : 0, '0') + digits;
}

// The games whose reports are checked, each with a history long enough that
// every number comes several times.
struct GameCase {
    const char* matrix;
    unsigned seed;
};
const GameCase kGames[] = {{"5/39", 7}, {"5/69+1/26", 11}, {"7/35", 3}};
constexpr int kDraws = 300;

} // namespace

TEST(GameReports, NumberCountsEveryMainAndBonusNumberAsAPlainCountDoes) {
    for (const GameCase& c : kGames) {
        const GameReportDraws draws = generated(gameOf(c.matrix), kDraws, c.seed);
        std::map<int, std::uint64_t> main, bonus;
        for (std::size_t d = 0; d < draws.size(); ++d) {
            for (int n : draws.numbers[d]) ++main[n];
            for (int n : draws.bonus[d]) ++bonus[n];
        }
        const HistoryReportResult report = numberCountReport(draws);
        const std::vector<std::string> lines = linesOf(report.text);
        const auto highest = static_cast<std::size_t>(draws.game.highest());
        ASSERT_EQ(report.counts.size(), highest) << c.matrix;
        ASSERT_GE(lines.size(), 2 + highest) << c.matrix;
        EXPECT_EQ(lines[0], "There are currently " + std::to_string(kDraws) + " draws recorded in the history file.");
        for (int n = 1; n <= draws.game.highest(); ++n) {
            EXPECT_EQ(report.counts[static_cast<std::size_t>(n - 1)], (ValueCount{n, main[n]})) << c.matrix;
            EXPECT_EQ(lines[static_cast<std::size_t>(n) + 1],
                      padded(static_cast<std::uint64_t>(n), 2) + " has been drawn " + padded(main[n], 3) + " times.");
        }
        if (!draws.game.hasBonusPool()) {
            EXPECT_EQ(lines.size(), 2 + highest) << c.matrix;
            continue;
        }
        const auto pool = static_cast<std::size_t>(draws.game.bonusPool());
        ASSERT_EQ(lines.size(), 3 + highest + pool) << c.matrix;
        EXPECT_EQ(lines[2 + highest], "");
        for (int n = 1; n <= draws.game.bonusPool(); ++n)
            EXPECT_EQ(lines[2 + highest + static_cast<std::size_t>(n)],
                      "Bonus number " + padded(static_cast<std::uint64_t>(n), 2) + " has been drawn " +
                          padded(bonus[n], 3) + " times.");
    }
}

TEST(GameReports, SpansSumsAndEvensCoverTheGamesRangesAndMatchPlainCounts) {
    for (const GameCase& c : kGames) {
        const GameReportDraws draws = generated(gameOf(c.matrix), kDraws, c.seed);
        const Game& game = draws.game;
        std::map<int, std::uint64_t> spans, sums, evens;
        for (std::span<const int> draw : draws.numbers) {
            ++spans[*std::max_element(draw.begin(), draw.end()) - *std::min_element(draw.begin(), draw.end())];
            int sum = 0, even = 0;
            for (int n : draw) {
                sum += n;
                even += n % 2 == 0;
            }
            ++sums[sum];
            ++evens[even];
        }
        const auto checkTable = [&](const HistoryReportResult& report, int first, int last,
                                    std::map<int, std::uint64_t>& plain, const char* what) {
            ASSERT_EQ(report.counts.size(), static_cast<std::size_t>(last - first + 1)) << c.matrix << ' ' << what;
            for (int v = first; v <= last; ++v)
                EXPECT_EQ(report.counts[static_cast<std::size_t>(v - first)], (ValueCount{v, plain[v]}))
                    << c.matrix << ' ' << what;
        };
        checkTable(spanOfSetReport(draws), game.perTicket() - 1, game.highest() - 1, spans, "span");
        checkTable(sumHitsReport(draws), game.smallestSum(), game.largestSum(), sums, "sum");
        checkTable(evensSignatureReport(draws), 0, game.perTicket(), evens, "evens");

        // Each draw's own line: its sum, its span, its even and odd letters.
        const std::vector<std::string> sumLines = linesOf(sumOfSetsReport(draws).text);
        const std::vector<std::string> evenLines = linesOf(evensSignatureReport(draws).text);
        ASSERT_EQ(sumLines.size(), draws.size());
        ASSERT_EQ(evenLines.size(), draws.size());
        for (std::size_t d = 0; d < draws.size(); ++d) {
            const std::span<const int> draw = draws.numbers[d];
            int sum = 0, even = 0;
            std::string letters;
            for (int n : draw) {
                sum += n;
                even += n % 2 == 0;
                letters += n % 2 == 0 ? 'E' : 'O';
            }
            EXPECT_EQ(sumLines[d], padded(d + 1, 3) + ": " + padded(static_cast<std::uint64_t>(sum), 3));
            EXPECT_EQ(evenLines[d], "Set " + padded(d + 1, 3) + ": " + letters + " (" + std::to_string(even) + ")");
        }
    }
}

TEST(GameReports, MidpointSignsSplitTheNumbersAtHalfTheGamesHighest) {
    for (const GameCase& c : kGames) {
        const GameReportDraws draws = generated(gameOf(c.matrix), kDraws, c.seed);
        const std::vector<std::string> lines = linesOf(midpointReport(draws).text);
        ASSERT_EQ(lines.size(), draws.size());
        for (std::size_t d = 0; d < draws.size(); ++d) {
            std::string signs;
            int below = 0;
            for (int n : draws.numbers[d]) {
                // 1..19 below and 20..39 above for 5/39; 1..34 and 35..69 for 5/69.
                const bool low = 2 * n <= draws.game.highest();
                signs += low ? '-' : '+';
                below += low;
            }
            EXPECT_EQ(lines[d], signs + "  " + std::to_string(below)) << c.matrix;
        }
    }
}

TEST(GameReports, SkipHitFollowsEveryNumberOfTheGame) {
    for (const GameCase& c : kGames) {
        const GameReportDraws draws = generated(gameOf(c.matrix), kDraws, c.seed);
        const SkipHitReport report = skipHitReport(draws);
        ASSERT_EQ(report.numbers.size(), static_cast<std::size_t>(draws.game.highest())) << c.matrix;
        ASSERT_EQ(linesOf(report.text).size(), 3 + report.numbers.size());
        for (const NumberSkips& figures : report.numbers) {
            // Plainly: the draws holding the number, and the gaps between them.
            std::vector<std::uint64_t> in;
            for (std::size_t d = 0; d < draws.size(); ++d) {
                const std::span<const int> draw = draws.numbers[d];
                if (std::find(draw.begin(), draw.end(), figures.number) != draw.end()) in.push_back(d + 1);
            }
            EXPECT_EQ(figures.drawn, in.size()) << c.matrix << ' ' << figures.number;
            EXPECT_EQ(figures.current, in.empty() ? draws.size() : draws.size() - in.back());
            std::uint64_t longest = figures.current;
            for (std::size_t i = 1; i < in.size(); ++i) longest = std::max(longest, in[i] - in[i - 1] - 1);
            EXPECT_EQ(figures.longest, longest) << c.matrix << ' ' << figures.number;
        }
    }
}

TEST(GameReports, NumberLinesHaveABlockForEachPositionAndNumber) {
    for (const GameCase& c : kGames) {
        const GameReportDraws draws = generated(gameOf(c.matrix), 60, c.seed);
        const int k = draws.game.perTicket();
        const int highest = draws.game.highest();
        const NumberLineCounts counts = countNumberLines(draws);
        for (int p = 0; p < k; ++p) {
            std::map<std::pair<int, int>, std::uint64_t> plain;
            for (std::size_t d = 0; d + 1 < draws.size(); ++d)
                ++plain[{draws.numbers[d][static_cast<std::size_t>(p)],
                         draws.numbers[d + 1][static_cast<std::size_t>(p)]}];
            for (int n = 1; n <= highest; ++n)
                for (int m = 1; m <= highest; ++m)
                    ASSERT_EQ(counts.count(p, n, m), (plain[{n, m}])) << c.matrix << ' ' << p << ' ' << n << ' ' << m;
        }
        const std::vector<std::string> lines = linesOf(numberLinesReport(draws).text);
        const auto blocks = static_cast<std::size_t>(k * highest);
        ASSERT_EQ(lines.size(), blocks * static_cast<std::size_t>(highest + 1)) << c.matrix;
        const std::string lastPosition(1, static_cast<char>('A' + k - 1));
        EXPECT_EQ(lines.back(), std::to_string(highest) + " followed the number " + std::to_string(highest) + "  " +
                                    std::to_string(counts.count(k - 1, highest, highest)) + " times in Position " +
                                    lastPosition);
    }
}

// The reports read a game's own history file, and name the line that is no draw of it.
TEST(GameReports, AJobReadsTheGamesHistoryFileAndNamesABadLine) {
    const TempFolder folder;
    const Game powerball = gameOf("5/69+1/26");
    const GameReportDraws draws = generated(powerball, 40, 5);
    std::string history;
    for (std::size_t d = 0; d < draws.size(); ++d)
        history += gameHistoryLine(GameDraw{2026,
                                            1 + static_cast<int>(d) / 28,
                                            1 + static_cast<int>(d) % 28,
                                            {draws.numbers[d].begin(), draws.numbers[d].end()},
                                            {draws.bonus[d].begin(), draws.bonus[d].end()}});
    const std::string path = folder.write("POWERBALL.HIT", history);

    const GameReportHistory read = readGameReportHistory(powerball, path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.draws.numbers, draws.numbers);
    EXPECT_EQ(read.draws.bonus, draws.bonus);
    for (ReportKind kind : {ReportKind::NumberCount, ReportKind::SkipHit, ReportKind::SumHits}) {
        ReportJob job(kind, ReportSources{path, "", powerball});
        const std::string text = job.runToEnd();
        EXPECT_FALSE(job.problem().has_value());
        EXPECT_EQ(text, kind == ReportKind::NumberCount ? numberCountReport(draws).text
                        : kind == ReportKind::SkipHit   ? skipHitReport(draws).text
                                                        : sumHitsReport(draws).text);
        ASSERT_TRUE(job.table().has_value());
        EXPECT_EQ(job.table()->draws, draws.size());
    }

    const std::string bad = folder.write("BAD.HIT", history + "2026-03-01  01 02 03 04 70 + 01\r\n");
    ReportJob job(ReportKind::NumberCount, ReportSources{bad, "", powerball});
    EXPECT_EQ(job.runToEnd(), "");
    ASSERT_TRUE(job.problem().has_value());
    EXPECT_NE(job.problem()->text.find("Line 41"), std::string::npos) << job.problem()->text;
    EXPECT_NE(job.problem()->text.find(bad), std::string::npos) << job.problem()->text;

    ReportJob missing(ReportKind::SkipHit, ReportSources{folder.file("NONE.HIT"), "", powerball});
    missing.runToEnd();
    ASSERT_TRUE(missing.problem().has_value());
    EXPECT_EQ(missing.problem()->title, "Cannot Execute Command");
}
