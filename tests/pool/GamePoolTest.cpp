// The pool generator for games other than 6/49: a run and the batch over the
// game's own history file, and the pool file with its bonus numbers.
#include "pool/PoolBatch.h"
#include "pool/PoolFile.h"
#include "pool/PoolJob.h"
#include "pool/PoolReport.h"

#include "history/GameHistory.h"
#include "pool/PoolHistories.h"
#include "support/TempFolder.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using namespace orvane;

namespace {

const Game kPowerball = *gameFromMatrix("5/69+1/26");
const Game kFantasy = *gameFromMatrix("5/39");

// A made-up history of `game`, as its history file holds it, and its draws.
struct WrittenHistory {
    std::string path;
    GameReportDraws draws;
};

WrittenHistory writeHistory(const TempFolder& folder, const Game& game, std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    WrittenHistory written{"", GameReportDraws(game)};
    std::string text;
    for (std::size_t d = 0; d < count; ++d) {
        GameDraw draw{2000 + static_cast<int>(d / 300), 1 + static_cast<int>(d / 25 % 12), 1 + static_cast<int>(d % 25),
                      randomNumbers(random, game.highest(), game.perTicket()),
                      randomNumbers(random, game.bonusPool(), game.bonusDrawn())};
        written.draws.add(draw.numbers, draw.bonus);
        text += gameHistoryLine(draw);
    }
    written.path = folder.write("GAME.HIT", text);
    return written;
}

bool holdsEachOnce(std::vector<int> numbers, int highest) {
    std::sort(numbers.begin(), numbers.end());
    std::vector<int> every(static_cast<std::size_t>(highest));
    std::iota(every.begin(), every.end(), 1);
    return numbers == every;
}

} // namespace

// A run reads the game's own history file and gives what generatePool gives
// over its draws, the bonus numbers included; the batch ranks every number of
// the game and of its bonus pool.
TEST(GamePool, RunAndBatchServeTheGame) {
    const TempFolder folder;
    const WrittenHistory history = writeHistory(folder, kPowerball, 400, 69);
    const PoolParameters parameters{5, 10, 15, 2, 4};
    PoolJob job(history.path, parameters, {"5", "10"}, kPowerball);
    job.runToEnd();
    ASSERT_FALSE(job.failure().has_value()) << job.failure()->text;
    ASSERT_TRUE(job.outcome().has_value());
    EXPECT_EQ(*job.outcome(), generatePool(history.draws, parameters));
    EXPECT_EQ(job.outcome()->pool.size(), 15u);
    EXPECT_EQ(job.outcome()->bonusPool.size(), 4u);
    EXPECT_EQ(job.action(), "All Operations Complete.");

    PoolBatchJob batch(history.path, 10, "10", kPowerball);
    batch.runToEnd();
    ASSERT_TRUE(batch.outcome().has_value());
    EXPECT_EQ(*batch.outcome(), generatePool(history.draws, PoolParameters{5, 10, 69, 5, 26}));
    EXPECT_TRUE(holdsEachOnce(batch.outcome()->pool, 69));
    EXPECT_TRUE(holdsEachOnce(batch.outcome()->bonusPool, 26));
}

// A history line that is no draw of the game, and a pool larger than the
// game, stop the run before any step, named.
TEST(GamePool, RefusalsNameTheGamesLimits) {
    const TempFolder folder;
    const WrittenHistory history = writeHistory(folder, kFantasy, 60, 39);
    PoolJob tooLarge(history.path, {5, 10, 40, 1}, {"5", "10"}, kFantasy);
    tooLarge.runToEnd();
    ASSERT_TRUE(tooLarge.failure().has_value());
    EXPECT_EQ(tooLarge.failure()->text, "The pool size must be a whole number from 1 to 39.");
    EXPECT_EQ(tooLarge.action(), "");

    std::string text = contentsOf(history.path);
    text += "2026-01-05  01 02 03 04 40\r\n";
    const std::string bad = folder.write("BAD.HIT", text);
    PoolJob badLine(bad, {5, 10, 20, 1}, {"5", "10"}, kFantasy);
    badLine.runToEnd();
    ASSERT_TRUE(badLine.failure().has_value());
    EXPECT_NE(badLine.failure()->text.find("Line 61"), std::string::npos) << badLine.failure()->text;
    EXPECT_FALSE(badLine.outcome().has_value());
}

// Both styles write the bonus numbers after the pool under their heading, and
// read them back; 6/49 and a game without a bonus pool leave the section unread.
TEST(GamePool, PoolFilesCarryTheBonusNumbers) {
    const TempFolder folder;
    const std::vector<int> pool{7, 31, 12, 69, 1, 23};
    const std::vector<int> bonus{26, 4, 9};
    const std::string minimum = minimumPoolText(pool, bonus);
    EXPECT_EQ(minimum,
              " 7 \r\n 31 \r\n 12 \r\n 69 \r\n 1 \r\n 23 \r\n\r\nBonus numbers, best first:\r\n 26 \r\n 4 \r\n 9 \r\n");
    const VerboseHeading heading{{5, 10, 6, 1, 3}, "5", "10", "06/12/26", "21:04", kPowerball};
    const std::string verbose = verbosePoolText(pool, heading, bonus);
    const std::vector<std::string> lines = linesOf(verbose, "<no line end>");
    EXPECT_EQ(lines[2], "Game: 5/69 + 1/26");
    EXPECT_EQ(lines[3], "Requested Pool Size: 6");
    EXPECT_EQ(lines[4], "Requested Bonus Pool Size: 3");
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[10], "1 - 7");
    EXPECT_EQ(lines[16], "");
    EXPECT_EQ(lines[17], "Bonus numbers, best first:");
    EXPECT_EQ(lines[18], "1 - 26");
    EXPECT_EQ(lines.back(), "3 - 9");
    // Without a bonus pool, another game is named and nothing more changes.
    const VerboseHeading fantasy{{5, 10, 2, 1}, "5", "10", "d", "t", kFantasy};
    EXPECT_EQ(linesOf(verbosePoolText({3, 4}, fantasy))[2], "Game: 5/39");

    for (const std::string& text : {minimum, savedPoolText(minimum), verbose, savedPoolText(verbose)}) {
        const PoolFileRead read = readPoolFile(folder.write("POWERBALL.GR", text), kPowerball);
        EXPECT_TRUE(read.ok()) << text;
        EXPECT_EQ(read.numbers, pool);
        EXPECT_EQ(read.bonus, bonus);
        // A game without a bonus pool reads no bonus numbers.
        EXPECT_TRUE(readPoolFile(folder.file("POWERBALL.GR"), kFantasy).bonus.empty());
    }
    // A Minimum bonus section may list its numbers on one line, as the pool's may.
    EXPECT_EQ(
        readPoolFile(folder.write("a.GR", "5\r\n6\r\n\r\nnotes\r\nBonus numbers, best first:\r\n3, 8\r\n"), kPowerball)
            .bonus,
        (std::vector<int>{3, 8}));
    // A file without the section holds no bonus numbers, and is no failure.
    const PoolFileRead plain = readPoolFile(folder.write("b.GR", "5\r\n6\r\n"), kPowerball);
    EXPECT_TRUE(plain.ok());
    EXPECT_TRUE(plain.bonus.empty());
}

// A number outside the game, or a bonus number outside the bonus pool, is
// named with its line; what came before it is kept and said.
TEST(GamePool, FaultsAreNamedWithTheGamesRanges) {
    const TempFolder folder;
    const std::string path = folder.file("POWERBALL.GR");
    auto readOf = [&](const std::string& text) { return readPoolFile(folder.write("POWERBALL.GR", text), kPowerball); };

    const PoolFileRead beyond = readOf("5\r\n70\r\n");
    EXPECT_EQ(beyond.error, PoolLoadError::OutOfRange);
    EXPECT_EQ(beyond.numbers, (std::vector<int>{5}));
    EXPECT_NE(poolLoadNotice(beyond, path, kPowerball)->text.find("on its line 2 \"70\" is not a number from 1 to 69."),
              std::string::npos);

    const PoolFileRead bonus = readOf("5\r\n69\r\n\r\nBonus numbers, best first:\r\n 3 \r\n 27 \r\n");
    EXPECT_EQ(bonus.error, PoolLoadError::OutOfRange);
    EXPECT_TRUE(bonus.inBonus);
    EXPECT_EQ(bonus.line, 6);
    EXPECT_EQ(bonus.numbers, (std::vector<int>{5, 69}));
    EXPECT_EQ(bonus.bonus, (std::vector<int>{3}));
    EXPECT_EQ(poolLoadNotice(bonus, path, kPowerball)->text,
              "The pool file " + path +
                  " is a list of numbers, but on its line 6 \"27\" is not a bonus number from 1 to 26.  The 2 "
                  "numbers of its pool and the 1 bonus number before it have been selected.  Correct the file, or run "
                  "VN-Gathra again with \"Save Output To Disk\" checked.");

    const PoolFileRead ranks = readOf("Pool\r\n\r\n1 - 5\r\n\r\nBonus numbers, best first:\r\n1 - 3\r\n3 - 4\r\n");
    EXPECT_EQ(ranks.error, PoolLoadError::NotANumber);
    EXPECT_TRUE(ranks.inBonus);
    EXPECT_EQ(ranks.line, 7);
    EXPECT_EQ(ranks.text, "3 - 4");

    const std::optional<Notice> loaded = poolLoadNotice(
        readOf("Pool\r\n\r\n1 - 5\r\n2 - 6\r\n\r\nBonus numbers, best first:\r\n1 - 3\r\n"), path, kPowerball);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->text, "The pool file " + path +
                                " is a Verbose report of VN-Gathra; the 2 numbers and 1 bonus number it ranks have "
                                "been selected.");
}
