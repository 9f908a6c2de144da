#include "cli/CommandLine.h"
#include "core/Binomial.h"
#include "history/GameHistory.h"
#include "settings/SettingsFile.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvane;

namespace {
constexpr const char* kSummaryOfAll56 = "Sets generated: 56\nSets passing: 56\nPercent passing: 100%\n";
} // namespace

TEST(WheelGameCommand, WheelsTheSetsOfTheGameNamedWithEachBonusNumber) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));

    CliRun five = runCli({"wheel", "--game", "Fantasy 5", "--pick", "1-8", "--output", "-"}, paths);
    EXPECT_EQ(five.status, kExitSuccess) << five.err;
    const auto lines = linesOf(five.out);
    ASSERT_EQ(lines.size(), binomial(8, 5));
    EXPECT_EQ(lines.front(), "1 2 3 4 5");
    EXPECT_EQ(lines.back(), "4 5 6 7 8");
    EXPECT_EQ(five.err, kSummaryOfAll56); // the sets took standard output

    CliRun powerball = runCli({"wheel", "--pick", "60-69", "--bonus", "1,26", "--game", "5/69+1/26", "--output",
                               folder.file("pb.txt"), "--numbered"},
                              paths);
    EXPECT_EQ(powerball.status, kExitSuccess) << powerball.err;
    EXPECT_EQ(powerball.out, "Sets generated: 504\nSets passing: 504\nPercent passing: 100%\n");
    const auto written = linesOf(contentsOf(folder.file("pb.txt")));
    ASSERT_EQ(written.size(), 504u);
    EXPECT_EQ(written[0], "1 : 60 61 62 63 64 + 1");
    EXPECT_EQ(written[1], "2 : 60 61 62 63 64 + 26");

    // 6/49 by name or matrix is the wheel it always was.
    CliRun lotto = runCli({"wheel", "--game", "6/49", "--pick", "1-7", "--output", "-"}, paths);
    EXPECT_EQ(lotto.out, runCli({"wheel", "--pick", "1-7", "--output", "-"}, paths).out);
}

TEST(WheelGameCommand, RefusesNumbersOutsideTheGameAndBonusNumbersWithoutAPool) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    for (const Case& c : std::vector<Case>{
             {{"wheel", "--pick", "1-40", "--game", "5/39"}, "--pick: '1-40' lies outside the numbers 1 to 39"},
             {{"wheel", "--game", "6/90", "--pick", "1-90", "--group", "91"},
              "--group: '91' lies outside the numbers 1 to 90"},
             {{"wheel", "--game", "5/39", "--pick", "1-9", "--bonus", "3"},
              "--bonus: the game Fantasy 5 (5/39) has no bonus pool"},
             {{"wheel", "--pick", "1-9", "--bonus", "3"}, "--bonus: the game Lotto 6/49 (6/49) has no bonus pool"},
             {{"wheel", "--game", "Powerball", "--pick", "1-9", "--bonus", "27"},
              "--bonus: '27' lies outside the numbers 1 to 26"},
             {{"wheel", "--game", "7/91", "--pick", "1-9"}, "--game: "},
         }) {
        const CliRun result = runCli(c.args, paths);
        EXPECT_EQ(result.status, kExitUsage) << c.error;
        EXPECT_EQ(result.err.rfind("orvane: " + c.error, 0), 0u) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(paths.folder)) << "a usage error ran the wheel";

    const CliRun pairs = runCli({"wheel", "--game", "EuroMillions", "--pick", "1-6", "--bonus", "4"}, paths);
    EXPECT_EQ(pairs.status, kExitFailed);
    EXPECT_NE(pairs.err.find("pick at least 2, or none"), std::string::npos) << pairs.err;
}

TEST(WheelGameCommand, TakesTheGamesSettingsAndHistoryFiles) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    const Game fantasy = *gameFromMatrix("5/39");
    SettingsFile settings = settingsFor(fantasy);
    settings.filters.filterAgainstHistory = 1;
    settings.filters.maxFromHistory = "3";
    settings.destination = OutputDestination::Nothing;
    settings.historyPath = folder.file("Varnel/" + gameHistoryFileName(fantasy));
    ASSERT_EQ(saveSettingsFile(folder.file("five.INI"), settings), "");

    // The filter against history reads the game's own file.
    CliRun missing = runCli({"wheel", "--game", "5/39", "--pick", "1-8", "--settings", folder.file("five.INI")}, paths);
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_NE(missing.err.find(settings.historyPath + " could not be opened"), std::string::npos) << missing.err;

    std::filesystem::create_directories(paths.folder);
    GameDraw draw{2026, 12, 5, {1, 2, 3, 4, 9}, {}};
    folder.write("Varnel/" + gameHistoryFileName(fantasy), gameHistoryLine(draw));
    CliRun run = runCli({"wheel", "--game", "5/39", "--pick", "1-8", "--settings", folder.file("five.INI")}, paths);
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    // The sets holding 1 2 3 4: four of the 56 share four numbers with the draw.
    EXPECT_EQ(run.out, "Sets generated: 56\nSets passing: 52\nPercent passing: 92%\n");

    // Without --game the settings file's game is the run's.
    EXPECT_EQ(runCli({"wheel", "--pick", "1-8", "--settings", folder.file("five.INI")}, paths).out, run.out);
    // The backtest too: its one draw has no draw before it for the filter against history to judge it by.
    const CliRun backtest = runCli({"backtest", "--settings", folder.file("five.INI")}, paths);
    EXPECT_EQ(backtest.status, kExitSuccess) << backtest.err;
    EXPECT_NE(backtest.out.find("2026-12-05  01 02 03 04 09  not judged"), std::string::npos) << backtest.out;
    const CliRun named = runCli({"backtest", "--game", "Powerball", "--settings", folder.file("five.INI")}, paths);
    EXPECT_EQ(named.status, kExitFailed);
    EXPECT_NE(named.err.find("is for 5/39, not for Powerball (5/69 + 1/26)"), std::string::npos) << named.err;

    // The printed document serves 6/49: a run of another game sent to the printer is refused, not run unrecorded.
    settings.destination = OutputDestination::Printer;
    ASSERT_EQ(saveSettingsFile(folder.file("print.INI"), settings), "");
    CliRun printed =
        runCli({"wheel", "--game", "5/39", "--pick", "1-8", "--settings", folder.file("print.INI")}, paths);
    EXPECT_EQ(printed.status, kExitFailed);
    EXPECT_NE(printed.err.find("Give --output FILE"), std::string::npos) << printed.err;
    EXPECT_EQ(printed.out, "");

    // A settings file of another game is not taken for this one.
    CliRun other = runCli({"wheel", "--game", "6/45", "--pick", "1-8", "--settings", folder.file("five.INI")}, paths);
    EXPECT_EQ(other.status, kExitFailed);
    EXPECT_NE(other.err.find("is for 5/39, not for Saturday Lotto (6/45)"), std::string::npos) << other.err;
}
