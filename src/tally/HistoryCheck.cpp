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

HistoryCheck checkAgainstHistory(const Game& game, const std::vector<GameLine>& lines,
                                 const std::vector<PastDraw>& draws) {
    const TierTable table(game);
    const auto tiers = static_cast<std::size_t>(table.tiers());
    HistoryCheck check;
    check.linesByTier.assign(tiers, 0);
    check.draws.reserve(draws.size());
    // The lines' bonus numbers matter only in a game with a bonus pool.
    const bool bonus = game.hasBonusPool();
    for (const PastDraw& draw : draws) {
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
    return check;
}

} // namespace orvane
