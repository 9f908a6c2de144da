#pragma once

// A wheel run of any game as a resumable job: every k-number set of the pick
// in ascending lexicographic order, each counted, filtered and, when it passes,
// written once for each choice of the picked bonus numbers. (6/49 keeps its own
// job, WheelJob, whose output this one matches for that game.)
//
// Consecutive sets share their first k - 1 numbers, so the filters are worked
// out once for those as the last numbers that would fail; a block's passing
// sets are then counted from bits, or written one by one. The first k - 1
// numbers are walked depth first, each position keeping only the numbers its
// limits, locks and exact values allow.

#include "core/Game.h"
#include "core/Notice.h"
#include "wheel/GameMask.h"
#include "wheel/GameRules.h"
#include "wheel/WheelOutput.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class GameWheel {
public:
    // `pick` and `pickedBonus` ascending, within the game; `output` may be null
    // (record nothing). With no bonus numbers picked the main sets are written alone.
    // With `skip` (the Ravelin skip) the sets that fail the positional limits,
    // the maximum difference or the maximum sum are passed over uncounted, so
    // fewer sets are generated and the same ones pass.
    GameWheel(const Game& game, std::vector<int> pick, const std::vector<int>& pickedBonus, GameRules rules,
              std::unique_ptr<WheelOutput> output, bool skip = false);

    // Takes the filter controls that stay live during a run, from the next block on.
    void setLiveControls(const FilterControls& controls);

    // Works for about `budget`; true once the run has ended.
    bool advance(std::chrono::nanoseconds budget);
    void runToEnd();
    // Ends the run where it stands and closes the output.
    void stop();

    bool ended() const { return ended_; }
    // Lines: each set counts once for each choice of picked bonus numbers.
    std::uint64_t generated() const { return generatedSets_ * linesPerSet_; }
    std::uint64_t passing() const { return passingSets_ * linesPerSet_; }
    std::uint64_t linesPerSet() const { return linesPerSet_; }
    // The first k - 1 numbers of the block the run stands at.
    std::vector<int> currentLeading() const;
    // The last set of that block (its leading numbers and the pick's largest), as
    // far as the run has gone; nothing before it has started.
    std::vector<int> lastSetOfBlock() const;
    const std::optional<Notice>& failure() const { return failure_; }

private:
    // What the leading numbers of a set give the filters.
    struct Leading {
        int sum = 0, below = 0, pairs = 0, run = 1, longest = 1;
        int shadow = 0, fromLastDraw = 0;
        unsigned signature = 0;
        int last = 0;
        GameMask numbers = 0;
        bool locked = false; // a number the locks or exact values refuse: the walk goes on only to count
    };

    void compileTables();
    bool walk(std::chrono::steady_clock::time_point deadline);
    // Passes over the numbers at the current depth from the pick index `at` on,
    // as sets that fail whatever follows; `rest` counts every later number too.
    void passOver(int at, bool rest, bool counted);
    GameMask failingLast(const Leading& leading) const;
    GameMask failingByClasses(const Leading& leading) const;
    GameMask failingByKeys(const Leading& leading) const;
    void keepRejectingDraws(int placed, GameMask leading);
    bool record(GameMask passing);
    bool recordLine(std::string_view text, std::uint64_t passingCount);
    void end();

    Game game_;
    int k_;
    std::vector<int> pick_;
    int poolSize_;
    GameMask pickNumbers_ = 0;
    std::vector<std::string> bonusParts_;
    std::uint64_t linesPerSet_ = 1;
    GameRules rules_;
    bool anyRule_ = false;
    bool beyondSums_ = false;         // a block filter other than the sums is on
    std::vector<GameMask> pickAbove_; // by pick index: the pick's numbers after it
    std::unique_ptr<WheelOutput> output_;
    FileWheelOutput* fileOutput_ = nullptr; // output_ when it is the file

    // The filters' answers for the last number, by what the leading numbers give.
    GameMask every_ = 0;
    std::vector<GameMask> failingBySum_, failingByBelow_, failingBySignature_;
    std::vector<GameMask> shadowFailing_, fromLastDrawFailing_;
    std::vector<GameMask> shadowWeightMasks_, fromLastDrawWeightMasks_;
    std::vector<GameMask> allowedAtPosition_; // by the limits, locks and exact values
    std::vector<GameMask> withinLimits_;      // by the positional limits alone
    bool skip_ = false;
    int wholeMaxSum_ = 0, wholeMinSum_ = 0; // the sums every set keeps within (the game's ends when off)
    std::vector<int> largestRest_;          // by count c: the sum of the c largest pick numbers
    std::vector<int> smallestRest_;         // by pick index i and count c: the sum of the c pick numbers after i
    std::size_t restIndex(int i, int c) const {
        return static_cast<std::size_t>(i) * (static_cast<std::size_t>(k_) + 1) + static_cast<std::size_t>(c);
    }
    std::array<GameMask, 10> tensMasks_{}, onesMasks_{};
    std::array<GameMask, 6> keyCountMasks_{}; // numbers by how many key boxes hold them
    GameMask validKeys_ = 0;
    bool unreachableKey_ = false;
    std::vector<GameMask> groups_;
    // By numbers placed: the past draws that can still reject a set starting
    // with them; before any is placed, every past draw.
    std::array<std::vector<GameMask>, Game::kMostPerTicket + 1> pastDrawsAt_;
    int wholeMaxDif_ = 0;

    // The walk: pick indexes of the leading numbers, and what each depth gives.
    std::array<int, 8> index_{};
    std::array<Leading, 8> leading_{};
    int depth_ = 0;
    bool started_ = false;
    bool ended_ = false;
    std::uint64_t generatedSets_ = 0, passingSets_ = 0;
    std::optional<Notice> failure_;
};

} // namespace orvane
