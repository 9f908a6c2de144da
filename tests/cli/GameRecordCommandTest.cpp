#include "cli/CommandLine.h"
#include "history/GameHistory.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

using namespace orvane;

// Another game's draw: the date, its own count of numbers and its bonus
// numbers, recorded in that game's history file in the data folder.
TEST(GameRecordCommand, RecordsAnotherGamesDrawInItsOwnFile) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    CliRun five = runCli({"record", "--game", "Fantasy 5", "12", "05", "26", "37", "11", "24", "30", "03"}, paths);
    EXPECT_EQ(five.status, kExitSuccess) << five.err;
    EXPECT_EQ(contentsOf(folder.file("Varnel/FANTASY-5.HIT")), "2026-12-05  03 11 24 30 37\r\n");

    CliRun max = runCli({"record", "--game", "7/50", "--history", folder.file("max.HIT"), "12", "04", "2026", "1", "2",
                         "3", "4", "5", "6", "50"},
                        paths);
    EXPECT_EQ(max.status, kExitSuccess) << max.err;
    EXPECT_EQ(contentsOf(folder.file("max.HIT")), "2026-12-04  01 02 03 04 05 06 50\r\n");

    CliRun powerball =
        runCli({"record", "--game", "Powerball", "12", "06", "26", "3", "11", "24", "30", "37", "12"}, paths);
    EXPECT_EQ(powerball.status, kExitSuccess) << powerball.err;
    EXPECT_EQ(contentsOf(folder.file("Varnel/POWERBALL.HIT")), "2026-12-06  03 11 24 30 37 + 12\r\n");
    // The same date again is refused, and the file stays.
    CliRun again = runCli({"record", "--game", "Powerball", "12", "06", "26", "1", "2", "3", "4", "5", "6"}, paths);
    EXPECT_EQ(again.status, kExitFailed);
    EXPECT_EQ(contentsOf(folder.file("Varnel/POWERBALL.HIT")), "2026-12-06  03 11 24 30 37 + 12\r\n");
}

TEST(GameRecordCommand, AWrongCountOrANumberOutsideTheGameIsRefused) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    CliRun few = runCli({"record", "--game", "Powerball", "12", "06", "26", "3", "11", "24", "30", "37"}, paths);
    EXPECT_EQ(few.status, kExitUsage);
    EXPECT_EQ(few.err,
              "orvane: a draw of Powerball (5/69 + 1/26) holds 6 numbers (the bonus numbers last), and 5 were given\n");
    CliRun outside = runCli({"record", "--game", "5/39", "12", "06", "26", "3", "11", "24", "30", "40"}, paths);
    EXPECT_EQ(outside.status, kExitFailed);
    EXPECT_NE(outside.err.find("40"), std::string::npos) << outside.err;
    CliRun date = runCli({"record", "--game", "5/39", "02", "30", "26", "3", "11", "24", "30", "31"}, paths);
    EXPECT_EQ(date.status, kExitFailed);
    EXPECT_NE(date.err.find("2026-02-30"), std::string::npos) << date.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("Varnel/5-39.HIT")));
    // Without --game a tenth value is no number of a 6/49 draw.
    CliRun ten = runCli({"record", "12", "06", "26", "1", "2", "3", "4", "5", "6", "7"}, paths);
    EXPECT_EQ(ten.status, kExitUsage);
    EXPECT_EQ(ten.err.rfind("orvane: unexpected argument '7'", 0), 0u) << ten.err;
}

// The check of another game's wheel: hits of the winning numbers, and of the
// bonus drawn when it is given, against a count by hand.
TEST(GameCheckCommand, CountsTheHitsOfEachLineWithAndWithoutTheBonus) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    const std::string wheel = folder.file("pb.txt");
    ASSERT_EQ(
        runCli({"wheel", "--game", "Powerball", "--pick", "1-8", "--bonus", "1,26", "--output", wheel, "--numbered"},
               paths)
            .status,
        kExitSuccess);
    // Of the 56 sets of five of 1 to 8, C(3,j) C(5,5-j) hold j of 1, 2 and 3; each is written with 1 and with 26.
    CliRun withBonus = runCli(
        {"check", "--game", "Powerball", "--output", wheel, "--winning", "1, 2,3,40,50", "--bonus", "26"}, paths);
    EXPECT_EQ(withBonus.status, kExitSuccess) << withBonus.err;
    EXPECT_EQ(withBonus.out, "0 of 5 + 0 of 1 bonus: 1\n0 of 5 + 1 of 1 bonus: 1\n"
                             "1 of 5 + 0 of 1 bonus: 15\n1 of 5 + 1 of 1 bonus: 15\n"
                             "2 of 5 + 0 of 1 bonus: 30\n2 of 5 + 1 of 1 bonus: 30\n"
                             "3 of 5 + 0 of 1 bonus: 10\n3 of 5 + 1 of 1 bonus: 10\n"
                             "4 of 5 + 0 of 1 bonus: 0\n4 of 5 + 1 of 1 bonus: 0\n"
                             "5 of 5 + 0 of 1 bonus: 0\n5 of 5 + 1 of 1 bonus: 0\n"
                             "Tier 5 + bonus: 0\nTier 5: 0\nTier 4 + bonus: 0\nTier 4: 0\nTier 3 + bonus: 10\n"
                             "Tier 3: 10\nTier 2 + bonus: 30\nTier 1 + bonus: 15\nTier 0 + bonus: 1\n");
    CliRun mainOnly = runCli({"check", "--game", "Powerball", "--output", wheel, "--winning", "1,2,3,40,50"}, paths);
    EXPECT_EQ(mainOnly.out, "0 of 5: 2\n1 of 5: 30\n2 of 5: 60\n3 of 5: 20\n4 of 5: 0\n5 of 5: 0\n");

    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    for (const Case& c : std::vector<Case>{
             {{"--winning", "1,2,3,40"}, "orvane: --winning: 4 given; a draw has 5 of them\n"},
             {{"--winning", "1,2,3,40,70"}, "orvane: --winning: \"70\" is not a winning number from 1 to 69\n"},
             {{"--winning", "1,2,3,40,3"}, "orvane: --winning: the winning number 3 is given twice\n"},
             {{"--winning", "1,2,3,40,50", "--bonus", "27"},
              "orvane: --bonus: \"27\" is not a bonus number from 1 to 26\n"},
         }) {
        std::vector<std::string> args{"check", "--game", "Powerball", "--output", wheel};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun result = runCli(args, paths);
        EXPECT_EQ(result.status, kExitFailed);
        EXPECT_EQ(result.err, c.error);
    }
    // A 6/49 wheel is no Powerball file.
    folder.write("lotto.txt", "1 2 3 4 5 6\r\n");
    const CliRun lotto =
        runCli({"check", "--game", "Powerball", "--output", folder.file("lotto.txt"), "--winning", "1,2,3,4,5"}, paths);
    EXPECT_EQ(lotto.status, kExitFailed);
    EXPECT_NE(lotto.err.find("Line 1 of the wheel output file"), std::string::npos) << lotto.err;
}

// A report of another game reads the game's own history file, or the one named.
TEST(GameCommands, ReportReadsTheGamesHistory) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const std::string history = "2026-01-03  01 02 03 04 05 + 07\r\n2026-01-06  05 10 20 30 69 + 26\r\n";
    folder.write("POWERBALL.HIT", history);
    const CliRun count = runCli({"report", "Historic Number Count", "--game", "Powerball"}, paths);
    ASSERT_EQ(count.status, kExitSuccess) << count.err;
    EXPECT_NE(count.out.find("\r\n05 has been drawn 002 times.\r\n"), std::string::npos);
    EXPECT_NE(count.out.find("\r\nBonus number 26 has been drawn 001 times.\r\n"), std::string::npos);
    const CliRun named = runCli(
        {"report", "Historic Number Count", "--game", "Powerball", "--history", folder.write("other.hit", history)},
        paths);
    EXPECT_EQ(named.out, count.out);
    const CliRun csv = runCli({"report", "Span of Set Calculator", "--game", "Powerball", "--csv"}, paths);
    // Spans 4 to 68 for five numbers of 69: the draws' spans are 4 and 64.
    EXPECT_TRUE(csv.out.starts_with("Span,Count\r\n4,1\r\n5,0\r\n")) << csv.out;
    EXPECT_NE(csv.out.find("\r\n64,1\r\n65,0\r\n"), std::string::npos) << csv.out;
    EXPECT_TRUE(csv.out.ends_with("\r\n68,0\r\n")) << csv.out;
    // The 6/49 history is no Powerball history: the line is named.
    folder.write("lotto.hit", "061299  03 11 24 30 41 49\r\n");
    const CliRun lotto =
        runCli({"report", "Skip/Hit Report", "--game", "Powerball", "--history", folder.file("lotto.hit")}, paths);
    EXPECT_EQ(lotto.status, kExitFailed);
    EXPECT_NE(lotto.err.find("Line 1 of the history file"), std::string::npos) << lotto.err;
}

// An abbreviated wheel of another game: tickets of the game's count of numbers,
// proved here plainly, each with the picked bonus numbers in turn.
TEST(GameCommands, CoverBuildsTheGamesTicketsAndSharesTheBonusNumbersOut) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const CliRun run = runCli({"cover", "--game", "Powerball", "--pick", "50-61", "--guarantee", "3if4", "--bonus",
                               "7,26,3", "--output", "-", "--seconds", "0"},
                              paths);
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    std::vector<std::vector<int>> tickets;
    std::map<int, int> bonusUses;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t plus = line.find(" + ");
        ASSERT_NE(plus, std::string::npos) << line;
        std::istringstream numbers(line.substr(0, plus));
        std::vector<int> ticket;
        for (int n; numbers >> n;) ticket.push_back(n);
        ASSERT_EQ(ticket.size(), 5u) << line;
        for (int n : ticket) ASSERT_TRUE(n >= 50 && n <= 61) << line;
        ++bonusUses[std::stoi(line.substr(plus + 3))];
        tickets.push_back(ticket);
    }
    EXPECT_EQ(run.err, "Tickets: " + std::to_string(tickets.size()) + "\nGuarantee: 3 if 4 verified\n");
    // Every four numbers of the pick share three with some ticket.
    for (int a = 50; a <= 61; ++a)
        for (int b = a + 1; b <= 61; ++b)
            for (int c = b + 1; c <= 61; ++c)
                for (int d = c + 1; d <= 61; ++d) {
                    const auto covered = [&](const std::vector<int>& t) {
                        int shared = 0;
                        for (int n : {a, b, c, d}) shared += std::count(t.begin(), t.end(), n) > 0;
                        return shared >= 3;
                    };
                    ASSERT_TRUE(std::any_of(tickets.begin(), tickets.end(), covered)) << a << b << c << d;
                }
    ASSERT_EQ(bonusUses.size(), 3u);
    const auto [fewest, most] = std::minmax_element(bonusUses.begin(), bonusUses.end(),
                                                    [](const auto& x, const auto& y) { return x.second < y.second; });
    EXPECT_LE(most->second - fewest->second, 1);

    // The game's limits: the guarantee within its tickets, the pick within its numbers.
    const CliRun tooMany =
        runCli({"cover", "--game", "5/39", "--pick", "1-12", "--guarantee", "3if6", "--output", "-"}, paths);
    EXPECT_EQ(tooMany.status, kExitFailed);
    EXPECT_NE(tooMany.err.find("at most 5"), std::string::npos) << tooMany.err;
    EXPECT_EQ(runCli({"cover", "--game", "5/39", "--pick", "1-40", "--guarantee", "3"}, paths).status, kExitUsage);
    // Two bonus numbers a line need two picked.
    const CliRun oneBonus = runCli(
        {"cover", "--game", "5/50+2/12", "--pick", "1-10", "--guarantee", "2", "--bonus", "4", "--output", "-"}, paths);
    EXPECT_EQ(oneBonus.status, kExitFailed);
    EXPECT_EQ(oneBonus.out, "");
}

// Every number of a game with more than 64: the list is proved, and plainly
// holds every pair; a guarantee past what the search holds is refused.
TEST(GameCommands, CoverWheelsEveryNumberOfALargeGame) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const CliRun run = runCli(
        {"cover", "--game", "Mega Millions", "--pick", "1-70", "--guarantee", "2", "--output", "-", "--seconds", "0"},
        paths);
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    std::set<std::pair<int, int>> pairs;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream numbers(line);
        std::vector<int> ticket;
        for (int n; numbers >> n;) ticket.push_back(n);
        ASSERT_EQ(ticket.size(), 5u) << line;
        for (int a : ticket)
            for (int b : ticket)
                if (a < b) pairs.insert({a, b});
    }
    EXPECT_EQ(pairs.size(), 70u * 69u / 2u);
    EXPECT_TRUE(pairs.count({69, 70}));

    const CliRun tooMany =
        runCli({"cover", "--game", "SuperEnalotto", "--pick", "1-90", "--guarantee", "2if6", "--output", "-"}, paths);
    EXPECT_EQ(tooMany.status, kExitFailed);
    EXPECT_NE(tooMany.err.find("622,614,630 ways to draw 6"), std::string::npos) << tooMany.err;
    EXPECT_EQ(tooMany.out, "");
}

// Named as 6/49, a command runs as it always has.
TEST(GameCommands, NamedAsSixFortyNineACommandRunsAsBefore) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    const CliRun lotto = runCli(
        {"cover", "--pick", "1-7", "--guarantee", "3", "--game", "Lotto 6/49", "--output", "-", "--seconds", "0"},
        paths);
    EXPECT_EQ(lotto.out,
              runCli({"cover", "--pick", "1-7", "--guarantee", "3", "--output", "-", "--seconds", "0"}, paths).out);
}
