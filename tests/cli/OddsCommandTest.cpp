#include "cli/CommandLine.h"

#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>

using namespace orvane;

namespace {

std::string linesText(const std::vector<std::vector<int>>& lines) {
    std::string text;
    for (const auto& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) text += (i ? " " : "") + std::to_string(line[i]);
        text += "\r\n";
    }
    return text;
}

int shared(const std::vector<int>& a, const std::vector<int>& b) {
    return static_cast<int>(
        std::count_if(a.begin(), a.end(), [&](int n) { return std::find(b.begin(), b.end(), n) != b.end(); }));
}

std::string grouped(std::uint64_t n) {
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

} // namespace

TEST(CommandLineOdds, PrintsEveryTiersOddsForTheGame) {
    TempFolder folder;
    const CliRun lotto = runCli({"odds"}, dataPathsIn(folder.path()));
    EXPECT_EQ(lotto.status, kExitSuccess) << lotto.err;
    EXPECT_EQ(lotto.out, "Odds of one ticket in Lotto 6/49 (6/49), of every possible draw:\n"
                         "  6           1 of 13,983,816         1 in 13,983,816\n"
                         "  5           258 of 13,983,816       1 in 54,200.84\n"
                         "  4           13,545 of 13,983,816    1 in 1,032.40\n"
                         "  3           246,820 of 13,983,816   1 in 56.66\n"
                         "  Any prize   260,624 of 13,983,816   1 in 53.66\n");
    const CliRun powerball = runCli({"odds", "--game", "Powerball"}, dataPathsIn(folder.path()));
    EXPECT_NE(powerball.out.find("  5 + bonus   1 of 292,201,338            1 in 292,201,338\n"), std::string::npos)
        << powerball.out;
}

TEST(CommandLineOdds, CountsAFilesCoverageOverEveryDrawAsAPlainCountDoes) {
    TempFolder folder;
    std::mt19937 random(9);
    std::vector<std::vector<int>> lines;
    for (int i = 0; i < 6; ++i) {
        std::set<int> line;
        while (line.size() < 5) line.insert(std::uniform_int_distribution<int>(1, 14)(random));
        lines.emplace_back(line.begin(), line.end());
    }
    const std::string file = folder.write("tickets.txt", linesText(lines));
    const CliRun result = runCli({"odds", "--game", "5/20", "--tickets", file}, dataPathsIn(folder.path()));
    ASSERT_EQ(result.status, kExitSuccess) << result.err;
    // Every draw of five of 20, the best match of any line; the usual tiers of 5/20 are 5, 4, 3 and 2.
    std::vector<std::uint64_t> orBetter(6, 0);
    for (int a = 1; a <= 20; ++a)
        for (int b = a + 1; b <= 20; ++b)
            for (int c = b + 1; c <= 20; ++c)
                for (int d = c + 1; d <= 20; ++d)
                    for (int e = d + 1; e <= 20; ++e) {
                        int best = 0;
                        for (const auto& line : lines) best = std::max(best, shared(line, {a, b, c, d, e}));
                        for (int m = 0; m <= best; ++m) ++orBetter[static_cast<std::size_t>(m)];
                    }
    for (int m = 2; m <= 5; ++m) {
        const std::string row = std::to_string(m) + (m == 5 ? "" : " or better");
        const std::string draws = grouped(orBetter[static_cast<std::size_t>(m)]) + " of 15,504";
        const std::size_t at = result.out.find("\n  " + row + " ", result.out.find("Coverage of"));
        ASSERT_NE(at, std::string::npos) << row << "\n" << result.out;
        const std::string line = result.out.substr(at + 1, result.out.find('\n', at + 1) - at - 1);
        EXPECT_NE(line.find(" " + draws + " "), std::string::npos) << line << " / " << draws;
    }
    EXPECT_NE(result.out.find("Guarantee of the file's pool of "), std::string::npos);
}

TEST(CommandLineOdds, RefusesATicketFileItCannotRead) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const CliRun missing = runCli({"odds", "--tickets", folder.file("none.txt")}, paths);
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_NE(missing.err.find("none.txt"), std::string::npos) << missing.err;
    const std::string empty = folder.write("empty.txt", "");
    const CliRun none = runCli({"odds", "--tickets", empty}, paths);
    EXPECT_EQ(none.status, kExitFailed);
    EXPECT_EQ(none.err, "orvane: the coverage of " + empty + " cannot be counted: it holds no lines\n");
    const std::string bad = folder.write("bad.txt", "1 2 3 4 5 6\r\n1 2 3 4 5 50\r\n");
    const CliRun wrong = runCli({"odds", "--tickets", bad}, paths);
    EXPECT_EQ(wrong.status, kExitFailed);
    EXPECT_NE(wrong.err.find("Line 2 of the ticket file " + bad), std::string::npos) << wrong.err;
}

TEST(CommandLineCheckHistory, CountsEachDrawsTiersAsAPlainCountDoes) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    std::mt19937 random(2);
    std::vector<std::vector<int>> draws, lines;
    const auto five = [&] {
        std::set<int> set;
        while (set.size() < 5) set.insert(std::uniform_int_distribution<int>(1, 12)(random));
        return std::vector<int>(set.begin(), set.end());
    };
    std::string history;
    for (int d = 0; d < 8; ++d) {
        draws.push_back(five());
        draws.back().push_back(std::uniform_int_distribution<int>(1, 3)(random));
        char date[32];
        std::snprintf(date, sizeof date, "2026-01-%02d ", d + 1);
        history += date;
        for (int i = 0; i < 5; ++i) history += " " + std::to_string(draws.back()[static_cast<std::size_t>(i)]);
        history += " + " + std::to_string(draws.back()[5]) + "\r\n";
    }
    folder.write("POWERBALL.HIT", history);
    std::string tickets;
    for (int l = 0; l < 20; ++l) {
        lines.push_back(five());
        lines.back().push_back(std::uniform_int_distribution<int>(1, 3)(random));
        for (int i = 0; i < 5; ++i) tickets += std::to_string(lines.back()[static_cast<std::size_t>(i)]) + " ";
        tickets += "+ " + std::to_string(lines.back()[5]) + "\r\n";
    }
    const std::string file = folder.write("tickets.txt", tickets);
    const CliRun result = runCli({"check", "--game", "Powerball", "--history", file, "--last", "6"}, paths);
    ASSERT_EQ(result.status, kExitSuccess) << result.err;
    // Powerball's tiers, best first; a line wins the first it makes.
    const std::vector<std::pair<int, int>> tiers = {{5, 1}, {5, 0}, {4, 1}, {4, 0}, {3, 1},
                                                    {3, 0}, {2, 1}, {1, 1}, {0, 1}};
    std::istringstream out(result.out);
    std::string line;
    std::getline(out, line);
    EXPECT_NE(line.find("against the last 6 of the 8 draws"), std::string::npos) << line;
    std::uint64_t withPrize = 0;
    for (std::size_t d = 2; d < draws.size(); ++d) {
        std::vector<int> byTier(tiers.size(), 0);
        for (const auto& ticket : lines) {
            const std::vector<int> main(ticket.begin(), ticket.begin() + 5);
            const int hits = shared(main, std::vector<int>(draws[d].begin(), draws[d].begin() + 5));
            const int bonus = ticket[5] == draws[d][5] ? 1 : 0;
            for (std::size_t t = 0; t < tiers.size(); ++t)
                if (tiers[t].first == hits && tiers[t].second <= bonus) {
                    ++byTier[t];
                    break;
                }
        }
        std::string counts;
        const char* labels[] = {"5 + bonus", "5",         "4 + bonus", "4",        "3 + bonus",
                                "3",         "2 + bonus", "1 + bonus", "0 + bonus"};
        std::string best = "none";
        for (std::size_t t = 0; t < tiers.size(); ++t) {
            counts += (t ? ", " : "") + std::string(labels[t]) + ": " + std::to_string(byTier[t]);
            if (best == "none" && byTier[t] > 0) best = labels[t];
        }
        withPrize += best != "none";
        ASSERT_TRUE(std::getline(out, line));
        EXPECT_EQ(line.substr(0, 10), "2026-01-0" + std::to_string(d + 1));
        EXPECT_NE(line.find("best: " + best + " "), std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - counts.size()), counts) << line;
    }
    std::getline(out, line);
    EXPECT_EQ(line.substr(0, 27), "Lines by tier over 6 draws:");
    std::getline(out, line);
    EXPECT_EQ(line, "Draws with a prize: " + std::to_string(withPrize) + " of 6");
}

TEST(CommandLineCheckHistory, RefusesWhatItCannotCheck) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const std::string tickets = folder.write("t.txt", "1 2 3 4 5 6\r\n");
    EXPECT_EQ(runCli({"check", "--history", tickets, "--winning", "1,2,3,4,5,6"}, paths).status, kExitUsage);
    EXPECT_EQ(runCli({"check", "--last", "3", "--winning", "1,2,3,4,5,6"}, paths).status, kExitUsage);
    EXPECT_EQ(runCli({"check"}, paths).status, kExitUsage);
    const CliRun noHistory = runCli({"check", "--history", tickets}, paths);
    EXPECT_EQ(noHistory.status, kExitFailed);
    EXPECT_NE(noHistory.err.find("FL6-49.HIT"), std::string::npos) << noHistory.err;
}
