#pragma once

// A ticket file against every past draw of the game: for each draw the best
// tier any line wins and how many lines win each tier, and over all draws the
// lines won per tier and the draws with any prize.

#include "core/Game.h"
#include "core/NumberSet.h"
#include "tally/GameWinTally.h"
#include "tally/PrizeTiers.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// A past draw as the check needs it, from either history format.
struct PastDraw {
    std::string date; // as the history writes it: "05-07-88" for 6/49, "2026-12-05" otherwise
    NumberSet numbers;
    NumberSet bonus;
};

struct PastDraws {
    std::vector<PastDraw> draws; // oldest first
    std::string error;           // names the file and the line; the draws are then empty
    bool ok() const { return error.empty(); }
};
// The draws of the game's history file at `path`.
PastDraws readPastDraws(const Game& game, const std::string& path);
// Keeps only the last `last` draws; 0 keeps them all.
void keepLastDraws(std::vector<PastDraw>& draws, std::size_t last);

struct DrawCheck {
    int bestTier = 0;                 // the index of the best tier won, or the count of tiers for none
    std::vector<std::uint64_t> lines; // by tier: the lines winning it
};

struct HistoryCheck {
    std::vector<DrawCheck> draws;           // as the draws were given
    std::vector<std::uint64_t> linesByTier; // over every draw
    std::uint64_t drawsWithPrize = 0;
};

// Every line against every draw. A draw of the history knows no extra ball,
// so a tier that names one is never won here.
HistoryCheck checkAgainstHistory(const Game& game, const std::vector<GameLine>& lines,
                                 const std::vector<PastDraw>& draws);

// The same check as a job, a draw at a time, for a window that shows its progress.
class HistoryCheckJob {
public:
    HistoryCheckJob(const Game& game, std::vector<GameLine> lines, std::vector<PastDraw> draws);
    bool advance(std::chrono::nanoseconds budget);
    void stop() { stopped_ = true; }
    bool stopped() const { return stopped_; }
    bool ended() const { return stopped_ || next_ == draws_.size(); }
    double progress() const {
        return draws_.empty() ? 1.0 : static_cast<double>(next_) / static_cast<double>(draws_.size());
    }
    const std::vector<PastDraw>& draws() const { return draws_; }
    // The draws checked so far, in order.
    const HistoryCheck& result() const { return check_; }
    std::size_t lines() const { return lines_.size(); }

private:
    void checkDraw(const PastDraw& draw);

    TierTable table_;
    bool bonus_ = false; // the lines' bonus numbers count only in a game with a bonus pool
    std::vector<GameLine> lines_;
    std::vector<PastDraw> draws_;
    HistoryCheck check_;
    std::size_t next_ = 0;
    bool stopped_ = false;
};

} // namespace orvane
