#include "tally/HistoryCheckText.h"

#include "core/NumberText.h"

namespace orvane {

std::string pastDrawText(const PastDraw& draw) {
    std::string text = numbersDisplayText(draw.numbers.numbers());
    if (!draw.bonus.empty()) text += " + " + numbersDisplayText(draw.bonus.numbers());
    return text;
}

std::string drawsText(std::size_t draws) { return formatCount(draws) + (draws == 1 ? " draw" : " draws"); }

std::string bestTierText(const Game& game, int tier) {
    if (tier < 0 || tier >= static_cast<int>(game.tiers().size())) return "none";
    return Game::tierLabel(game.tiers()[static_cast<std::size_t>(tier)]);
}

std::string tierCountsText(const Game& game, const std::vector<std::uint64_t>& lines) {
    std::string text;
    for (std::size_t t = 0; t < game.tiers().size() && t < lines.size(); ++t) {
        if (!text.empty()) text += ", ";
        text += Game::tierLabel(game.tiers()[t]) + ": " + formatCount(lines[t]);
    }
    return text;
}

} // namespace orvane
