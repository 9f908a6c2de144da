#pragma once

// The odds and coverage of a ticket file: over every possible draw of the
// game, the best tier the file wins (so the share of draws it wins at each
// tier or better), and for the pool of numbers the file uses, the guarantee
// table: given m of the drawn numbers are in the pool, the least and the
// typical best match of the file. Both are counted over every case, not
// sampled, so every figure is exact. A job, walked in slices.

#include "core/Game.h"
#include "tally/GameWinTally.h"
#include "tally/HitWalk.h"
#include "tally/PrizeTiers.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// Given `drawnInPool` of the drawn numbers are in the pool: how many of those
// cases there are, and in how many the file's best match is each count.
struct GuaranteeRow {
    int drawnInPool = 0;
    std::vector<std::uint64_t> byBestMatch; // index: the best match, 0 to the drawn in pool
    std::uint64_t cases = 0;
    int least() const;   // the least best match: what the file guarantees
    int typical() const; // the best match of the most cases
};

class CoverageJob {
public:
    // The largest file counted: the walk's time grows with the lines.
    static constexpr std::size_t kMostLines = 20000;

    // Why the file's coverage cannot be counted ("holds no lines", too many),
    // or nothing.
    static std::optional<std::string> refusal(const Game& game, std::size_t lines);

    // `lines` must pass refusal().
    CoverageJob(const Game& game, std::vector<GameLine> lines);
    ~CoverageJob();
    CoverageJob(const CoverageJob&) = delete;
    CoverageJob& operator=(const CoverageJob&) = delete;

    bool advance(std::chrono::nanoseconds budget);
    void runToEnd();
    void stop() { stopped_ = true; }
    bool ended() const { return ended_; }
    bool stopped() const { return stopped_; }
    // The share of the work done, 0 to 1.
    double progress() const;

    // By the best tier won (the game's tiers, then one slot for no prize):
    // how many of the possible draws. Complete once the job has ended unstopped.
    const std::vector<std::uint64_t>& drawsByTier() const { return drawsByTier_; }
    std::uint64_t possibleDraws() const { return possibleDraws_; }
    const std::vector<int>& pool() const { return pool_; }
    // From the most drawn numbers in the pool down to 2; the rows that cannot
    // happen (the pool too small or too large for them) are left out.
    const std::vector<GuaranteeRow>& guarantee() const { return rows_; }

private:
    struct BonusOutcome; // a bonus draw and the line groups it hits
    void startRow();
    void walkCoverageUnit();
    void countBonusDraws(int base);
    void countExtraBalls(const std::uint8_t* before, const std::uint8_t* last, int number, int best, int base);
    void walkRowUnit();

    Game game_;
    std::vector<GameLine> lines_; // ordered by their bonus numbers
    TierTable table_;
    std::vector<int> pool_;
    std::uint64_t possibleDraws_ = 0;
    std::vector<std::uint64_t> drawsByTier_;
    std::vector<GuaranteeRow> rows_;
    std::vector<std::uint64_t> mainBest_; // by best main match over every main draw, for the first row

    std::unique_ptr<HitWalk> walk_;
    bool coverageDone_ = false;
    std::size_t row_ = 0; // the guarantee row being walked
    std::vector<int> rowSizes_;

    // The groups of lines sharing their bonus numbers: [begin, end) in lines_.
    std::vector<std::pair<std::size_t, std::size_t>> groups_;
    std::vector<BonusOutcome> bonusOutcomes_;
    std::uint64_t outcomesHittingNoGroup_ = 0;
    std::vector<int> groupBest_;
    // For a game with an extra ball: the main matches at which it changes the tier.
    int lowestExtraMatch_ = 0;
    std::vector<int> extraTier_; // by number: the best tier with it as the extra ball
    std::vector<int> touched_;   // the numbers of extraTier_ set for the draw being counted

    std::uint64_t workDone_ = 0, workTotal_ = 0;
    bool ended_ = false;
    bool stopped_ = false;
};

} // namespace orvane
