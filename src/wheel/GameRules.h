#pragma once

// The filters of a wheel run of any game, compiled from the normalised filter
// controls: plain values, every range and default taken from the game. The
// plain check of one set here is what the fast counting of GameWheel must
// agree with; for 6/49 it agrees with the 6/49 pipeline too.

#include "core/Game.h"
#include "core/NumberSet.h"
#include "wheel/FilterControls.h"

#include <array>
#include <bitset>
#include <optional>
#include <vector>

namespace orvane {

// What a run of any game takes from that game's history, read once at its start.
struct GameRunTables {
    std::optional<std::vector<int>> lastDraw; // read when a last-draw limit is below k
    std::bitset<256> forbiddenSignatures;     // evens signatures of the recent draws
    std::vector<NumberSet> pastDraws;         // for the filter against history
    std::vector<int> lastFifteenSums;         // oldest first; read when they are rejected
};

struct GameRules {
    int perTicket = 0; // k
    int highest = 0;   // N

    // Below and above the midpoint.
    bool midpointActive = false;
    int midpoint = 0; // numbers up to it lie below
    double maxBelow = 0, maxAbove = 0, minBelow = 0, minAbove = 0;

    // Pairs of consecutive numbers and runs of them.
    bool pairsActive = false;
    int runLimit = 99; // a run of this many consecutive numbers fails
    int maxPairs = 0;
    bool requirePair = false;

    // Evens: the signatures of recent draws, the allowed counts.
    bool signaturesActive = false, evensCountsActive = false;
    std::bitset<256> forbiddenSignatures;
    std::vector<bool> evensCountAllowed; // by how many evens: 0 to k

    // The last draw: a set may share no more of its numbers than each limit.
    bool shadowActive = false, fromLastDrawActive = false;
    double shadowLimit = 0, fromLastDrawLimit = 0;
    std::vector<int> shadowWeights, fromLastDrawWeights; // by number, 0 to N

    // Key numbers.
    bool keysActive = false;
    KeyRule keyRule = KeyRule::RequireAll;
    std::array<double, 5> keys{};

    // Sums.
    bool sumPickActive = false, sumLimitsActive = false, lastFifteenActive = false;
    int smallestSum = 0, largestSum = 0;
    std::vector<bool> sumsAccepted; // from the smallest sum
    double minSum = 0, maxSum = 0;
    std::vector<int> lastFifteenSums;

    // At most so many numbers per tens class and per last digit (whole limits).
    bool tensActive = false, onesActive = false;
    std::vector<int> tensLimits;      // by class: n / 10
    std::array<int, 10> onesLimits{}; // by digit: n % 10

    // Number groups: at most groupLimit numbers of each.
    bool groupsActive = false;
    int groupLimit = 0;
    std::vector<NumberSet> groups; // those that name a number

    // Per position: limits, locks, exact values.
    bool positionsActive = false;
    std::vector<double> positionMin, positionMax;
    bool locksActive = false;
    std::vector<double> lockedIn;  // by position; 0 or less: none
    std::vector<double> lockedOut; // five per position
    bool exactValuesActive = false;
    std::vector<NumberSet> exactValues; // by position; empty: any number

    // The largest difference between neighbouring numbers.
    bool differenceActive = false;
    double maxDif = 0;

    // No more numbers of a past draw than the limit.
    bool historyActive = false;
    int historyLimit = 0;
    std::vector<NumberSet> pastDraws;

    // Whether any filter can turn a set away.
    bool anyActive() const;
};

// The rules of `normalised` controls of `game`.
GameRules compileGameRules(const Game& game, const FilterControls& normalised, const GameRunTables& tables);
// The live controls (last-draw limits, groups, exact values) taken again during a run.
void takeLiveControls(GameRules& rules, const Game& game, const FilterControls& controls);

// Each rule of `rules` tested plainly against one set, ascending.
bool passesPlainly(const GameRules& rules, const std::vector<int>& set);

// Bits 0 to k-1 for the positions holding an even number.
unsigned evensSignatureOf(const std::vector<int>& numbers);

// The preset's or the user's limits per position, or the bounds every set keeps.
void positionLimitsOf(const Game& game, const FilterControls& controls, std::vector<double>& min,
                      std::vector<double>& max);

} // namespace orvane
