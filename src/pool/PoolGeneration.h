#pragma once

#include "core/Game.h"
#include "core/Notice.h"
#include "reports/ReportHistory.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// What a pool run is asked for.
struct PoolParameters {
    int trendLength = 5;    // T: the recent draws compared with the history
    int bestGroups = 10;    // G: how many of the most similar stretches are used
    int poolSize = 49;      // P: how many numbers the pool holds
    int followingDraws = 1; // N: the draws after each stretch that are counted, 1 to 5
    int bonusPoolSize = 0;  // how many bonus numbers are proposed, in a game with a bonus pool
};

// A combo box's value: the leading whole number of its text, 0 when there is none.
int poolComboValue(std::string_view text);

// Why a run cannot go ahead: a value outside its range, named with the range it
// must lie in (T from 1 to (draws - 2) / 2, G from 1 to 49, P from 1 to the
// game's highest number, N from 1 to 5, and in a game with a bonus pool the
// bonus pool size from 1 to the pool's size), or nothing when every value is
// usable for a history of `draws` draws.
std::optional<Notice> checkPoolParameters(const PoolParameters& parameters, std::size_t draws,
                                          const Game& game = Game::lotto649());

// The most best groups a run may use.
inline constexpr int kMostBestGroups = 49;

// A stretch of the history tested against the recent draws: records `start` to
// `end` - 1 (records count from 1 at the oldest), and its score. An empty
// best-group slot has start 0, end 0 and score 0.
struct ScoredBlock {
    int start = 0;
    int end = 0;
    std::uint64_t score = 0;
    bool operator==(const ScoredBlock&) const = default;
};

// One row of the ranking: a number and how often it came in the following draws.
struct RankedNumber {
    int number = 0;
    std::uint64_t count = 0;
    bool operator==(const RankedNumber&) const = default;
};

// Everything a run works out.
struct PoolOutcome {
    std::size_t draws = 0;                  // D
    std::size_t blocksTested = 0;           // D - 2T - 1
    std::vector<ScoredBlock> bestGroups;    // G slots, in the order they were chosen
    std::vector<RankedNumber> ranking;      // the game's numbers after the exchange sort
    std::uint64_t swaps = 0;                // swaps the exchange sort made
    std::vector<int> pool;                  // the first P numbers of the ranking
    std::vector<RankedNumber> bonusRanking; // the bonus pool's numbers, ranked the same way
    std::vector<int> bonusPool;             // the first bonus-pool-size numbers of that ranking
    bool operator==(const PoolOutcome&) const = default;
};

// The whole computation over the draws, oldest first, for parameters that
// checkPoolParameters accepts:
// - the recent window is records D - T to D - 1;
// - the blocks are records k to k + T - 1 for k from 1 to D - 2T - 1, each
//   scored by the sum over the numbers of (count in the recent window) x
//   (count in the block);
// - slot g takes the first block of the highest score above 0 among the
//   blocks not yet taken (a slot stays empty when none scores above 0);
// - each taken block adds records end + 1 to end + N, those that exist; an
//   empty slot adds nothing;
// - the counts of the game's numbers are ranked by the exchange sort (for
//   i < j, swap rows i and j when count(i) < count(j)), whose tie order is
//   part of the result;
// - in a game with a bonus pool, the bonus numbers of the same following
//   draws are counted and ranked the same way.
PoolOutcome generatePool(const GameReportDraws& draws, const PoolParameters& parameters);

} // namespace orvane
