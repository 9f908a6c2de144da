#pragma once

// The backtest: how the filters as the user set them would have treated the
// draws of the history, set against the share of the pick's sets chance alone
// would have them keep. On random draws the two agree whatever the filter (a
// filter chooses which sets are played, not which are drawn), so a lift
// whose interval covers 1 reads as consistent with chance.
//
//  - Each draw is judged by every active filter. The filters that read the
//    history (the last draw, its shadow, the last 15 sums, the last 25 evens
//    signatures, the filter against history) judge draw i walk-forward: with
//    only the draws before it as their history. A draw with too little history
//    before it is not judged by such a filter.
//  - Every set of the pick is tested once against every active filter at the
//    same time, as a wheel run with the whole history would test it, so each
//    filter's share of the sets, the share of all of them together and the
//    share of all but one come out of the same pass.
//  - The lift compares the share of the draws kept with the share chance
//    alone would keep: for each draw judged, the share of the sets the
//    filters keep with only the draws before it, averaged over the draws
//    (see ChanceShares). A filter that reads the history keeps more sets
//    while the history is short, so today's share of the sets would flatter it.

#include "core/Game.h"
#include "core/Notice.h"
#include "history/GameHistory.h"
#include "history/HistoryFile.h"
#include "wheel/FilterControls.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The filters of the three tabs, in the order a run applies them (the Ravelin
// skip is no filter of sets and is left out). A step of the run that answers to
// more than one control (the sum, the evens, the last draw) is split here into
// the filters the user switches one by one.
enum class BacktestFilter : int {
    Midpoint,        // below and above the midpoint
    Pairs,           // consecutive pairs and runs
    EvensSignatures, // the evens signatures of the last 25 draws     (reads the history)
    Evens,           // the allowed counts of even numbers
    Shadow,          // numbers of the last draw, position by position (reads the history)
    LastDraw,        // numbers of the last draw                       (reads the history)
    KeyNumbers,
    SumsPicked,      // the sums picked one by one
    SumLimits,       // minimum and maximum sum
    LastFifteenSums, // the sums of the last 15 draws                  (reads the history)
    Tens,
    Groups,
    PositionLimits,
    MaxDifference,
    Ones,
    Locks,
    AgainstHistory, // no more numbers of any past draw than the limit (reads the history)
    ExactValues,
};
inline constexpr int kBacktestFilterCount = 18;

struct BacktestFilterInfo {
    BacktestFilter filter;
    const char* name;  // for the window and the reports: "Sum limits", "Evens", "Last draw"
    const char* key;   // one word for CSV and scripts: "sum-limits"
    int historyNeeded; // draws a filter needs before a draw to judge it; 0: reads no history
};
// By filter, in run order.
const std::array<BacktestFilterInfo, kBacktestFilterCount>& backtestFilters();
inline const BacktestFilterInfo& backtestFilterInfo(BacktestFilter filter) {
    return backtestFilters()[static_cast<std::size_t>(filter)];
}
inline std::string_view backtestFilterName(BacktestFilter filter) { return backtestFilterInfo(filter).name; }

// What a backtest starts from.
struct BacktestRequest {
    FilterControls controls;              // as the user set them; normalised as a run normalises them
    std::vector<int> pick;                // ascending numbers of the game; empty: all of them
    std::vector<DrawRecord> draws;        // the 6/49 history, oldest first
    std::optional<std::size_t> lastDraws; // judge only the last N draws (the earlier ones still serve as history)
    Game game = Game::lotto649();         // another game reads gameDraws instead of draws
    std::vector<GameDraw> gameDraws;      // that game's history, oldest first
};

// A share k of n with its 95% interval (Wilson's score interval).
struct Proportion {
    std::uint64_t kept = 0;
    std::uint64_t of = 0;
    double share() const { return of == 0 ? 0.0 : static_cast<double>(kept) / static_cast<double>(of); }
};
struct Interval {
    double low = 0, high = 1;
};
// Wilson's interval for k of n at `z` standard deviations (1.96 for 95%); [0, 1] when n is 0.
Interval wilsonInterval(std::uint64_t kept, std::uint64_t of, double z = 1.959963984540054);

// The share of the pick's sets that chance alone leads a row's filters to keep:
// the mean, over the draws the row judged, of the share of the sets that its
// filters, configured with only the draws before each, keep. On random draws
// the share of the draws kept comes out at this share, whatever the filters.
struct ChanceShare {
    double share = 0;
    double error = 0;       // the standard error of an estimate; 0 when every set was counted
    bool estimated = false; // from a fixed random sample of sets and draws
    bool defined = false;   // false: the row judged no draw
};

// What a row's lift says, in words.
enum class Reading : std::uint8_t {
    NoDrawJudged,         // no draw to compare
    KeepsNoSet,           // the filters keep no set of the pick at any draw judged
    ConsistentWithChance, // the lift interval covers 1
    AboveChance,          // the whole interval lies above 1
    BelowChance,          // the whole interval lies below 1
};

enum class Verdict : std::uint8_t { Off, Kept, Rejected, NotJudged };

struct DrawVerdict {
    std::size_t index = 0; // in the history, 0 the oldest
    DrawRecord draw;
    std::optional<GameDraw> gameDraw; // the draw of a game other than 6/49, in place of `draw`
    bool inPick = true;               // a draw with a number outside the pick could never have been wheeled
    // Passed: kept by every active filter. Failed: rejected by one. NotJudged:
    // rejected by none, but some filter lacked the history to judge it.
    enum class Outcome : std::uint8_t { Passed, Failed, NotJudged } outcome = Outcome::Passed;
    std::optional<BacktestFilter> firstRejecting; // in run order
    std::array<Verdict, kBacktestFilterCount> verdicts{};
};

struct FilterResult {
    BacktestFilter filter{};
    Proportion draws; // draws kept of the draws judged (in the pick)
    Interval drawsInterval;
    std::uint64_t notJudged = 0; // draws in the pick it could not judge
    Proportion sets;             // sets of the pick kept by a run with the whole history
    ChanceShare chance;          // the share of the draws chance alone would keep
    std::optional<double> lift;  // draws share / chance share; none when no draw was judged or the chance share is 0
    double liftLow = 0, liftHigh = 0; // its 95% interval; liftHigh may be infinite
    Reading reading = Reading::NoDrawJudged;
    // All the other active filters together, without this one.
    Proportion drawsWithout;
    Interval drawsWithoutInterval;
    Proportion setsWithout;
    ChanceShare chanceWithout;
    std::optional<double> liftWithout;
};

struct BacktestResult {
    std::vector<DrawVerdict> draws;    // the draws judged, oldest first
    std::vector<FilterResult> filters; // the active filters, in run order
    FilterResult joint; // every active filter together (filter field unused; the "without" fields equal the joint ones)
    std::size_t drawsOutsidePick = 0; // left out of every count
    std::size_t drawsInPick() const { return draws.size() - drawsOutsidePick; }
    std::vector<int> pick;         // the pick the sets came from, with the exact positional values added
    bool pickIsEveryNumber = true; // false: draws outside the pick could never have been wheeled from it
    std::vector<Notice> notices;   // the sum-limit corrections a run would show
    bool complete = false;         // false: stopped before the sets were all counted
    std::string game;              // the title of a game other than 6/49, empty for 6/49
};

std::optional<double> liftOf(const Proportion& draws, const ChanceShare& chance);
// The lift, its interval and its reading for a row whose draws and chance share are known.
void readLift(FilterResult& row);

// The backtest as a resumable job: the draws are judged in the first slice, then
// the sets are counted a slice at a time.
class GameBacktest;

class BacktestJob {
public:
    explicit BacktestJob(BacktestRequest request);
    ~BacktestJob();
    BacktestJob(const BacktestJob&) = delete;
    BacktestJob& operator=(const BacktestJob&) = delete;

    // Works for about `budget`; true once the job has ended (finished or stopped).
    bool advance(std::chrono::nanoseconds budget);
    void runToEnd();
    // Ends the job where it stands; the draws judged so far stay, the set counts are left incomplete.
    void stop();

    bool ended() const { return ended_; }
    bool stopped() const { return stopped_; }
    // From 0 to 1: the share of the sets counted.
    double progress() const;
    // Whole once ended() and not stopped(). The draws are judged first, a part
    // per slice, and are all there once the sets are being counted.
    const BacktestResult& result() const { return result_; }

private:
    struct Engine;
    void prepare();
    void startChance();
    void finish();

    std::unique_ptr<Engine> engine_;
    std::unique_ptr<GameBacktest> game_; // a game other than 6/49
    BacktestResult result_;
    bool drawsJudged_ = false;
    bool setsCounted_ = false;
    bool ended_ = false;
    bool stopped_ = false;
};

// The whole backtest in one go.
BacktestResult runBacktest(BacktestRequest request);

} // namespace orvane
