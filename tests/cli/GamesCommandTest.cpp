#include "cli/CommandLine.h"
#include "core/GameCatalogue.h"

#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST(CommandLineGames, ListsTheCatalogueAGameALine) {
    TempFolder folder;
    const CliRun result = runCli({"games"}, dataPathsIn(folder.path()));
    EXPECT_EQ(result.status, kExitSuccess) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(lineCount(result.out), catalogueGames().size());
    EXPECT_EQ(result.out.substr(0, result.out.find('\n')),
              "Lotto 6/49        6/49        6 numbers a line                 jackpot 1 in 13,983,816");
    EXPECT_NE(
        result.out.find("Powerball         5/69+1/26   5 + 1 numbers a line             jackpot 1 in 292,201,338\n"),
        std::string::npos);
}

// The user's own games follow; a line that cannot be read is named on
// standard error, the others are listed, and the status says so.
TEST(CommandLineGames, ListsTheUsersOwnGamesAndNamesABadLine) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    folder.write("MYGAMES.TXT", "Pick 5 | 5/35 | | 5, 4, 3\r\nBroken | 5/35 |\r\n");
    const CliRun result = runCli({"games"}, paths);
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_NE(result.out.find("\nYour own games (" + ownGamesPath(paths) +
                              "):\n"
                              "Pick 5            5/35        5 numbers a line                 jackpot 1 in 324,632\n"),
              std::string::npos)
        << result.out;
    EXPECT_EQ(result.err, "orvane: " + ownGamesPath(paths) +
                              ", line 2: a game is \"name | matrix | extra | tiers\", four parts split by |.\n");
}
