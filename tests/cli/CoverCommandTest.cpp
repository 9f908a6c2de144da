#include "reports/OutputViewer.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>

using namespace orvane;

namespace {

// The tickets of a wheel output file, plain or numbered.
std::vector<std::vector<int>> ticketsIn(const std::string& text) {
    std::vector<std::vector<int>> tickets;
    for (std::string line : linesOf(text, "<no line end>")) {
        if (const std::size_t colon = line.find(':'); colon != std::string::npos) line = line.substr(colon + 1);
        std::istringstream numbers(line);
        std::vector<int> ticket;
        for (int n; numbers >> n;) ticket.push_back(n);
        tickets.push_back(ticket);
    }
    return tickets;
}

// The tallies `orvane check` prints, "k of 6: N" for k = 0..6.
std::vector<long long> talliesIn(const std::string& out) {
    std::vector<long long> tallies;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) tallies.push_back(std::stoll(line.substr(line.find(':') + 1)));
    return tallies;
}

std::string joined(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers) {
        if (!text.empty()) text += ',';
        text += std::to_string(n);
    }
    return text;
}

} // namespace

TEST(CommandLineCover, WritesTheTicketsWhereTheWheelWouldAndTheCheckerTalliesThem) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const std::vector<int> pool{2, 5, 9, 13, 18, 21, 26, 30, 34, 38, 41, 47};
    const CliRun run = runCli({"cover", "--pick", joined(pool), "--guarantee", "3if4", "--seconds", "0"}, paths);
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    const std::vector<std::vector<int>> tickets = ticketsIn(contentsOf(paths.wheelOutput));
    ASSERT_FALSE(tickets.empty());
    EXPECT_EQ(run.out, "Tickets: " + std::to_string(tickets.size()) + "\nGuarantee: 3 if 4 verified\n");
    EXPECT_EQ(run.err, "");
    for (const std::vector<int>& ticket : tickets) {
        ASSERT_EQ(ticket.size(), 6u);
        EXPECT_TRUE(std::is_sorted(ticket.begin(), ticket.end()));
        for (int n : ticket) EXPECT_TRUE(std::binary_search(pool.begin(), pool.end(), n)) << n;
    }

    // Draws with four numbers in the pool: some ticket holds three of them or more.
    std::mt19937 random(11);
    std::vector<int> outside;
    for (int n = 1; n <= 49; ++n)
        if (!std::binary_search(pool.begin(), pool.end(), n)) outside.push_back(n);
    for (int draw = 0; draw < 25; ++draw) {
        std::vector<int> in = pool, out = outside;
        std::shuffle(in.begin(), in.end(), random);
        std::shuffle(out.begin(), out.end(), random);
        const std::vector<int> winning{in[0], in[1], in[2], in[3], out[0], out[1]};
        const CliRun check = runCli({"check", "--winning", joined(winning)}, paths);
        ASSERT_EQ(check.status, kExitSuccess) << check.err;
        const std::vector<long long> tallies = talliesIn(check.out);
        ASSERT_EQ(tallies.size(), 7u) << check.out;
        EXPECT_GE(tallies[3] + tallies[4], 1) << joined(winning);
        long long all = 0;
        for (long long tally : tallies) all += tally;
        EXPECT_EQ(all, static_cast<long long>(tickets.size()));
    }

    // The output viewer shows every ticket.
    OutputViewer viewer(paths.wheelOutput);
    std::string shown;
    while (viewer.read(shown, 1000)) {}
    EXPECT_FALSE(viewer.problem());
    EXPECT_EQ(viewer.setsShown(), tickets.size());
}

TEST(CommandLineCover, NumberedOnStandardOutputWithTheSummaryOnStandardError) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const CliRun run =
        runCli({"cover", "--pick", "1-7", "--guarantee", "3", "--seconds", "0", "--output", "-", "--numbered"}, paths);
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.err, "Tickets: 4\nGuarantee: 3 if 3 verified\n");
    const std::vector<std::string> lines = linesOf(run.out, "<no line end>");
    ASSERT_EQ(lines.size(), 4u);
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].rfind(std::to_string(i + 1) + " : ", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(paths.wheelOutput));
}

TEST(CommandLineCover, AppendsWhenAsked) {
    TempFolder folder;
    const std::string output = folder.write("mine.TB", "1 2 3 4 5 6\r\n");
    const CliRun run =
        runCli({"cover", "--pick", "1-8", "--guarantee", "4", "--seconds", "0", "--output", output, "--append"},
               dataPathsIn(folder.path()));
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    const std::vector<std::vector<int>> tickets = ticketsIn(contentsOf(output));
    ASSERT_EQ(tickets.size(), 1u + 7u);
    EXPECT_EQ(tickets[0], (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(CommandLineCover, RefusesImpossibleGuaranteesAndLeavesTheOutputAlone) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const std::string output = folder.write("kept.TB", "1 2 3 4 5 6\r\n");
    struct Refused {
        std::vector<std::string> args;
        const char* says;
    };
    for (const Refused& refused : {Refused{{"--pick", "1-5", "--guarantee", "2"}, "5 numbers"},
                                   Refused{{"--pick", "1-12", "--guarantee", "4if3"}, "more matches than drawn"},
                                   Refused{{"--pick", "1-6", "--guarantee", "3if6"}, nullptr}, // possible: one ticket
                                   Refused{{"--pick", "1-12", "--guarantee", "7"}, "2 to 6"},
                                   Refused{{"--pick", "1-49", "--guarantee", "5"}, "10,000 tickets"}}) {
        std::vector<std::string> args{"cover", "--seconds", "0", "--output", output};
        args.insert(args.end(), refused.args.begin(), refused.args.end());
        const CliRun run = runCli(args, paths);
        if (!refused.says) {
            EXPECT_EQ(run.status, kExitSuccess) << run.err;
            EXPECT_EQ(contentsOf(output), "1 2 3 4 5 6\r\n");
            continue;
        }
        EXPECT_EQ(run.status, kExitFailed);
        EXPECT_NE(run.err.find(refused.says), std::string::npos) << run.err;
        EXPECT_EQ(contentsOf(output), "1 2 3 4 5 6\r\n");
    }
    // m larger than the pool cannot happen with six numbers or more and m <= 6;
    // a guarantee that is not one, or a missing one, is a usage error.
    for (const char* guarantee : {"3if", "three", "3if4if5", "10"})
        EXPECT_EQ(runCli({"cover", "--pick", "1-12", "--guarantee", guarantee}, paths).status, kExitUsage) << guarantee;
    EXPECT_EQ(runCli({"cover", "--pick", "1-12"}, paths).status, kExitUsage);
    EXPECT_EQ(runCli({"cover", "--pick", "1-12", "--guarantee", "3", "--seconds", "-1"}, paths).status, kExitUsage);
    // Nor does it write over the history file.
    std::filesystem::copy_file(ORVANE_SAMPLE_HISTORY, paths.history);
    const CliRun ontoHistory =
        runCli({"cover", "--pick", "1-12", "--guarantee", "3", "--seconds", "0", "--output", paths.history}, paths);
    EXPECT_EQ(ontoHistory.status, kExitFailed);
    EXPECT_EQ(contentsOf(paths.history), contentsOf(ORVANE_SAMPLE_HISTORY));
}
