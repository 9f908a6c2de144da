#include "wheel/FilterSteps.h"

#include "core/NumberText.h"
#include "wheel/PositionPresets.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

template <std::size_t N> std::array<double, N> numbersIn(const std::array<std::string, N>& boxes) {
    std::array<double, N> values{};
    for (std::size_t i = 0; i < N; ++i) values[i] = numberInBox(boxes[i]);
    return values;
}
// The first N boxes of a list sized from the game; these steps serve 6/49 only.
template <std::size_t N> std::array<double, N> firstNumbersIn(const std::vector<std::string>& boxes) {
    std::array<double, N> values{};
    for (std::size_t i = 0; i < N && i < boxes.size(); ++i) values[i] = numberInBox(boxes[i]);
    return values;
}
template <std::size_t N> std::array<bool, N> firstFlagsIn(const std::vector<bool>& flags) {
    std::array<bool, N> values{};
    for (std::size_t i = 0; i < N && i < flags.size(); ++i) values[i] = flags[i];
    return values;
}

// "count > limit" for a whole count is "count > floor(limit)"; limits outside
// -1..7 behave as those ends.
int wholeLimit(double limit) { return static_cast<int>(std::floor(std::clamp(limit, -1.0, 7.0))); }

constexpr std::uint64_t kBelowMidpoint = numbersFrom(1, 24);
constexpr std::uint64_t kEven = 0x5555555555555554ull & kEveryNumber; // 2, 4, ... 48

// The values of E after which every F fails, for a step whose failing F after
// A to E are `failingLastAfter(E)`: those after which no number above E passes.
template <typename FailingLast> std::uint64_t fifthsLeavingNoLast(FailingLast failingLastAfter) {
    std::uint64_t fifths = 0;
    for (int e = 1; e <= 49; ++e)
        if (((failingLastAfter(e) | numbersFrom(1, e)) & kEveryNumber) == kEveryNumber) fifths |= std::uint64_t{1} << e;
    return fifths;
}

} // namespace

std::uint64_t numbersBetween(double low, double high) {
    const int first = std::max(1, static_cast<int>(std::ceil(std::max(low, -1.0))));
    const int last = std::min(49, static_cast<int>(std::floor(std::min(high, 99.0))));
    return numbersFrom(first, last);
}

MidpointStep::MidpointStep(const FilterControls& controls)
    : maxBelow(numberInBox(controls.maxBelowMid)), maxAbove(numberInBox(controls.maxAboveMid)),
      minBelow(numberInBox(controls.minBelowMid)), minAbove(numberInBox(controls.minAboveMid)) {
    active = !(maxBelow == 6 && maxAbove == 6);
    auto breaks = [&](int below) {
        const int above = 6 - below;
        return below > maxBelow || below < minBelow || above > maxAbove || above < minAbove;
    };
    for (int below = 0; below <= 5; ++below)
        failingLastByBelow[below] =
            (breaks(below + 1) ? kBelowMidpoint : 0) | (breaks(below) ? kEveryNumber & ~kBelowMidpoint : 0);
    for (int below = 0; below <= 4; ++below)
        failingFifthByBelow[below] = fifthsLeavingNoLast([&](int e) { return failingLastByBelow[below + (e < 25)]; });
}

PairsStep::PairsStep(const FilterControls& controls)
    : active(isChecked(controls.enablePairs)), maxConsecutives(numberInBox(controls.maxConsecutives)) {
    consecutiveLimitActive = !CheckConsecutives({10, 11, 12, 13, 14, 15}, maxConsecutives);
    runLimit = consecutiveLimitActive ? static_cast<int>(maxConsecutives) + 2 : 99;
    // No pairs, at most one, at most two: the tightest unchecked allow box wins.
    maxPairs = !isChecked(controls.allowPairs)        ? 0
               : !isChecked(controls.allowTwoPairs)   ? 1
               : !isChecked(controls.allowThreePairs) ? 2
                                                      : 5;
    requirePair = isChecked(controls.requirePair);
}

bool PairsStep::passes(const Combination& set) const {
    if (consecutiveLimitActive && !CheckConsecutives(set, maxConsecutives)) return false;
    int pairs = 0;
    for (int k = 1; k < 6; ++k) pairs += set[k] - set[k - 1] == 1;
    if (requirePair && pairs == 0) return false;
    return pairs <= maxPairs;
}

// E right after D lengthens D's run; any other E starts a run. Either way
// every F fails when F right after E and every other F both break the rule.
std::uint64_t PairsStep::failingFifth(const Leading& firstFour) const {
    for (const bool afterD : {false, true}) {
        const int pairs = firstFour.pairs + afterD;
        const int run = afterD ? firstFour.run + 1 : 1;
        const int longest = std::max(firstFour.longestRun, run);
        nextLastBreaks[afterD] = breaks(pairs + 1, std::max(longest, run + 1));
        otherLastBreaks[afterD] = breaks(pairs, longest);
    }
    const int d = firstFour.last();
    const std::uint64_t next = d < 49 ? std::uint64_t{1} << (d + 1) : 0;
    return (nextLastBreaks[1] && otherLastBreaks[1] ? next : 0) |
           (nextLastBreaks[0] && otherLastBreaks[0] ? kEveryNumber & ~next : 0);
}

CompositionStep::CompositionStep(const FilterControls& controls, const RunTables& tables)
    : signaturesActive(isChecked(controls.evensSignatures)), forbiddenSignatures(tables.forbiddenSignatures) {
    for (int k = 0; k < 7; ++k) countsActive = countsActive || !isChecked(controls.evensAllowed[k]);
    for (unsigned signature = 0; signature < 64; ++signature)
        countAllowed[signature] = isChecked(controls.evensAllowed[std::popcount(signature)]);
    active = signaturesActive || countsActive;
    auto fails = [&](unsigned signature) {
        return (signaturesActive && (forbiddenSignatures >> signature & 1)) ||
               (countsActive && !countAllowed[signature]);
    };
    for (unsigned signature = 0; signature < 32; ++signature)
        failingLastBySignature[signature] =
            (fails(signature | 32u) ? kEven : 0) | (fails(signature) ? kEveryNumber & ~kEven : 0);
    for (unsigned signature = 0; signature < 16; ++signature)
        failingFifthBySignature[signature] = fifthsLeavingNoLast(
            [&](int e) { return failingLastBySignature[signature | static_cast<unsigned>(e % 2 == 0) << 4]; });
}

bool CompositionStep::passes(const Combination& set) const {
    const unsigned signature = evensSignature(set);
    if (signaturesActive && (forbiddenSignatures >> signature & 1)) return false;
    if (countsActive && !countAllowed[signature]) return false;
    return true;
}

LastDrawStep::LastDrawStep(const RunTables& tables) {
    // Without a last draw every number counts 0 towards both totals.
    for (int n = 1; n <= 49 && tables.lastDraw; ++n) {
        const auto& d = *tables.lastDraw;
        shadowWeights[n] = static_cast<std::uint8_t>((d[0] == n) + (d[1] == n) + (d[2] == n) + (d[3] == n) +
                                                     (d[4] == n) + (d[5] == n));
        fromLastDrawWeights[n] =
            static_cast<std::uint8_t>((d[0] == n || d[1] == n) + (d[2] == n || d[3] == n) + (d[4] == n || d[5] == n));
    }
    for (int n = 1; n <= 49; ++n) {
        shadowWeightMasks[shadowWeights[n]] |= std::uint64_t{1} << n;
        fromLastDrawWeightMasks[fromLastDrawWeights[n]] |= std::uint64_t{1} << n;
    }
}

void LastDrawStep::setLimits(const FilterControls& controls) {
    // A limit lowered during a run that did not read the last draw compares
    // against an empty draw: no number of a set counts.
    shadowLimit = numberInBox(controls.lastDrawNumMaxPos);
    fromLastDrawLimit = numberInBox(controls.lastDrawNumMax);
    shadowActive = shadowLimit < 6;
    fromLastDrawActive = fromLastDrawLimit < 6;
    active = shadowActive || fromLastDrawActive;
    // The weights of a draw's six numbers total at most 6.
    for (int total = 0; total <= 6; ++total) {
        shadowFailing[total] = fromLastDrawFailing[total] = 0;
        for (int w = 0; w <= 6; ++w) {
            if (shadowActive && total + w > shadowLimit) shadowFailing[total] |= shadowWeightMasks[w];
            if (fromLastDrawActive && total + w > fromLastDrawLimit)
                fromLastDrawFailing[total] |= fromLastDrawWeightMasks[w];
        }
    }
}

bool LastDrawStep::passes(const Combination& set) const {
    int shadow = 0, fromLastDraw = 0;
    for (int n : set) {
        shadow += shadowWeights[n];
        fromLastDraw += fromLastDrawWeights[n];
    }
    if (shadowActive && shadow > shadowLimit) return false;
    if (fromLastDrawActive && fromLastDraw > fromLastDrawLimit) return false;
    return true;
}

KeyNumbersStep::KeyNumbersStep(const FilterControls& controls)
    : active(isChecked(controls.enableKeyNumbers)), rule(controls.keyRule), keys(numbersIn(controls.keyNumbers)) {
    for (int n = 1; n <= 49; ++n) {
        int boxes = 0;
        for (double key : keys) boxes += key == n;
        keyCountMasks[boxes] |= std::uint64_t{1} << n;
        if (boxes > 0) validKeys |= std::uint64_t{1} << n;
    }
    for (double key : keys)
        if (key > 0 && key < 50 && key != static_cast<int>(key)) unreachableKey = true;
}

bool KeyNumbersStep::passes(const Combination& set) const {
    int matches = 0;
    bool anyValid = false;
    bool anyValidPresent = false;
    bool allValidPresent = true;
    for (double key : keys) {
        int found = 0;
        for (int n : set) found += n == key;
        matches += found;
        if (key > 0 && key < 50) {
            anyValid = true;
            anyValidPresent = anyValidPresent || found > 0;
            allValidPresent = allValidPresent && found > 0;
        }
    }
    switch (rule) {
    case KeyRule::AllowOnlyOne: return matches == 1;
    case KeyRule::RequireAll: return allValidPresent;
    case KeyRule::RequireAny: return !anyValid || anyValidPresent;
    }
    return true;
}

// Matches among the key boxes, counting a number once per box holding it.
int KeyNumbersStep::matches(std::uint64_t leadingMask) const {
    int count = 0;
    for (int w = 1; w <= 5; ++w) count += w * countOf(leadingMask & keyCountMasks[w]);
    return count;
}

std::uint64_t KeyNumbersStep::failingFifth(const Leading& firstFour) const {
    switch (rule) {
    case KeyRule::AllowOnlyOne: {
        // E fails when it takes the matches above one.
        const int count = matches(firstFour.mask);
        std::uint64_t fail = 0;
        for (int w = 0; w <= 5; ++w)
            if (count + w > 1) fail |= keyCountMasks[w];
        return fail;
    }
    case KeyRule::RequireAll: {
        // With two keys missing, E must be one of them; with more, nothing helps.
        if (unreachableKey) return kEveryNumber;
        const std::uint64_t missing = validKeys & ~firstFour.mask;
        const int count = countOf(missing);
        return count > 2 ? kEveryNumber : count == 2 ? kEveryNumber & ~missing : 0;
    }
    case KeyRule::RequireAny: return validKeys == 0 && unreachableKey ? kEveryNumber : 0;
    }
    return 0;
}

std::uint64_t KeyNumbersStep::failingLast(const Leading& firstFour, int fifth) const {
    const std::uint64_t firstFive = firstFour.mask | std::uint64_t{1} << fifth;
    switch (rule) {
    case KeyRule::AllowOnlyOne: {
        const int count = matches(firstFive);
        std::uint64_t fail = 0;
        for (int w = 0; w <= 5; ++w)
            if (count + w != 1) fail |= keyCountMasks[w];
        return fail;
    }
    case KeyRule::RequireAll: {
        if (unreachableKey) return kEveryNumber;
        const std::uint64_t missing = validKeys & ~firstFive;
        if (missing == 0) return 0;
        return countOf(missing) == 1 ? kEveryNumber & ~missing : kEveryNumber;
    }
    case KeyRule::RequireAny:
        if ((validKeys == 0 && !unreachableKey) || (validKeys & firstFive) != 0) return 0;
        return kEveryNumber & ~validKeys;
    }
    return 0;
}

SumStep::SumStep(const FilterControls& controls, const RunTables& tables)
    : pickActive(isChecked(controls.enableSumPick)), accepted(firstFlagsIn<259>(controls.sumsAccepted)),
      minSum(numberInBox(controls.minSum)), maxSum(numberInBox(controls.maxSum)), lastFifteen(tables.lastFifteenSums) {
    limitsActive = minSum > 21 || maxSum < 279;
    for (int sum : lastFifteen) lastFifteenActive = lastFifteenActive || (sum >= 21 && sum <= 279);
    active = pickActive || limitsActive || lastFifteenActive;
    // A to E sum to at most 45 + 46 + 47 + 48 + 49, A to D to less.
    for (int sum = 0; sum < 256; ++sum)
        for (int f = 1; f <= 49; ++f)
            if (sumFails(sum + f)) failingLastBySum[sum] |= std::uint64_t{1} << f;
    for (int sum = 0; sum + 49 < 256; ++sum)
        failingFifthBySum[sum] = fifthsLeavingNoLast([&](int e) { return failingLastBySum[sum + e]; });
}

bool SumStep::sumFails(int sum) const {
    if (pickActive && (sum < 21 || sum > 279 || !accepted[sum - 21])) return true;
    if (limitsActive && (minSum > sum || maxSum < sum)) return true;
    if (lastFifteenActive && std::find(lastFifteen.begin(), lastFifteen.end(), sum) != lastFifteen.end()) return true;
    return false;
}

bool SumStep::passes(const Combination& set) const {
    const int sum = set[0] + set[1] + set[2] + set[3] + set[4] + set[5];
    if (pickActive && !accepted[sum - 21]) return false;
    if (limitsActive && (minSum > sum || maxSum < sum)) return false;
    if (lastFifteenActive) {
        for (int entry : lastFifteen)
            if (entry == sum) return false;
    }
    return true;
}

ClassLimits::ClassLimits(const double* limits, int classes, bool byDigit) : byDigit_(byDigit), classes_(classes) {
    for (int c = 0; c < classes; ++c) {
        active_ = active_ || limits[c] < 6;
        limits_[c] = wholeLimit(limits[c]);
        toReach_ |= static_cast<std::uint64_t>(8 - limits_[c]) << (4 * c);
        toExceed_ |= static_cast<std::uint64_t>(7 - limits_[c]) << (4 * c);
    }
    for (int n = 1; n <= 49; ++n) classMasks_[byDigit ? n % 10 : n / 10] |= std::uint64_t{1} << n;
}

bool ClassLimits::passes(const Combination& set) const {
    std::array<int, 10> counts{};
    for (int n : set) ++counts[byDigit_ ? n % 10 : n / 10];
    for (int c = 0; c < classes_; ++c)
        if (counts[c] > limits_[c]) return false;
    return true;
}

TensStep::TensStep(const FilterControls& controls) {
    const auto tens = firstNumbersIn<5>(controls.tens);
    limits = ClassLimits(tens.data(), 5, false);
}

OnesStep::OnesStep(const FilterControls& controls) : ones(numbersIn(controls.ones)) {
    limits = ClassLimits(ones.data(), 10, true);
}

void GroupsStep::setGroups(const FilterControls& controls) {
    active = isChecked(controls.enableGroups);
    groups = {};
    nonEmpty = 0;
    for (const auto& boxes : controls.groups) {
        const auto values = numbersIn(boxes);
        if (const std::uint64_t group = valueMask(values.data(), 8)) groups[nonEmpty++] = group;
    }
}

bool GroupsStep::passes(const Combination& set) const {
    for (std::uint64_t group : groups)
        if (!CheckNumberGroup(set, group)) return false;
    return true;
}

PositionLimits positionLimits(const FilterControls& controls) {
    PositionLimits limits;
    if (!isChecked(controls.enablePosAnalysis)) return limits;
    if (controls.positionPreset == PositionPreset::UserLimits) {
        const auto values = firstNumbersIn<12>(controls.positionLimits);
        for (std::size_t k = 0; k < 6; ++k) {
            limits.min[k] = values[2 * k];
            limits.max[k] = values[2 * k + 1];
        }
        limits.max[5] = std::nearbyint(limits.max[5]); // the F maximum is rounded, half to even
        return limits;
    }
    const auto& preset = measuredPresetOf649(controls.positionPreset);
    for (std::size_t k = 0; k < 6; ++k) {
        limits.min[k] = preset[2 * k];
        limits.max[k] = preset[2 * k + 1];
    }
    return limits;
}

PositionStep::PositionStep(const FilterControls& controls)
    : active(isChecked(controls.enablePosAnalysis)), limits(positionLimits(controls)) {
    for (int k = 0; k < 6; ++k) failing[k] = kEveryNumber & ~numbersBetween(limits.min[k], limits.max[k]);
}

bool PositionStep::passes(const Combination& set) const {
    for (int k = 0; k < 6; ++k)
        if (set[k] < limits.min[k] || set[k] > limits.max[k]) return false;
    return true;
}

LocksStep::LocksStep(const FilterControls& controls)
    : active(isChecked(controls.enableLocks)), lockedIn(firstNumbersIn<6>(controls.lockedIn)),
      lockedOut(firstNumbersIn<30>(controls.lockedOut)) {
    for (int k = 0; k < 6; ++k) {
        if (lockedIn[k] > 0) failing[k] |= kEveryNumber & ~numbersBetween(lockedIn[k], lockedIn[k]);
        for (int i = 0; i < 5; ++i) {
            const double out = lockedOut[k * 5 + i];
            if (out > 0) failing[k] |= numbersBetween(out, out);
        }
    }
}

DifferenceStep::DifferenceStep(const FilterControls& controls) : maxDif(numberInBox(controls.maxDif)) {
    active = maxDif < 44;
    wholeMaxDif = static_cast<int>(std::floor(std::clamp(maxDif, -100.0, 100.0)));
}

bool DifferenceStep::passes(const Combination& set) const {
    for (int k = 5; k > 0; --k)
        if (set[k] - set[k - 1] > maxDif) return false;
    return true;
}

std::uint64_t DifferenceStep::failingFifth(const Leading& firstFour) const {
    for (int k = 1; k < 4; ++k)
        if (firstFour.numbers[k] - firstFour.numbers[k - 1] > wholeMaxDif) return kEveryNumber;
    return kEveryNumber & ~numbersFrom(1, firstFour.last() + wholeMaxDif);
}

HistoryStep::HistoryStep(const FilterControls& controls, const RunTables& tables) : index(tables.history) {
    active = isChecked(controls.filterAgainstHistory) && index.canFail();
}

void ExactValuesStep::setValues(const FilterControls& controls) {
    active = isChecked(controls.enableExactValues);
    for (int k = 0; k < 6; ++k) {
        const auto values = numbersIn(controls.exactValues[static_cast<std::size_t>(k)]);
        allowed[k] = valueMask(values.data(), 10);
    }
}

} // namespace orvane
