// The odds and coverage counts: the coverage of a ticket file over every draw
// of 6/49, the longest slice of that job (how soon Stop is answered), and a
// ticket file against a long history. Each figure is the least of five runs.
//   odds_bench [RUNS]

#include "core/Game.h"
#include "tally/Coverage.h"
#include "tally/HistoryCheck.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

using namespace orvane;
using Clock = std::chrono::steady_clock;

namespace {

std::vector<GameLine> randomLines(const Game& game, int count, std::mt19937& random) {
    std::vector<GameLine> lines;
    for (int i = 0; i < count; ++i) {
        GameLine line;
        while (line.numbers.count() < game.perTicket())
            line.numbers.add(std::uniform_int_distribution<int>(1, game.highest())(random));
        lines.push_back(line);
    }
    return lines;
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The whole count in slices of the windows' budget: the total time and the longest slice.
void coverage(const Game& game, const std::vector<GameLine>& lines, int runs) {
    double best = 1e9, longestSlice = 0;
    for (int run = 0; run < runs; ++run) {
        CoverageJob job(game, lines);
        const auto start = Clock::now();
        double longest = 0;
        bool ended = false;
        while (!ended) {
            const auto sliceStart = Clock::now();
            ended = job.advance(std::chrono::milliseconds(15));
            longest = std::max(longest, seconds(Clock::now() - sliceStart));
        }
        best = std::min(best, seconds(Clock::now() - start));
        longestSlice = std::max(longestSlice, longest);
    }
    std::printf("coverage of %zu lines over %s draws: %.3f s; longest slice %.1f ms\n", lines.size(),
                game.matrix().c_str(), best, longestSlice * 1000);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    std::mt19937 random(1);
    const Game lotto = Game::lotto649();
    coverage(lotto, randomLines(lotto, 163, random), runs);
    coverage(lotto, randomLines(lotto, 1000, random), runs);

    const std::vector<GameLine> tickets = randomLines(lotto, 10000, random);
    std::vector<PastDraw> draws;
    for (const GameLine& line : randomLines(lotto, 3000, random))
        draws.push_back(PastDraw{"01-01-99", line.numbers, {}});
    double best = 1e9;
    std::uint64_t prizes = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        prizes = checkAgainstHistory(lotto, tickets, draws).drawsWithPrize;
        best = std::min(best, seconds(Clock::now() - start));
    }
    std::printf("%zu lines against %zu draws: %.3f s (%llu draws with a prize)\n", tickets.size(), draws.size(), best,
                static_cast<unsigned long long>(prizes));
    return 0;
}
