#include "core/Game.h"

#include "core/Binomial.h"
#include "core/NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace orvane {

namespace {

// The tiers a game has when none are named: the top matches of the main
// numbers, each with every count of bonus numbers, and with the extra ball
// beside the second tier.
std::vector<PrizeTier> usualTiers(int perTicket, bool extraBall, int bonusDrawn) {
    std::vector<PrizeTier> tiers;
    const int lowest = bonusDrawn > 0 ? std::max(0, perTicket - 3) : std::max(2, perTicket - 3);
    for (int main = perTicket; main >= lowest; --main) {
        if (extraBall && main == perTicket - 1) tiers.push_back({main, 0, true});
        for (int bonus = bonusDrawn; bonus >= 0; --bonus)
            if (main + bonus > 0) tiers.push_back({main, bonus, false});
    }
    return tiers;
}

} // namespace

Game Game::lotto649() {
    Game game;
    game.name_ = "Lotto 6/49";
    game.tiers_ = {{6, 0, false}, {5, 0, false}, {4, 0, false}, {3, 0, false}};
    return game;
}

std::optional<std::string> Game::problemWith(int highest, int perTicket, bool extraBall, int bonusPool, int bonusDrawn,
                                             const std::vector<PrizeTier>& tiers) {
    if (perTicket < kFewestPerTicket || perTicket > kMostPerTicket)
        return "a ticket of " + std::to_string(perTicket) + " numbers: it holds from " +
               std::to_string(kFewestPerTicket) + " to " + std::to_string(kMostPerTicket) + " numbers";
    if (highest > kLargestHighest)
        return "numbers up to " + std::to_string(highest) + ": the highest number is at most " +
               std::to_string(kLargestHighest);
    if (highest <= perTicket + (extraBall ? 1 : 0))
        return "numbers up to " + std::to_string(highest) + " for a ticket of " + std::to_string(perTicket) +
               (extraBall ? " and an extra ball" : "") + ": the drum must hold more numbers than are drawn";
    if (bonusPool < 0 || bonusDrawn < 0 || (bonusPool == 0) != (bonusDrawn == 0))
        return std::string("a bonus pool needs both its size and how many of it are drawn");
    if (bonusDrawn > kMostBonusDrawn)
        return "a bonus pool drawing " + std::to_string(bonusDrawn) + " numbers: at most " +
               std::to_string(kMostBonusDrawn);
    if (bonusPool > kLargestHighest || (bonusPool > 0 && bonusPool <= bonusDrawn))
        return "a bonus pool of " + std::to_string(bonusPool) + " numbers drawing " + std::to_string(bonusDrawn) +
               ": it must hold more numbers than are drawn, and at most " + std::to_string(kLargestHighest);
    for (std::size_t t = 0; t < tiers.size(); ++t) {
        const PrizeTier& tier = tiers[t];
        const std::string label = "the prize tier \"" + tierLabel(tier) + "\"";
        if (tier.main < 0 || tier.main > perTicket)
            return label + ": a ticket matches 0 to " + std::to_string(perTicket) + " main numbers";
        if (tier.bonus < 0 || tier.bonus > bonusDrawn)
            return label + (bonusDrawn == 0
                                ? std::string(": the game has no bonus pool")
                                : ": a ticket matches 0 to " + std::to_string(bonusDrawn) + " bonus numbers");
        if (tier.extra && !extraBall) return label + ": the game has no extra ball";
        if (tier.extra && tier.main == perTicket)
            return label + ": a ticket that matches every main number cannot hold the extra ball";
        if (std::find(tiers.begin(), tiers.begin() + static_cast<long>(t), tier) !=
            tiers.begin() + static_cast<long>(t))
            return label + " is named twice";
    }
    return std::nullopt;
}

std::optional<Game> Game::make(std::string name, int highest, int perTicket, bool extraBall, int bonusPool,
                               int bonusDrawn, std::vector<PrizeTier> tiers, std::string* problem) {
    if (tiers.empty()) tiers = usualTiers(perTicket, extraBall, bonusDrawn);
    if (const std::optional<std::string> why =
            problemWith(highest, perTicket, extraBall, bonusPool, bonusDrawn, tiers)) {
        if (problem) *problem = *why;
        return std::nullopt;
    }
    Game game;
    game.name_ = std::move(name);
    game.highest_ = highest;
    game.perTicket_ = perTicket;
    game.extraBall_ = extraBall;
    game.bonusPool_ = bonusPool;
    game.bonusDrawn_ = bonusDrawn;
    game.tiers_ = std::move(tiers);
    return game;
}

bool Game::isLotto649() const {
    const Game usual = lotto649();
    return highest_ == usual.highest_ && perTicket_ == usual.perTicket_ && !hasBonusPool();
}

std::string Game::matrix() const {
    std::string text = std::to_string(perTicket_) + "/" + std::to_string(highest_);
    if (hasBonusPool()) text += "+" + std::to_string(bonusDrawn_) + "/" + std::to_string(bonusPool_);
    return text;
}

std::string Game::spacedMatrix() const {
    std::string text = std::to_string(perTicket_) + "/" + std::to_string(highest_);
    if (hasBonusPool()) text += " + " + std::to_string(bonusDrawn_) + "/" + std::to_string(bonusPool_);
    return text;
}

std::string Game::title() const {
    if (name_.empty()) return spacedMatrix();
    return name_ + " (" + spacedMatrix() + ")";
}

std::string Game::tierLabel(const PrizeTier& tier) {
    std::string text = std::to_string(tier.main);
    if (tier.extra) text += " + extra";
    if (tier.bonus == 1) text += " + bonus";
    if (tier.bonus > 1) text += " + " + std::to_string(tier.bonus) + " bonus";
    return text;
}

int Game::smallestSum() const { return perTicket_ * (perTicket_ + 1) / 2; }
int Game::largestSum() const { return perTicket_ * highest_ - perTicket_ * (perTicket_ - 1) / 2; }

std::uint64_t Game::setsOfPick(int poolSize) const { return binomial(poolSize, perTicket_); }

std::uint64_t Game::possibleDraws() const {
    return binomial(highest_, perTicket_) * (hasBonusPool() ? binomial(bonusPool_, bonusDrawn_) : 1);
}

Odds Game::oddsOf(const PrizeTier& tier) const {
    const int k = perTicket_;
    const int others = highest_ - k; // the numbers not among the k drawn
    std::uint64_t main = 0;
    if (!extraBall_) {
        main = binomial(k, tier.main) * binomial(others, k - tier.main);
    } else if (tier.extra) {
        // The ticket holds `main` of the k, the extra ball, and the rest from the others.
        main = binomial(k, tier.main) * binomial(others - 1, k - tier.main - 1);
    } else {
        main = binomial(k, tier.main) * binomial(others - 1, k - tier.main);
    }
    const std::uint64_t bonus = hasBonusPool() ? binomial(bonusDrawn_, tier.bonus) *
                                                     binomial(bonusPool_ - bonusDrawn_, bonusDrawn_ - tier.bonus)
                                               : (tier.bonus == 0 ? 1 : 0);
    return Odds{main * bonus, possibleDraws()};
}

std::optional<Game> gameFromMatrix(std::string_view text, std::string* problem) {
    std::string compact;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c))) compact += c;
    const auto fail = [&](const std::string& why) -> std::optional<Game> {
        if (problem) *problem = "\"" + std::string(text) + "\" is not a game: " + why;
        return std::nullopt;
    };
    // Reads "K/N" from `at`; the numbers at most 3 digits.
    std::size_t at = 0;
    const auto number = [&](int& value) {
        const std::size_t start = at;
        value = 0;
        while (at < compact.size() && std::isdigit(static_cast<unsigned char>(compact[at])) && at - start < 3)
            value = value * 10 + (compact[at++] - '0');
        return at > start && (at == compact.size() || !std::isdigit(static_cast<unsigned char>(compact[at])));
    };
    const auto pair = [&](int& drawn, int& of) {
        if (!number(drawn)) return false;
        if (at >= compact.size() || compact[at] != '/') return false;
        ++at;
        return number(of);
    };
    int perTicket = 0, highest = 0, bonusDrawn = 0, bonusPool = 0;
    if (!pair(perTicket, highest)) return fail("write it as K/N or K/N+B/M, such as 6/49 or 5/69+1/26");
    if (at < compact.size()) {
        if (compact[at] != '+') return fail("write it as K/N or K/N+B/M, such as 6/49 or 5/69+1/26");
        ++at;
        if (!pair(bonusDrawn, bonusPool) || at != compact.size())
            return fail("write it as K/N or K/N+B/M, such as 6/49 or 5/69+1/26");
        if (bonusDrawn == 0) return fail("a bonus pool draws at least one number");
    }
    std::string why;
    std::optional<Game> game = Game::make("", highest, perTicket, false, bonusPool, bonusDrawn, {}, &why);
    if (!game) return fail(why);
    return game;
}

std::string oneInText(const Odds& odds) {
    if (odds.ways == 0) return "never";
    if (odds.draws % odds.ways == 0) return formatCount(odds.draws / odds.ways);
    const auto hundredths = static_cast<std::uint64_t>(std::llround(odds.oneIn() * 100.0));
    const std::uint64_t cents = hundredths % 100;
    return formatCount(hundredths / 100) + "." + (cents < 10 ? "0" : "") + std::to_string(cents);
}

} // namespace orvane
