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

namespace {

// One draw against every line, added to the totals of `check`.
void checkDraw(const TierTable& table, bool bonus, const std::vector<GameLine>& lines, const PastDraw& draw,
               HistoryCheck& check) {
    const auto tiers = static_cast<std::size_t>(table.tiers());
    check.linesByTier.resize(tiers, 0);
    DrawCheck result;
    // One slot past the tiers counts the lines that win nothing.
    result.lines.assign(tiers + 1, 0);
    for (const GameLine& line : lines) {
        const int bonusHits = bonus ? line.bonus.shared(draw.bonus) : 0;
        ++result.lines[static_cast<std::size_t>(table.tierOf(line.numbers.shared(draw.numbers), bonusHits, false))];
    }
    result.lines.pop_back();
    result.bestTier = table.noPrize();
    for (std::size_t t = tiers; t-- > 0;)
        if (result.lines[t] > 0) result.bestTier = static_cast<int>(t);
    for (std::size_t t = 0; t < tiers; ++t) check.linesByTier[t] += result.lines[t];
    if (result.bestTier != table.noPrize()) ++check.drawsWithPrize;
    check.draws.push_back(std::move(result));
}

} // namespace

HistoryCheck checkAgainstHistory(const Game& game, const std::vector<GameLine>& lines,
                                 const std::vector<PastDraw>& draws) {
    const TierTable table(game);
    HistoryCheck check;
    check.linesByTier.assign(static_cast<std::size_t>(table.tiers()), 0);
    check.draws.reserve(draws.size());
    for (const PastDraw& draw : draws) checkDraw(table, game.hasBonusPool(), lines, draw, check);
    return check;
}

HistoryCheckJob::HistoryCheckJob(const Game& game, std::vector<GameLine> lines, std::vector<PastDraw> draws)
    : game_(game), lines_(std::move(lines)), draws_(std::move(draws)) {
    check_.linesByTier.assign(game.tiers().size(), 0);
}

bool HistoryCheckJob::advance(std::chrono::nanoseconds budget) {
    const TierTable table(game_);
    const auto deadline = std::chrono::steady_clock::now() + budget;
    while (!ended()) {
        checkDraw(table, game_.hasBonusPool(), lines_, draws_[next_], check_);
        ++next_;
        if (std::chrono::steady_clock::now() >= deadline) break;
    }
    return ended();
}

} // namespace orvane
