#pragma once

// Which prize tier a line wins, and the odds of each tier for one ticket. A
// line wins the first of the game's tiers (they are listed best first) whose
// match it makes: exactly the tier's count of main numbers, at least its count
// of bonus numbers, and the extra ball when the tier names it. So in a game
// whose tiers are "5 + extra, 5, 4" a line of 4 numbers and the extra ball
// wins "4", as the lotteries pay it.

#include "core/Game.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

class TierTable {
public:
    explicit TierTable(const Game& game);

    // The index in the game's tiers of the tier won, or noPrize().
    int tierOf(int mainHits, int bonusHits, bool extraHit) const {
        return table_[index(mainHits, bonusHits, extraHit)];
    }
    int noPrize() const { return tiers_; }
    int tiers() const { return tiers_; }

private:
    std::size_t index(int mainHits, int bonusHits, bool extraHit) const {
        return (static_cast<std::size_t>(mainHits) * static_cast<std::size_t>(bonusDrawn_ + 1) +
                static_cast<std::size_t>(bonusHits)) *
                   2 +
               (extraHit ? 1 : 0);
    }

    int tiers_ = 0;
    int bonusDrawn_ = 0;
    std::vector<int> table_;
};

// A win check's lines by tier (in the game's order) from its counts by main and
// bonus numbers hit, `byHits[main][bonus]`, each line in the tier it wins.
std::vector<std::uint64_t> linesByTier(const Game& game, const std::vector<std::vector<std::uint64_t>>& byHits);

// The odds of one ticket in one draw.
struct TierOdds {
    std::vector<Odds> byTier; // of winning exactly that tier, in the game's order
    Odds anyPrize;            // of winning any tier
};
TierOdds tierOdds(const Game& game);

} // namespace orvane
