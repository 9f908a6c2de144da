#include "tally/HistoryCheck.h"

#include "history/GameHistory.h"
#include "history/HistoryFile.h"
#include "tally/PrizeTiers.h"

#include <cstdio>

namespace orvane {

PastDraws readPastDraws(const Game& game, const std::string& path) {
    PastDraws past;
    if (game.isLotto649()) {
        const HistoryRead read = readHistoryRecords(path);
        past.error = read.error;
        for (const DrawRecord& record : read.draws) {
            PastDraw draw;
            char date[16];
            std::snprintf(date, sizeof date, "%02ld-%02ld-%02ld", record.date / 10000 % 100, record.date / 100 % 100,
                          record.date % 100);
            draw.date = date;
            for (int number : record.numbers) draw.numbers.add(number);
            past.draws.push_back(draw);
        }
        return past;
    }
    const GameHistoryRead read = readGameHistory(game, path);
    past.error = read.error;
    for (const GameDraw& gameDraw : read.draws) {
        PastDraw draw;
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", gameDraw.year, gameDraw.month, gameDraw.day);
        draw.date = date;
        for (int number : gameDraw.numbers) draw.numbers.add(number);
        for (int number : gameDraw.bonus) draw.bonus.add(number);
        past.draws.push_back(draw);
    }
    return past;
}

void keepLastDraws(std::vector<PastDraw>& draws, std::size_t last) {
    if (last > 0 && last < draws.size()) draws.erase(draws.begin(), draws.end() - static_cast<std::ptrdiff_t>(last));
}

HistoryCheck checkAgainstHistory(const Game& game, const std::vector<GameLine>& lines,
                                 const std::vector<PastDraw>& draws) {
    HistoryCheckJob job(game, lines, draws);
    job.advance(std::chrono::hours(1));
    return job.result();
}

HistoryCheckJob::HistoryCheckJob(const Game& game, std::vector<GameLine> lines, std::vector<PastDraw> draws)
    : table_(game), bonus_(game.hasBonusPool()), lines_(std::move(lines)), draws_(std::move(draws)) {
    check_.linesByTier.assign(static_cast<std::size_t>(table_.tiers()), 0);
    check_.draws.reserve(draws_.size());
}

bool HistoryCheckJob::advance(std::chrono::nanoseconds budget) {
    const auto deadline = std::chrono::steady_clock::now() + budget;
    while (!ended()) {
        checkDraw(draws_[next_++]);
        if (std::chrono::steady_clock::now() >= deadline) break;
    }
    return ended();
}

void HistoryCheckJob::checkDraw(const PastDraw& draw) {
    const auto tiers = static_cast<std::size_t>(table_.tiers());
    DrawCheck result;
    // One slot past the tiers counts the lines that win nothing.
    result.lines.assign(tiers + 1, 0);
    for (const GameLine& line : lines_) {
        const int bonusHits = bonus_ ? line.bonus.shared(draw.bonus) : 0;
        ++result.lines[static_cast<std::size_t>(table_.tierOf(line.numbers.shared(draw.numbers), bonusHits, false))];
    }
    result.lines.pop_back();
    result.bestTier = table_.noPrize();
    for (std::size_t t = tiers; t-- > 0;)
        if (result.lines[t] > 0) result.bestTier = static_cast<int>(t);
    for (std::size_t t = 0; t < tiers; ++t) check_.linesByTier[t] += result.lines[t];
    if (result.bestTier != table_.noPrize()) ++check_.drawsWithPrize;
    check_.draws.push_back(std::move(result));
}

} // namespace orvane
