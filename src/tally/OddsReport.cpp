#include "tally/OddsReport.h"

#include "core/NumberText.h"
#include "tally/PrizeTiers.h"

#include <cmath>

namespace orvane {

namespace {

std::string oneInOf(std::uint64_t ways, std::uint64_t draws) {
    return ways == 0 ? std::string("never") : "1 in " + oneInText(Odds{ways, draws});
}

std::string waysText(std::uint64_t ways, std::uint64_t draws) {
    return formatCount(ways) + " of " + formatCount(draws);
}

} // namespace

std::string shareText(std::uint64_t part, std::uint64_t total) {
    if (total == 0) return "0%";
    const long double exact = static_cast<long double>(part) * 100.0L / static_cast<long double>(total);
    auto tenThousandths = static_cast<std::uint64_t>(std::llround(exact * 10000.0L));
    if (part > 0 && tenThousandths == 0) return "under 0.0001%";
    if (part < total && tenThousandths == 1000000) return "over 99.9999%";
    const std::uint64_t fraction = tenThousandths % 10000;
    std::string digits = std::to_string(fraction);
    return std::to_string(tenThousandths / 10000) + "." + std::string(4 - digits.size(), '0') + digits + "%";
}

std::vector<OddsRow> tierOddsRows(const Game& game) {
    const TierOdds odds = tierOdds(game);
    std::vector<OddsRow> rows;
    for (std::size_t t = 0; t < odds.byTier.size(); ++t)
        rows.push_back(OddsRow{Game::tierLabel(game.tiers()[t]), waysText(odds.byTier[t].ways, odds.byTier[t].draws),
                               oneInOf(odds.byTier[t].ways, odds.byTier[t].draws)});
    rows.push_back(OddsRow{"Any prize", waysText(odds.anyPrize.ways, odds.anyPrize.draws),
                           oneInOf(odds.anyPrize.ways, odds.anyPrize.draws)});
    return rows;
}

std::vector<CoverageRow> coverageRows(const Game& game, const CoverageJob& job) {
    std::vector<CoverageRow> rows;
    const std::vector<std::uint64_t>& byTier = job.drawsByTier();
    const std::uint64_t draws = job.possibleDraws();
    std::uint64_t orBetter = 0;
    for (std::size_t t = 0; t < game.tiers().size(); ++t) {
        orBetter += byTier[t];
        rows.push_back(CoverageRow{Game::tierLabel(game.tiers()[t]) + (t == 0 ? "" : " or better"),
                                   waysText(orBetter, draws), shareText(orBetter, draws), oneInOf(orBetter, draws)});
    }
    rows.push_back(CoverageRow{"No prize", waysText(byTier.back(), draws), shareText(byTier.back(), draws),
                               oneInOf(byTier.back(), draws)});
    return rows;
}

std::vector<GuaranteeTableRow> guaranteeRows(const Game& game, const CoverageJob& job) {
    std::vector<GuaranteeTableRow> rows;
    for (const GuaranteeRow& row : job.guarantee()) {
        const int typical = row.typical();
        rows.push_back(GuaranteeTableRow{
            std::to_string(row.drawnInPool) + " of " + std::to_string(game.perTicket()), std::to_string(row.least()),
            std::to_string(typical) + " (" + shareText(row.byBestMatch[static_cast<std::size_t>(typical)], row.cases) +
                " of " + formatCount(row.cases) + ")"});
    }
    return rows;
}

} // namespace orvane
