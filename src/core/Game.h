#pragma once

// A lotto game: how many numbers a ticket holds of how many, an extra ball
// drawn from the same drum (it counts only towards prize tiers), a separate
// bonus pool, and the prize tiers. Everything that follows from the game (the
// sums a set can have, the midpoint, the tens classes, the position letters,
// the count of sets and the odds of each tier) is derived here and nowhere else.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A prize tier as the numbers a ticket matches: "5 + bonus" is 5 main numbers
// and 1 bonus number; "5 + extra" 5 main numbers and the extra ball.
struct PrizeTier {
    int main = 0;
    int bonus = 0;      // of the separate bonus pool
    bool extra = false; // the extra ball from the main drum, besides `main` numbers
    bool operator==(const PrizeTier&) const = default;
};

// Exact odds: `ways` of the `draws` possible outcomes.
struct Odds {
    std::uint64_t ways = 0;
    std::uint64_t draws = 0;
    // "1 in N" as a number (0 when the outcome cannot happen).
    double oneIn() const { return ways == 0 ? 0.0 : static_cast<double>(draws) / static_cast<double>(ways); }
};

class Game {
public:
    static constexpr int kLargestHighest = 90;
    static constexpr int kFewestPerTicket = 3;
    static constexpr int kMostPerTicket = 8;
    static constexpr int kMostBonusDrawn = 2;

    // The game Orvane has always served: 6 of 49, tiers 6, 5, 4 and 3.
    static Game lotto649();

    // Why these numbers make no game ("a ticket of 9 numbers: from 3 to 8"),
    // or nothing when they do. The tiers are checked too: each must be a match
    // a ticket can make.
    static std::optional<std::string> problemWith(int highest, int perTicket, bool extraBall, int bonusPool,
                                                  int bonusDrawn, const std::vector<PrizeTier>& tiers);
    // A game from checked numbers; with no tiers given, the usual ones.
    static std::optional<Game> make(std::string name, int highest, int perTicket, bool extraBall, int bonusPool,
                                    int bonusDrawn, std::vector<PrizeTier> tiers, std::string* problem = nullptr);

    const std::string& name() const { return name_; }
    int highest() const { return highest_; }     // N: numbers 1 to N
    int perTicket() const { return perTicket_; } // k
    bool extraBall() const { return extraBall_; }
    int bonusPool() const { return bonusPool_; }   // M, 0 without a bonus pool
    int bonusDrawn() const { return bonusDrawn_; } // b
    bool hasBonusPool() const { return bonusPool_ > 0; }
    const std::vector<PrizeTier>& tiers() const { return tiers_; }

    // Whether this is the 6/49 game of the default (whatever its name and
    // tiers): its wheel, files and texts are the ones Orvane has always had.
    bool isLotto649() const;

    // "6/49", "5/69+1/26".
    std::string matrix() const;
    // "6/49", "5/69 + 1/26": the matrix as titles and messages show it.
    std::string spacedMatrix() const;
    // "Powerball (5/69 + 1/26)", or the matrix alone when the game has no other name.
    std::string title() const;
    // "5 + bonus", "5 + extra", "4 + 2 bonus", "3".
    static std::string tierLabel(const PrizeTier& tier);

    int smallestSum() const;                              // 1 + 2 + ... + k: 21 for 6/49
    int largestSum() const;                               // (N - k + 1) + ... + N: 279 for 6/49
    int midpoint() const { return highest_ / 2; }         // numbers up to it lie below the midpoint: 24 for 49
    int tensClasses() const { return highest_ / 10 + 1; } // 0-9, 10-19, ...: 5 for 49
    char positionLetter(int position) const { return static_cast<char>('A' + position); } // from 0
    // The sets of k numbers of a pick of `poolSize`.
    std::uint64_t setsOfPick(int poolSize) const;
    // Every outcome of a draw: C(N, k) main sets times C(M, b) bonus sets.
    std::uint64_t possibleDraws() const;
    // The odds that one ticket makes exactly this tier.
    Odds oddsOf(const PrizeTier& tier) const;
    // The odds of the top tier: every main number (and every bonus number).
    Odds jackpotOdds() const { return oddsOf(PrizeTier{perTicket_, bonusDrawn_, false}); }

    bool operator==(const Game& other) const = default;

private:
    Game() = default;

    std::string name_;
    int highest_ = 49;
    int perTicket_ = 6;
    bool extraBall_ = false;
    int bonusPool_ = 0;
    int bonusDrawn_ = 0;
    std::vector<PrizeTier> tiers_;
};

// A game named by its matrix, "6/59", "5/69+1/26" (spaces allowed, "+ 1/26"),
// with the usual tiers; or why the text is no matrix.
std::optional<Game> gameFromMatrix(std::string_view text, std::string* problem = nullptr);

// "13,983,816" style for a "1 in N" figure: two decimals unless N is whole.
std::string oneInText(const Odds& odds);

} // namespace orvane
