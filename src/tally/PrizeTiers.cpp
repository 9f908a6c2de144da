#include "tally/PrizeTiers.h"

namespace orvane {

TierTable::TierTable(const Game& game) : tiers_(static_cast<int>(game.tiers().size())), bonusDrawn_(game.bonusDrawn()) {
    const int k = game.perTicket();
    table_.assign(static_cast<std::size_t>(k + 1) * static_cast<std::size_t>(bonusDrawn_ + 1) * 2, tiers_);
    for (int main = 0; main <= k; ++main)
        for (int bonus = 0; bonus <= bonusDrawn_; ++bonus)
            for (int extra = 0; extra < 2; ++extra)
                for (int t = 0; t < tiers_; ++t) {
                    const PrizeTier& tier = game.tiers()[static_cast<std::size_t>(t)];
                    if (tier.main == main && bonus >= tier.bonus && (!tier.extra || extra == 1)) {
                        table_[index(main, bonus, extra == 1)] = t;
                        break;
                    }
                }
}

std::vector<std::uint64_t> linesByTier(const Game& game, const std::vector<std::vector<std::uint64_t>>& byHits) {
    const TierTable table(game);
    // One slot past the tiers takes the lines that win nothing.
    std::vector<std::uint64_t> byTier(static_cast<std::size_t>(table.tiers()) + 1, 0);
    for (std::size_t main = 0; main < byHits.size(); ++main)
        for (std::size_t bonus = 0; bonus < byHits[main].size(); ++bonus)
            byTier[static_cast<std::size_t>(table.tierOf(static_cast<int>(main), static_cast<int>(bonus), false))] +=
                byHits[main][bonus];
    byTier.pop_back();
    return byTier;
}

TierOdds tierOdds(const Game& game) {
    const TierTable table(game);
    TierOdds odds;
    odds.byTier.assign(game.tiers().size(), Odds{0, game.possibleDraws()});
    odds.anyPrize = Odds{0, game.possibleDraws()};
    // Every way a ticket can match a draw falls in exactly one of these classes.
    for (int main = 0; main <= game.perTicket(); ++main)
        for (int bonus = 0; bonus <= game.bonusDrawn(); ++bonus)
            for (int extra = 0; extra < (game.extraBall() ? 2 : 1); ++extra) {
                const std::uint64_t ways = game.oddsOf(PrizeTier{main, bonus, extra == 1}).ways;
                const int tier = table.tierOf(main, bonus, extra == 1);
                if (tier == table.noPrize()) continue;
                odds.byTier[static_cast<std::size_t>(tier)].ways += ways;
                odds.anyPrize.ways += ways;
            }
    return odds;
}

} // namespace orvane
