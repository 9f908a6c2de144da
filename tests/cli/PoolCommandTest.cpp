#include "core/DataPaths.h"
#include "core/GameCatalogue.h"
#include "history/GameHistory.h"
#include "pool/PoolFile.h"
#include "pool/PoolGeneration.h"
#include "pool/PoolReport.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace orvane;

namespace {

std::vector<std::string> poolArgs(const std::string& history, std::vector<std::string> more = {}) {
    std::vector<std::string> args{"pool", "--trend", "5", "--groups",  "10",   "--size",
                                  "12",   "--draws", "2", "--history", history};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

const std::vector<int>& samplePool() {
    static const std::vector<int> pool =
        generatePool(readReportHistory(ORVANE_SAMPLE_HISTORY).draws, {5, 10, 12, 2}).pool;
    return pool;
}

} // namespace

TEST(CommandLinePool, PrintsTheMinimumListAndSavesIt) {
    TempFolder folder;
    const std::string saved = folder.file("Pool.GR");
    const CliRun run =
        runCli(poolArgs(ORVANE_SAMPLE_HISTORY, {"--style", "minimum", "--save", saved}), dataPathsIn(folder.path()));
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.out, minimumPoolText(samplePool()));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(contentsOf(saved), savedPoolText(run.out));
    const PoolFileRead loaded = readPoolFile(saved);
    EXPECT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.numbers, samplePool());
}

TEST(CommandLinePool, PrintsTheVerboseReportByDefault) {
    TempFolder folder;
    const CliRun run = runCli(poolArgs(ORVANE_SAMPLE_HISTORY), dataPathsIn(folder.path()));
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    const std::vector<std::string> lines = linesOf(run.out, "<no line end>");
    ASSERT_EQ(lines.size(), 8u + 12u);
    EXPECT_EQ(lines[0].rfind("VN-Gathra, a Part of VN-Tambril, Version ", 0), 0u);
    EXPECT_EQ(lines[2], "Requested Pool Size: 12");
    EXPECT_EQ(lines[3], "This number pool is good for the next 2 draw(s).");
    EXPECT_EQ(lines[4], "User specified trend length used: 5");
    EXPECT_EQ(lines[5], "User requested the use of the top 10 comparison groups.");
    EXPECT_EQ(lines[6].rfind("Report Generated ", 0), 0u);
    EXPECT_NE(lines[6].find(" at "), std::string::npos);
    for (std::size_t rank = 1; rank <= 12; ++rank)
        EXPECT_EQ(lines[7 + rank], std::to_string(rank) + " - " + std::to_string(samplePool()[rank - 1]));

    // Saved, it is a Verbose file: the main window's loader takes its ranked numbers.
    const std::string saved = folder.file("Verbose.GR");
    ASSERT_EQ(runCli(poolArgs(ORVANE_SAMPLE_HISTORY, {"--save", saved}), dataPathsIn(folder.path())).status,
              kExitSuccess);
    EXPECT_EQ(contentsOf(saved).rfind("VN-Gathra", 0), 0u);
    const PoolFileRead loaded = readPoolFile(saved);
    EXPECT_EQ(loaded.style, PoolFileStyle::Verbose);
    EXPECT_EQ(loaded.numbers, samplePool());
}

TEST(CommandLinePool, RefusesValuesAndHistoriesItCannotUse) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const CliRun zero = runCli(
        {"pool", "--trend", "0", "--groups", "10", "--size", "12", "--draws", "1", "--history", ORVANE_SAMPLE_HISTORY},
        paths);
    EXPECT_EQ(zero.status, kExitFailed);
    EXPECT_EQ(zero.err.rfind("VN-Gathra: The trend length must be a whole number from 1 to 298", 0), 0u) << zero.err;
    EXPECT_EQ(zero.out, "");
    EXPECT_EQ(runCli({"pool", "--trend", "5", "--groups", "50", "--size", "12", "--draws", "1", "--history",
                      ORVANE_SAMPLE_HISTORY},
                     paths)
                  .status,
              kExitFailed);
    EXPECT_EQ(runCli({"pool", "--trend", "5", "--groups", "10", "--size", "12", "--draws", "6", "--history",
                      ORVANE_SAMPLE_HISTORY},
                     paths)
                  .status,
              kExitFailed);

    const CliRun absent = runCli(poolArgs(folder.file("absent.HIT")), paths);
    EXPECT_EQ(absent.status, kExitFailed);
    EXPECT_NE(absent.err.find(folder.file("absent.HIT")), std::string::npos) << absent.err;

    std::string elevenDraws;
    for (int i = 0; i < 11; ++i) elevenDraws += "050788  15 17 30 42 44 49\r\n";
    const CliRun eleven = runCli(poolArgs(folder.write("eleven.HIT", elevenDraws)), paths);
    EXPECT_EQ(eleven.status, kExitFailed);
    EXPECT_NE(eleven.err.find("from 1 to 4"), std::string::npos) << eleven.err;

    // The pool file may not replace the history it comes from, nor land in a missing folder.
    const std::string history = folder.write("h.HIT", elevenDraws + "050788  15 17 30 42 44 49\r\n");
    const CliRun overHistory = runCli(poolArgs(history, {"--save", history}), paths);
    EXPECT_EQ(overHistory.status, kExitFailed);
    EXPECT_EQ(overHistory.out, "");
    EXPECT_EQ(contentsOf(history), elevenDraws + "050788  15 17 30 42 44 49\r\n");
    const CliRun noFolder = runCli(poolArgs(history, {"--save", folder.file("none/Pool.GR")}), paths);
    EXPECT_EQ(noFolder.status, kExitFailed);
    EXPECT_NE(noFolder.err.find("could not be written"), std::string::npos) << noFolder.err;
}

TEST(CommandLinePool, UsageErrors) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    EXPECT_EQ(runCli({"pool", "--trend", "5", "--groups", "10", "--size", "12"}, paths).status, kExitUsage);
    EXPECT_EQ(runCli(poolArgs(ORVANE_SAMPLE_HISTORY, {"--style", "fancy"}), paths).status, kExitUsage);
    const CliRun notANumber =
        runCli({"pool", "--trend", "five", "--groups", "10", "--size", "12", "--draws", "1"}, paths);
    EXPECT_EQ(notANumber.status, kExitUsage);
    EXPECT_NE(notANumber.err.find("Usage: orvane pool"), std::string::npos) << notANumber.err;
}

// With --game the pool is the game's, over its own history file by default,
// with the bonus numbers after it; --bonus-size chooses how many.
TEST(CommandLinePool, ServesAnotherGameWithItsBonusNumbers) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const Game game = *findGame("Powerball", catalogueGames());
    std::string history;
    GameReportDraws draws(game);
    for (int d = 0; d < 30; ++d) {
        const std::vector<int> numbers{1 + d % 9, 12 + d % 13, 30 + d % 7, 40 + d % 11, 55 + d % 15};
        const std::vector<int> bonus{1 + (d * 5) % 26};
        draws.add(numbers, bonus);
        history += gameHistoryLine(GameDraw{2025, 1 + d / 28, 1 + d % 28, numbers, bonus});
    }
    std::filesystem::create_directories(paths.folder);
    const std::string historyPath = gamePaths(paths, game).history;
    std::ofstream(historyPath, std::ios::binary) << history;

    const CliRun run = runCli({"pool", "--trend", "5", "--groups", "10", "--size", "8", "--draws", "1", "--game",
                               "Powerball", "--bonus-size", "2", "--style", "minimum"},
                              paths);
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    const PoolOutcome expected = generatePool(draws, {5, 10, 8, 1, 2});
    EXPECT_EQ(run.out, minimumPoolText(expected.pool, expected.bonusPool));
    EXPECT_EQ(expected.bonusPool.size(), 2u);

    // Without --bonus-size every bonus number is ranked; a size beyond the pool is named.
    const CliRun all = runCli({"pool", "--trend", "5", "--groups", "10", "--size", "8", "--draws", "1", "--game",
                               "Powerball", "--style", "minimum"},
                              paths);
    EXPECT_EQ(all.out, minimumPoolText(expected.pool, generatePool(draws, {5, 10, 8, 1, 26}).bonusPool));
    const CliRun wide = runCli(
        {"pool", "--trend", "5", "--groups", "10", "--size", "70", "--draws", "1", "--game", "Powerball"}, paths);
    EXPECT_EQ(wide.status, kExitFailed);
    EXPECT_EQ(wide.err, "VN-Gathra: The pool size must be a whole number from 1 to 69.\n");
}
