#pragma once

#include "pool/PoolGeneration.h"
#include "reports/ReportHistory.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The pool computation taken apart into the steps a run announces, for
// generatePool, the pool job and the batch. Not for use outside pool/.
namespace orvane::pool_steps {

using Clock = std::chrono::steady_clock;

// The block scan against the recent window. Each block's score is the sum of
// its draws' weights, a draw's weight being how often its numbers occur in
// the recent window; consecutive blocks differ by one draw at each end, so
// the scan costs one addition and one subtraction per block.
class BlockScan {
public:
    // `draws` must hold at least 2 x trendLength + 2 draws.
    BlockScan(const GameReportDraws& draws, int trendLength);

    std::size_t blockCount() const { return blockCount_; }
    std::size_t blocksScored() const { return scores_.size(); }
    bool finished() const { return blocksScored() == blockCount(); }
    // Scores up to `most` further blocks; gives the score of the last block scored.
    std::uint64_t scoreBlocks(std::size_t most);
    // The best `count` groups, once every block is scored: slot by slot the
    // earliest block of the highest score above 0 not yet taken; slots left
    // when no block scores above 0 stay empty.
    std::vector<ScoredBlock> bestGroups(int count) const;

private:
    int trend_;
    std::size_t blockCount_;
    std::vector<std::uint64_t> weights_; // per draw of the history
    std::vector<std::uint64_t> scores_;  // per block scored so far, block k at k - 1
    std::uint64_t running_ = 0;          // the score of the last block scored
};

// The counts of the draws that followed the groups, after the exchange sort.
struct Ranking {
    std::vector<RankedNumber> rows;
    std::uint64_t swaps = 0;
};

// Ranks the numbers 1 to counts.size() by their counts (`counts[n - 1]` for n)
// with the exchange sort: for i < j, rows i and j swap when count(i) <
// count(j), so rows of equal count never swap with each other directly.
Ranking rankCounts(std::span<const std::uint64_t> counts);

// Counts the numbers of records end + 1 to end + N after each taken group
// (only the records that exist; an empty slot adds nothing) and ranks them:
// the main numbers 1 to the game's highest, or with `bonus` the bonus pool's.
Ranking rankFollowingDraws(const GameReportDraws& draws, const std::vector<ScoredBlock>& groups, int followingDraws,
                           bool bonus = false);

// The first `poolSize` numbers of the ranking.
std::vector<int> poolOf(const Ranking& ranking, int poolSize);

// What the passes of one run or batch share: the history, its scan and the
// results already worked out, so a pass that repeats an earlier one's work
// takes them over instead.
struct SharedWork {
    SharedWork(GameReportDraws historyDraws, int trendLength);
    GameReportDraws draws;
    BlockScan scan;
    std::optional<std::vector<ScoredBlock>> groups;
    std::array<std::optional<Ranking>, 5> rankings;      // by following draws, 1 to 5
    std::array<std::optional<Ranking>, 5> bonusRankings; // the same for the bonus pool
};

// One pass of a run as a sequence of units, each setting the step texts as
// the run shows them. A unit that begins a step (sets a new title) reports
// it, so that a slice can end there and the step's title is seen.
class Pass {
public:
    Pass(SharedWork& work, PoolParameters parameters, std::string trendText, std::string groupsText);

    // Does the next unit, working at most until `deadline` where a unit is
    // long; true when the unit began a step.
    bool unit(Clock::time_point deadline, std::string& action, std::string& status);
    bool finished() const { return stage_ == Stage::Finished; }
    // The pass's result once finished.
    PoolOutcome outcome() const;

private:
    enum class Stage { Count, Recent, ScanBegin, Scan, Groups, Slots, Ranking, Gathering, Complete, Finished };

    SharedWork& work_;
    PoolParameters parameters_;
    std::string trendText_;
    std::string groupsText_;
    Stage stage_ = Stage::Count;
    std::uint64_t lastScore_ = 0;
    int slot_ = 0;
};

} // namespace orvane::pool_steps
