#include "wheel/GameRules.h"

#include "core/NumberText.h"
#include "wheel/PositionPresets.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace orvane {

namespace {

template <typename Boxes> std::vector<double> valuesIn(const Boxes& boxes) {
    std::vector<double> values;
    values.reserve(boxes.size());
    for (const std::string& box : boxes) values.push_back(numberInBox(box));
    return values;
}

// The numbers of the game among box values; values that name no number are ignored.
template <typename Boxes> NumberSet numbersNamedIn(const Boxes& boxes, int highest) {
    NumberSet set;
    for (double v : valuesIn(boxes))
        if (v >= 1 && v <= highest && v == static_cast<int>(v)) set.add(static_cast<int>(v));
    return set;
}

// "count > limit" for a whole count is "count > floor(limit)"; limits beyond
// what a set can hold behave as those ends.
int wholeLimit(double limit, int perTicket) {
    return static_cast<int>(std::floor(std::clamp(limit, -1.0, perTicket + 1.0)));
}

bool sumFails(const GameRules& r, int sum) {
    if (r.sumPickActive &&
        (sum < r.smallestSum || sum > r.largestSum || !r.sumsAccepted[static_cast<std::size_t>(sum - r.smallestSum)]))
        return true;
    if (r.sumLimitsActive && (r.minSum > sum || r.maxSum < sum)) return true;
    return r.lastFifteenActive &&
           std::find(r.lastFifteenSums.begin(), r.lastFifteenSums.end(), sum) != r.lastFifteenSums.end();
}

bool keysPass(const GameRules& r, const std::vector<int>& set) {
    int matches = 0;
    bool anyValid = false, anyValidPresent = false, allValidPresent = true;
    for (double key : r.keys) {
        const int found = static_cast<int>(std::count(set.begin(), set.end(), key));
        matches += found;
        if (key > 0 && key < r.highest + 1) {
            anyValid = true;
            anyValidPresent = anyValidPresent || found > 0;
            allValidPresent = allValidPresent && found > 0;
        }
    }
    switch (r.keyRule) {
    case KeyRule::AllowOnlyOne: return matches == 1;
    case KeyRule::RequireAll: return allValidPresent;
    case KeyRule::RequireAny: return !anyValid || anyValidPresent;
    }
    return true;
}

bool midpointPasses(const GameRules& r, const std::vector<int>& set) {
    const int below = static_cast<int>(std::count_if(set.begin(), set.end(), [&](int n) { return n <= r.midpoint; }));
    const int above = r.perTicket - below;
    return !(below > r.maxBelow || below < r.minBelow || above > r.maxAbove || above < r.minAbove);
}

bool pairsPass(const GameRules& r, const std::vector<int>& set) {
    int pairs = 0, run = 1, longest = 1;
    for (std::size_t i = 1; i < set.size(); ++i) {
        const bool next = set[i] - set[i - 1] == 1;
        pairs += next;
        run = next ? run + 1 : 1;
        longest = std::max(longest, run);
    }
    return longest < r.runLimit && !(r.requirePair && pairs == 0) && pairs <= r.maxPairs;
}

bool classesPass(const std::vector<int>& set, const int* limits, int classes, bool byDigit) {
    std::array<int, 10> counts{};
    for (int n : set) ++counts[static_cast<std::size_t>(byDigit ? n % 10 : n / 10)];
    for (int c = 0; c < classes; ++c)
        if (counts[static_cast<std::size_t>(c)] > limits[c]) return false;
    return true;
}

bool positionsPass(const GameRules& r, const std::vector<int>& set) {
    for (std::size_t i = 0; i < set.size(); ++i) {
        if (r.positionsActive && (set[i] < r.positionMin[i] || set[i] > r.positionMax[i])) return false;
        if (r.locksActive) {
            if (r.lockedIn[i] > 0 && r.lockedIn[i] != set[i]) return false;
            for (std::size_t j = 0; j < 5; ++j) {
                const double out = r.lockedOut[5 * i + j];
                if (out > 0 && out == set[i]) return false;
            }
        }
        if (r.exactValuesActive && !r.exactValues[i].empty() && !r.exactValues[i].has(set[i])) return false;
    }
    return true;
}

} // namespace

unsigned evensSignatureOf(const std::vector<int>& numbers) {
    unsigned signature = 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) signature |= static_cast<unsigned>(numbers[i] % 2 == 0) << i;
    return signature;
}

void positionLimitsOf(const Game& game, const FilterControls& controls, std::vector<double>& min,
                      std::vector<double>& max) {
    min.clear();
    max.clear();
    const int k = game.perTicket();
    if (!isChecked(controls.enablePosAnalysis)) {
        for (const PositionRange& bound : positionBounds(game)) min.push_back(bound.low), max.push_back(bound.high);
        return;
    }
    if (controls.positionPreset == PositionPreset::UserLimits) {
        const std::vector<double> values = valuesIn(controls.positionLimits);
        for (std::size_t i = 0; i < static_cast<std::size_t>(k); ++i) {
            min.push_back(values[2 * i]);
            max.push_back(values[2 * i + 1]);
        }
        max.back() = std::nearbyint(max.back()); // the last maximum is rounded, half to even
        return;
    }
    for (const PositionRange& range : presetRanges(game, controls.positionPreset))
        min.push_back(range.low), max.push_back(range.high);
}

void takeLiveControls(GameRules& r, const Game& game, const FilterControls& c) {
    const int k = game.perTicket();
    r.shadowLimit = numberInBox(c.lastDrawNumMaxPos);
    r.fromLastDrawLimit = numberInBox(c.lastDrawNumMax);
    r.shadowActive = r.shadowLimit < k;
    r.fromLastDrawActive = r.fromLastDrawLimit < k;

    r.groupsActive = isChecked(c.enableGroups);
    r.groups.clear();
    for (const auto& boxes : c.groups)
        if (const NumberSet group = numbersNamedIn(boxes, game.highest()); !group.empty()) r.groups.push_back(group);

    r.exactValuesActive = isChecked(c.enableExactValues);
    r.exactValues.clear();
    for (const auto& boxes : c.exactValues) r.exactValues.push_back(numbersNamedIn(boxes, game.highest()));
}

GameRules compileGameRules(const Game& game, const FilterControls& c, const GameRunTables& tables) {
    GameRules r;
    const int k = game.perTicket();
    const int n = game.highest();
    r.perTicket = k;
    r.highest = n;

    r.midpoint = game.midpoint();
    r.maxBelow = numberInBox(c.maxBelowMid);
    r.maxAbove = numberInBox(c.maxAboveMid);
    r.minBelow = numberInBox(c.minBelowMid);
    r.minAbove = numberInBox(c.minAboveMid);
    r.midpointActive = !(r.maxBelow == k && r.maxAbove == k);

    r.pairsActive = isChecked(c.enablePairs);
    const double consecutives = numberInBox(c.maxConsecutives);
    // M from 0 to k - 2 refuses a run of M + 2 numbers; any other M refuses none.
    const bool runLimited = consecutives >= 0 && consecutives <= k - 2 && consecutives == std::floor(consecutives);
    r.runLimit = runLimited ? static_cast<int>(consecutives) + 2 : 99;
    r.maxPairs = !isChecked(c.allowPairs)        ? 0
                 : !isChecked(c.allowTwoPairs)   ? 1
                 : !isChecked(c.allowThreePairs) ? 2
                                                 : k - 1;
    r.requirePair = isChecked(c.requirePair);

    r.signaturesActive = isChecked(c.evensSignatures);
    r.forbiddenSignatures = tables.forbiddenSignatures;
    for (CheckValue allowed : c.evensAllowed) {
        r.evensCountAllowed.push_back(isChecked(allowed));
        r.evensCountsActive = r.evensCountsActive || !isChecked(allowed);
    }

    // Without a last draw every number counts 0 towards both totals.
    r.shadowWeights.assign(static_cast<std::size_t>(n) + 1, 0);
    r.fromLastDrawWeights.assign(static_cast<std::size_t>(n) + 1, 0);
    if (tables.lastDraw) {
        const std::vector<int>& d = *tables.lastDraw;
        for (std::size_t i = 0; i < d.size(); ++i) {
            ++r.shadowWeights[static_cast<std::size_t>(d[i])];
            // The draw's positions count in twos: A or B, C or D, ...
            const bool pairedBefore = i % 2 == 1 && d[i - 1] == d[i];
            if (!pairedBefore) ++r.fromLastDrawWeights[static_cast<std::size_t>(d[i])];
        }
    }

    r.keysActive = isChecked(c.enableKeyNumbers);
    r.keyRule = c.keyRule;
    for (std::size_t i = 0; i < r.keys.size(); ++i) r.keys[i] = numberInBox(c.keyNumbers[i]);

    r.smallestSum = game.smallestSum();
    r.largestSum = game.largestSum();
    r.sumPickActive = isChecked(c.enableSumPick);
    r.sumsAccepted = c.sumsAccepted;
    r.minSum = numberInBox(c.minSum);
    r.maxSum = numberInBox(c.maxSum);
    r.sumLimitsActive = r.minSum > r.smallestSum || r.maxSum < r.largestSum;
    r.lastFifteenSums = tables.lastFifteenSums;
    for (int sum : r.lastFifteenSums)
        r.lastFifteenActive = r.lastFifteenActive || (sum >= r.smallestSum && sum <= r.largestSum);

    for (double limit : valuesIn(c.tens)) {
        r.tensActive = r.tensActive || limit < k;
        r.tensLimits.push_back(wholeLimit(limit, k));
    }
    const std::vector<double> ones = valuesIn(c.ones);
    for (std::size_t d = 0; d < 10; ++d) {
        r.onesActive = r.onesActive || ones[d] < k;
        r.onesLimits[d] = wholeLimit(ones[d], k);
    }

    r.groupLimit = std::max(1, k / 2); // half a ticket: three of six
    r.positionsActive = isChecked(c.enablePosAnalysis);
    positionLimitsOf(game, c, r.positionMin, r.positionMax);
    r.locksActive = isChecked(c.enableLocks);
    r.lockedIn = valuesIn(c.lockedIn);
    r.lockedOut = valuesIn(c.lockedOut);
    takeLiveControls(r, game, c);

    r.maxDif = numberInBox(c.maxDif);
    r.differenceActive = r.maxDif < n - k + 1;

    r.historyLimit = static_cast<int>(wholeNumberValue(c.maxFromHistory));
    r.pastDraws = tables.pastDraws;
    r.historyActive = isChecked(c.filterAgainstHistory) && r.historyLimit < k && !r.pastDraws.empty();
    return r;
}

bool GameRules::anyActive() const {
    return midpointActive || pairsActive || signaturesActive || evensCountsActive || shadowActive ||
           fromLastDrawActive || keysActive || sumPickActive || sumLimitsActive || lastFifteenActive || tensActive ||
           onesActive || groupsActive || positionsActive || locksActive || exactValuesActive || differenceActive ||
           historyActive;
}

bool passesPlainly(const GameRules& r, const std::vector<int>& set) {
    if (r.midpointActive && !midpointPasses(r, set)) return false;
    if (r.pairsActive && !pairsPass(r, set)) return false;
    const unsigned signature = evensSignatureOf(set);
    if (r.signaturesActive && r.forbiddenSignatures[signature]) return false;
    if (r.evensCountsActive && !r.evensCountAllowed[static_cast<std::size_t>(std::popcount(signature))]) return false;
    int shadow = 0, fromLastDraw = 0, sum = 0;
    for (int number : set) {
        shadow += r.shadowWeights[static_cast<std::size_t>(number)];
        fromLastDraw += r.fromLastDrawWeights[static_cast<std::size_t>(number)];
        sum += number;
    }
    if ((r.shadowActive && shadow > r.shadowLimit) || (r.fromLastDrawActive && fromLastDraw > r.fromLastDrawLimit))
        return false;
    if (r.keysActive && !keysPass(r, set)) return false;
    if (sumFails(r, sum)) return false;
    if (r.tensActive && !classesPass(set, r.tensLimits.data(), static_cast<int>(r.tensLimits.size()), false))
        return false;
    if (r.onesActive && !classesPass(set, r.onesLimits.data(), 10, true)) return false;
    NumberSet numbers;
    for (int number : set) numbers.add(number);
    if (r.groupsActive)
        for (const NumberSet& group : r.groups)
            if (numbers.shared(group) > r.groupLimit) return false;
    if (!positionsPass(r, set)) return false;
    if (r.differenceActive)
        for (std::size_t i = 1; i < set.size(); ++i)
            if (set[i] - set[i - 1] > r.maxDif) return false;
    if (r.historyActive)
        for (const NumberSet& draw : r.pastDraws)
            if (numbers.shared(draw) > r.historyLimit) return false;
    return true;
}

} // namespace orvane
