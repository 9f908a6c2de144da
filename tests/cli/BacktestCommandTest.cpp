#include "backtest/Backtest.h"
#include "backtest/BacktestReport.h"
#include "core/DataPaths.h"
#include "history/GameHistory.h"
#include "settings/SettingsFile.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace orvane;

namespace {
// Draw 3 holds four numbers of the group 1-4, the others at most two.
const std::string kFourDraws = "050788  15 17 30 42 44 49\r\n051488  03 11 24 30 41 49\r\n"
                               "052188  01 02 03 04 05 49\r\n052888  02 03 20 21 40 41\r\n";
} // namespace

TEST(CommandLineBacktest, PrintsTheFilterTableThenADrawLinePerDraw) {
    TempFolder folder;
    const std::string history = folder.write("h.HIT", kFourDraws);
    const DataPaths paths = dataPathsIn(folder.path());
    // A group holds at most three numbers of a set: 1-4 rejects draw 3 only.
    const CliRun text = runCli({"backtest", "--history", history, "--group", "1-4"}, paths);
    ASSERT_EQ(text.status, kExitSuccess) << text.err;

    BacktestRequest request;
    request.controls.enableGroups = 1;
    request.controls.groups[0] = {"1", "2", "3", "4", "", "", "", ""};
    request.draws = readHistoryRecords(history).draws;
    const BacktestResult result = runBacktest(request);
    ASSERT_EQ(result.filters.size(), 1u);
    EXPECT_EQ(result.filters[0].draws.kept, 3u);
    EXPECT_EQ(result.draws[2].firstRejecting, BacktestFilter::Groups);
    EXPECT_EQ(text.out, backtestFilterTable(result) + "\r\n" + backtestDrawLines(result));

    const CliRun csv = runCli({"backtest", "--history", history, "--group", "1-4", "--csv", "--last", "2"}, paths);
    ASSERT_EQ(csv.status, kExitSuccess) << csv.err;
    request.lastDraws = 2;
    EXPECT_EQ(csv.out, backtestCsv(runBacktest(request)));
}

TEST(CommandLineBacktest, RefusesUnreadableInputsAsTheWheelDoes) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const std::string missing = folder.file("absent.HIT");
    const CliRun noHistory = runCli({"backtest", "--history", missing}, paths);
    EXPECT_EQ(noHistory.status, kExitFailed);
    EXPECT_EQ(noHistory.out, "");
    EXPECT_NE(noHistory.err.find(missing), std::string::npos) << noHistory.err;
    EXPECT_NE(noHistory.err.find("History File Problem"), std::string::npos) << noHistory.err;

    const std::string broken = folder.write("broken.HIT", "050788  15 17 30 42 44 49\r\nnot a draw\r\n");
    EXPECT_EQ(runCli({"backtest", "--history", broken}, paths).status, kExitFailed);

    const std::string history = folder.write("h.HIT", kFourDraws);
    const CliRun noSettings =
        runCli({"backtest", "--history", history, "--settings", folder.file("absent.INI")}, paths);
    EXPECT_EQ(noSettings.status, kExitFailed);
    EXPECT_EQ(noSettings.out, "");

    EXPECT_EQ(runCli({"backtest", "--history", history, "--last", "0"}, paths).status, kExitUsage);
    EXPECT_EQ(runCli({"backtest", "--history", history, "--group", "1-9"}, paths).status, kExitUsage);
}

TEST(CommandLineBacktest, AnUnreadableFilterBoxIsRefusedAsTheWheelRefusesIt) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const std::string history = folder.write("h.HIT", kFourDraws);
    SettingsFile settings;
    settings.filters.enableLocks = 1;
    settings.filters.lockedOut[7] = "ab";
    const std::string path = folder.file("VNTB.INI");
    ASSERT_EQ(saveSettingsFile(path, settings), "");
    const CliRun result = runCli({"backtest", "--history", history, "--settings", path}, paths);
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Invalid Response: Locked Out B, box 3 (Filters B) holds \"ab\": type a number from 1 "
                          "to 49, or leave the box empty.\n");
    // With the locks off the box is not read.
    settings.filters.enableLocks = 0;
    ASSERT_EQ(saveSettingsFile(path, settings), "");
    EXPECT_EQ(runCli({"backtest", "--history", history, "--settings", path}, paths).status, kExitSuccess);
}

// With --game the backtest is the game's, over its own history file, its
// groups read in the game's numbers.
TEST(CommandLineBacktest, ServesAnotherGame) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const Game game = *gameFromMatrix("6/52");
    std::string history;
    std::vector<GameDraw> draws;
    for (int d = 0; d < 12; ++d) {
        draws.push_back(GameDraw{2025, 3, 1 + d, {1 + d, 13 + d, 25, 36, 40 + d % 5, 47 + d % 6}, {}});
        history += gameHistoryLine(draws.back());
    }
    std::ofstream(gamePaths(paths, game).history, std::ios::binary) << history;
    const CliRun text = runCli({"backtest", "--game", "6/52", "--group", "45-52", "--group", "1-3", "--csv"}, paths);
    ASSERT_EQ(text.status, kExitSuccess) << text.err;

    BacktestRequest request;
    request.game = game;
    request.controls = FilterControls(game);
    request.controls.enableGroups = 1;
    request.controls.groups[0] = {"45", "46", "47", "48", "49", "50", "51", "52"};
    request.controls.groups[1] = {"1", "2", "3", "", "", "", "", ""};
    request.gameDraws = draws;
    EXPECT_EQ(text.out, backtestCsv(runBacktest(request)));
    EXPECT_NE(text.out.find("12,2025-03-12,12 24 25 36 41 52,"), std::string::npos) << text.out;

    const CliRun beyond = runCli({"backtest", "--game", "5/39", "--group", "38-40"}, paths);
    EXPECT_EQ(beyond.status, kExitUsage);
}
