#pragma once

// The backtest of a game other than 6/49, with the same rows and the same
// walk-forward null as 6/49's (see Backtest.h):
//  - each draw is judged by every active filter, the history-reading ones with
//    only the draws before it;
//  - the sets a run with the whole history keeps are counted by the game's
//    wheel, for each filter alone, all but one and all together;
//  - the chance share of a row whose filters read no history is its share of
//    the sets, exactly; a row with a history-reading filter keeps a different
//    share at each draw, so its mean over the draws judged is estimated from a
//    fixed random sample of the pick's sets, each tried at every draw the row
//    judged, with the standard error of that sample.

#include "backtest/Backtest.h"
#include "wheel/GameMask.h"
#include "wheel/GameRules.h"
#include "wheel/RunPreparation.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

namespace orvane {

class GameWheel;

// Sets of the pick tried at every draw for an estimated chance share.
inline constexpr std::size_t kGameChanceSampleSets = 4000;

// The rules with only the filters of `bits` (by BacktestFilter) left on.
GameRules withOnlyFilters(GameRules rules, std::uint32_t bits);
// The filters `rules` has on, as bits by BacktestFilter.
std::uint32_t activeFilterBits(const GameRules& rules);

class GameBacktest {
public:
    // Fills `result` as it goes: the notices and pick at once, the draws as
    // they are judged, the rest at the end.
    GameBacktest(BacktestRequest request, BacktestResult& result);
    ~GameBacktest();
    GameBacktest(const GameBacktest&) = delete;
    GameBacktest& operator=(const GameBacktest&) = delete;

    // Works for about `budget`; true once every count is made.
    bool advance(std::chrono::nanoseconds budget);
    // Counts the draws judged so far, as a stopped backtest shows them.
    void stop();
    double progress() const;

private:
    // A row of the result: its filters as bits.
    struct Row {
        std::uint32_t bits = 0;
        std::uint64_t setsKept = 0;
        std::size_t threshold = 0;       // the first draw all its filters can judge
        bool readsHistory = false;       // its chance share is estimated
        std::vector<std::uint32_t> kept; // by sampled set: the draws it kept that set at
        std::uint64_t drawsTried = 0;
    };

    bool judgeUntil(std::chrono::steady_clock::time_point deadline);
    DrawVerdict verdictOf(std::size_t i) const;
    bool countSetsUntil(std::chrono::steady_clock::time_point deadline);
    bool sampleSetsUntil(std::chrono::steady_clock::time_point deadline);
    bool tryDrawsUntil(std::chrono::steady_clock::time_point deadline);
    // The rules of each history-reading filter alone, with the draws before draw i.
    std::vector<GameRules> historyRulesBefore(std::size_t i) const;
    // The history-reading filters that reject `set` at draw i; `firstRejecting`
    // is the first draw the filter against history rejects it by.
    std::uint32_t historyFailing(const std::vector<int>& set, std::size_t firstRejecting, std::size_t i,
                                 const std::vector<GameRules>& before) const;
    // The first draw sharing more numbers with `numbers` than the filter against history allows.
    std::size_t firstRejectingDraw(GameMask numbers) const;
    ChanceShare chanceOf(const Row& row, const Proportion& draws) const;
    void finish();

    BacktestResult& result_;
    Game game_;
    FilterControls controls_; // normalised
    std::vector<GameDraw> draws_;
    std::vector<GameMask> drawMasks_;
    std::size_t firstJudged_ = 0;
    GameMask pickMask_ = 0;
    TablesNeeded needed_;
    GameRules whole_;              // with the whole history
    std::vector<GameRules> alone_; // by active filter: whole_ with that filter alone
    std::uint32_t active_ = 0;
    std::uint32_t historyBits_ = 0; // the active filters that read the history
    std::vector<BacktestFilter> activeList_;
    std::vector<BacktestFilter> historyList_; // the active filters that read the history
    std::vector<Row> rows_;                   // by active filter alone, by active filter without it, then all together
    std::uint64_t total_ = 0;

    std::size_t nextDraw_ = 0;
    bool drawsJudged_ = false;
    std::size_t nextCount_ = 0; // the row whose sets are being counted
    std::unique_ptr<GameWheel> counting_;
    bool setsCounted_ = false;
    std::vector<std::vector<int>> sample_;
    std::vector<std::uint32_t> sampleFailing_;      // by sampled set: the filters reading no history that reject it
    std::vector<std::size_t> sampleFirstRejecting_; // by sampled set, for the filter against history
    std::vector<std::size_t> drawsToTry_;
    bool sampled_ = false;
    std::size_t nextTry_ = 0;
    bool finished_ = false;
};

} // namespace orvane
