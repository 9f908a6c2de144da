#include "pool/PoolGeneration.h"

#include "pool/PoolSteps.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace orvane {

namespace {

Notice parameterNotice(std::string text) { return Notice{std::move(text), "VN-Gathra", NoticeIcon::Exclamation}; }

bool within(int value, int low, int high) { return value >= low && value <= high; }

} // namespace

int poolComboValue(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = std::min<long long>(value * 10 + (text[at] - '0'), INT_MAX); // an endless number stays out of range
    return static_cast<int>(negative ? -value : value);
}

std::optional<Notice> checkPoolParameters(const PoolParameters& parameters, std::size_t draws, const Game& game) {
    // The scan needs one block before the recent window besides the latest
    // draw: 2T + 2 draws at least.
    const std::size_t longest = draws >= 2 ? (draws - 2) / 2 : 0;
    const std::string held = "the history holds " + std::to_string(draws) + (draws == 1 ? " draw" : " draws");
    if (longest < 1)
        return parameterNotice("The history is too short for a pool: " + held +
                               ", and a trend of T draws needs at least 2T + 2 of them (4 for a trend of 1).");
    if (parameters.trendLength < 1 || static_cast<std::size_t>(parameters.trendLength) > longest)
        return parameterNotice("The trend length must be a whole number from 1 to " + std::to_string(longest) + ": " +
                               held + ", and a trend of T draws needs at least 2T + 2 of them.");
    if (!within(parameters.bestGroups, 1, kMostBestGroups))
        return parameterNotice("The number of best trend groups must be a whole number from 1 to " +
                               std::to_string(kMostBestGroups) + ".");
    if (!within(parameters.poolSize, 1, game.highest()))
        return parameterNotice("The pool size must be a whole number from 1 to " + std::to_string(game.highest()) +
                               ".");
    if (!within(parameters.followingDraws, 1, 5))
        return parameterNotice("The number of following draws the pool is valid for must be from 1 to 5.");
    if (game.hasBonusPool() && !within(parameters.bonusPoolSize, 1, game.bonusPool()))
        return parameterNotice("The bonus pool size must be a whole number from 1 to " +
                               std::to_string(game.bonusPool()) + ".");
    return std::nullopt;
}

PoolOutcome generatePool(const GameReportDraws& draws, const PoolParameters& parameters) {
    pool_steps::BlockScan scan(draws, parameters.trendLength);
    scan.scoreBlocks(scan.blockCount());
    PoolOutcome outcome;
    outcome.draws = draws.size();
    outcome.blocksTested = scan.blockCount();
    outcome.bestGroups = scan.bestGroups(parameters.bestGroups);
    const pool_steps::Ranking ranking =
        pool_steps::rankFollowingDraws(draws, outcome.bestGroups, parameters.followingDraws);
    outcome.ranking = ranking.rows;
    outcome.swaps = ranking.swaps;
    outcome.pool = pool_steps::poolOf(ranking, parameters.poolSize);
    if (draws.game.hasBonusPool()) {
        const pool_steps::Ranking bonus =
            pool_steps::rankFollowingDraws(draws, outcome.bestGroups, parameters.followingDraws, true);
        outcome.bonusRanking = bonus.rows;
        outcome.bonusPool = pool_steps::poolOf(bonus, parameters.bonusPoolSize);
    }
    return outcome;
}

} // namespace orvane
