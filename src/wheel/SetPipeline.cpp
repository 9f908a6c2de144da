#include "wheel/SetPipeline.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

template <std::size_t N>
std::array<double, N> numbersIn(const std::array<std::string, N>& boxes) {
    std::array<double, N> values{};
    for (std::size_t i = 0; i < N; ++i) values[i] = numberInBox(boxes[i]);
    return values;
}

// Preset ranges per position, in the order of the option buttons.
constexpr std::array<std::array<int, 12>, 4> kPresets{{
    {1, 39, 2, 42, 3, 44, 7, 46, 12, 48, 20, 49},   // 99.99%
    {1, 30, 3, 38, 5, 44, 7, 46, 15, 48, 23, 49},   // 98%
    {1, 24, 3, 31, 7, 39, 12, 46, 17, 48, 30, 49},  // 90%
    {1, 15, 5, 21, 11, 31, 15, 42, 26, 48, 38, 49}, // 50%
}};

// "count > limit" for a whole count is "count > floor(limit)"; limits outside
// -1..7 behave as those ends.
int wholeLimit(double limit) { return static_cast<int>(std::floor(std::clamp(limit, -1.0, 7.0))); }

constexpr std::array<std::uint8_t, 50> shiftsBy(int divisor, bool byRemainder) {
    std::array<std::uint8_t, 50> shifts{};
    for (int n = 1; n <= 49; ++n) shifts[n] = static_cast<std::uint8_t>(4 * (byRemainder ? n % divisor : n / divisor));
    return shifts;
}

} // namespace

const std::array<std::uint8_t, 50> SetPipeline::kDecadeShift = shiftsBy(10, false);
const std::array<std::uint8_t, 50> SetPipeline::kDigitShift = shiftsBy(10, true);

constexpr std::array<std::uint64_t, 10> masksBy(bool byDigit) {
    std::array<std::uint64_t, 10> masks{};
    for (int n = 1; n <= 49; ++n) masks[byDigit ? n % 10 : n / 10] |= std::uint64_t{1} << n;
    return masks;
}
const std::array<std::uint64_t, 10> SetPipeline::kDecadeMasks = masksBy(false);
const std::array<std::uint64_t, 10> SetPipeline::kDigitMasks = masksBy(true);

PositionLimits positionLimits(const FilterControls& controls) {
    PositionLimits limits;
    if (!isChecked(controls.enablePosAnalysis)) return limits;
    if (controls.positionPreset == PositionPreset::UserLimits) {
        const auto values = numbersIn(controls.positionLimits);
        for (int k = 0; k < 6; ++k) {
            limits.min[k] = values[2 * k];
            limits.max[k] = values[2 * k + 1];
        }
        limits.max[5] = std::nearbyint(limits.max[5]); // the F maximum is rounded, half to even
        return limits;
    }
    const auto& preset = kPresets[static_cast<int>(controls.positionPreset)];
    for (int k = 0; k < 6; ++k) {
        limits.min[k] = preset[2 * k];
        limits.max[k] = preset[2 * k + 1];
    }
    return limits;
}

SetPipeline::SetPipeline(const FilterControls& controls, const RunTables& tables) {
    maxBelow_ = numberInBox(controls.maxBelowMid);
    maxAbove_ = numberInBox(controls.maxAboveMid);
    minBelow_ = numberInBox(controls.minBelowMid);
    minAbove_ = numberInBox(controls.minAboveMid);
    midpointActive_ = !(maxBelow_ == 6 && maxAbove_ == 6);

    pairsActive_ = isChecked(controls.enablePairs);
    maxConsecutives_ = numberInBox(controls.maxConsecutives);
    consecutiveLimitActive_ = !CheckConsecutives({10, 11, 12, 13, 14, 15}, maxConsecutives_);
    // No pairs, at most one, at most two: the tightest unchecked allow box wins.
    maxPairs_ = !isChecked(controls.allowPairs)        ? 0
                : !isChecked(controls.allowTwoPairs)   ? 1
                : !isChecked(controls.allowThreePairs) ? 2
                                                       : 5;
    requirePair_ = isChecked(controls.requirePair);

    signaturesActive_ = isChecked(controls.evensSignatures);
    forbiddenSignatures_ = tables.forbiddenSignatures;

    // Without a last draw every number counts 0 towards both filters.
    for (int n = 1; n <= 49 && tables.lastDraw; ++n) {
        const auto& d = *tables.lastDraw;
        shadowWeights_[n] = static_cast<std::uint8_t>((d[0] == n) + (d[1] == n) + (d[2] == n) + (d[3] == n) +
                                                      (d[4] == n) + (d[5] == n));
        fromLastDrawWeights_[n] = static_cast<std::uint8_t>((d[0] == n || d[1] == n) + (d[2] == n || d[3] == n) +
                                                            (d[4] == n || d[5] == n));
    }

    for (int n = 1; n <= 49; ++n) {
        shadowWeightMasks_[shadowWeights_[n]] |= std::uint64_t{1} << n;
        fromLastDrawWeightMasks_[fromLastDrawWeights_[n]] |= std::uint64_t{1} << n;
    }

    keysActive_ = isChecked(controls.enableKeyNumbers);
    keyRule_ = controls.keyRule;
    keys_ = numbersIn(controls.keyNumbers);
    for (int n = 1; n <= 49; ++n) {
        int boxes = 0;
        for (double key : keys_) boxes += key == n;
        keyCountMasks_[boxes] |= std::uint64_t{1} << n;
        if (boxes > 0) validKeys_ |= std::uint64_t{1} << n;
    }
    // A key box holding a number that no set can hold (7.5, say) still counts as a key.
    for (double key : keys_)
        if (key > 0 && key < 50 && key != static_cast<int>(key)) unreachableKey_ = true;

    for (int k = 0; k < 7; ++k) evenCountsActive_ = evenCountsActive_ || !isChecked(controls.evensAllowed[k]);
    for (unsigned signature = 0; signature < 64; ++signature)
        evensAllowedBySignature_[signature] = isChecked(controls.evensAllowed[std::popcount(signature)]);

    sumPickActive_ = isChecked(controls.enableSumPick);
    sumsAccepted_ = controls.sumsAccepted;
    minSum_ = numberInBox(controls.minSum);
    maxSum_ = numberInBox(controls.maxSum);
    sumLimitsActive_ = minSum_ > 21 || maxSum_ < 279;
    // Sums are whole, so the limits act as the whole numbers inside them.
    lowestSum_ = static_cast<int>(std::ceil(std::clamp(minSum_, -1000.0, 1000.0)));
    highestSum_ = static_cast<int>(std::floor(std::clamp(maxSum_, -1000.0, 1000.0)));

    const auto tens = numbersIn(controls.tens);
    for (int k = 0; k < 5; ++k) {
        tensLimits_[k] = wholeLimit(tens[k]);
        tensActive_ = tensActive_ || tens[k] < 6;
    }

    positionalActive_ = isChecked(controls.enablePosAnalysis);
    limits_ = positionLimits(controls);
    lastPositionRange_ = numbersBetween(limits_.min[5], limits_.max[5]);

    maxDif_ = numberInBox(controls.maxDif);
    maxDifActive_ = maxDif_ < 44;
    wholeMaxDif_ = static_cast<int>(std::floor(std::clamp(maxDif_, -100.0, 100.0)));

    lastFifteen_ = tables.lastFifteenSums;
    for (int sum : lastFifteen_) lastFifteenActive_ = lastFifteenActive_ || (sum >= 21 && sum <= 279);

    ones_ = numbersIn(controls.ones);
    for (int d = 0; d < 10; ++d) {
        onesLimits_[d] = wholeLimit(ones_[d]);
        onesActive_ = onesActive_ || ones_[d] < 6;
    }

    locksActive_ = isChecked(controls.enableLocks);
    lockedIn_ = numbersIn(controls.lockedIn);
    lockedOut_ = numbersIn(controls.lockedOut);

    historyActive_ = isChecked(controls.filterAgainstHistory);
    history_ = tables.history;

    setLiveControls(controls);
}

void SetPipeline::setLiveControls(const FilterControls& controls) {
    // A limit lowered during a run that did not read the last draw compares
    // against an empty draw: no number of a set counts.
    shadowLimit_ = numberInBox(controls.lastDrawNumMaxPos);
    fromLastDrawLimit_ = numberInBox(controls.lastDrawNumMax);
    shadowActive_ = shadowLimit_ < 6;
    fromLastDrawActive_ = fromLastDrawLimit_ < 6;

    groupsActive_ = isChecked(controls.enableGroups);
    for (int g = 0; g < 6; ++g) {
        const auto values = numbersIn(controls.groups[g]);
        groupMasks_[g] = valueMask(values.data(), 8);
    }

    exactActive_ = isChecked(controls.enableExactValues);
    for (int k = 0; k < 6; ++k) {
        const auto values = numbersIn(controls.exactValues[k]);
        exactAllowed_[k] = valueMask(values.data(), 10);
    }
    updateAnyStepActive();
    // The limits may differ: work the leading numbers out again.
    firstFive_[0] = -1;
    firstFour_.numbers[0] = -1;
    historyFirstFour_[0] = -1;
}

void SetPipeline::updateAnyStepActive() {
    anyStepActive_ = midpointActive_ || pairsActive_ || signaturesActive_ || shadowActive_ || fromLastDrawActive_ ||
                     keysActive_ || evenCountsActive_ || sumPickActive_ || sumLimitsActive_ || tensActive_ ||
                     groupsActive_ || positionalActive_ || maxDifActive_ || lastFifteenActive_ || onesActive_ ||
                     locksActive_ || historyActive_;
}

bool SetPipeline::passesPairs(const Combination& set) const {
    if (consecutiveLimitActive_ && !CheckConsecutives(set, maxConsecutives_)) return false;
    int pairs = 0;
    for (int k = 1; k < 6; ++k) pairs += set[k] - set[k - 1] == 1;
    if (requirePair_ && pairs == 0) return false;
    return pairs <= maxPairs_;
}

bool SetPipeline::passesKeyNumbers(const Combination& set) const {
    int matches = 0;
    bool anyValid = false;
    bool anyValidPresent = false;
    bool allValidPresent = true;
    for (double key : keys_) {
        int found = 0;
        for (int n : set) found += n == key;
        matches += found;
        if (key > 0 && key < 50) {
            anyValid = true;
            anyValidPresent = anyValidPresent || found > 0;
            allValidPresent = allValidPresent && found > 0;
        }
    }
    switch (keyRule_) {
    case KeyRule::AllowOnlyOne: return matches == 1;
    case KeyRule::RequireAll: return allValidPresent;
    case KeyRule::RequireAny: return !anyValid || anyValidPresent;
    }
    return true;
}

std::uint64_t SetPipeline::numbersFrom(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, 49);
    if (first > last) return 0;
    return (~std::uint64_t{0} >> (63 - last)) & (~std::uint64_t{0} << first);
}

std::uint64_t SetPipeline::numbersBetween(double low, double high) {
    const int first = std::max(1, static_cast<int>(std::ceil(std::max(low, -1.0))));
    const int last = std::min(49, static_cast<int>(std::floor(std::min(high, 99.0))));
    if (first > last) return 0;
    return (~std::uint64_t{0} >> (63 - last)) & (~std::uint64_t{0} << first);
}

bool SetPipeline::passesStepByStep(const Combination& set) const {
    if (midpointActive_ && !CheckMidpoint(set, maxBelow_, maxAbove_, minBelow_, minAbove_)) return false;
    if (pairsActive_ && !passesPairs(set)) return false;
    if (signaturesActive_ && (forbiddenSignatures_ >> evensSignature(set) & 1)) return false;
    if (shadowActive_ && lastDrawCount(set, shadowWeights_) > shadowLimit_) return false;
    if (fromLastDrawActive_ && lastDrawCount(set, fromLastDrawWeights_) > fromLastDrawLimit_) return false;
    if (keysActive_ && !passesKeyNumbers(set)) return false;
    if (evenCountsActive_ && !evensAllowedBySignature_[evensSignature(set)]) return false;
    const int sum = set[0] + set[1] + set[2] + set[3] + set[4] + set[5];
    if (sumPickActive_ && !sumsAccepted_[sum - 21]) return false;
    if (sumLimitsActive_ && (minSum_ > sum || maxSum_ < sum)) return false;
    if (tensActive_ && exceedsAny(packedCount(set, kDecadeShift), tensLimits_, 5)) return false;
    if (groupsActive_) {
        for (std::uint64_t group : groupMasks_)
            if (!CheckNumberGroup(set, group)) return false;
    }
    if (positionalActive_) {
        for (int k = 0; k < 6; ++k)
            if (set[k] < limits_.min[k] || set[k] > limits_.max[k]) return false;
    }
    if (maxDifActive_) {
        for (int k = 5; k > 0; --k)
            if (set[k] - set[k - 1] > maxDif_) return false;
    }
    if (lastFifteenActive_ && isLastFifteenSum(sum)) return false;
    if (onesActive_ && !CheckOnesPlace(set, ones_)) return false;
    if (locksActive_ && !(CheckLockedIn(set, lockedIn_) && CheckLockedOut(set, lockedOut_))) return false;
    if (historyActive_ && !history_.CheckAgainstHistory(set)) return false;
    return true;
}

// Adds the number at position k (0 for A) to what the leading numbers give the steps.
void SetPipeline::addLeadingNumber(Leading& lead, int k, int n) const {
    lead.numbers[k] = n;
    lead.mask |= std::uint64_t{1} << n;
    lead.decades += std::uint64_t{1} << kDecadeShift[n];
    lead.digits += std::uint64_t{1} << kDigitShift[n];
    lead.sum += n;
    lead.below += n < 25;
    lead.signature |= static_cast<unsigned>(n % 2 == 0) << k;
    lead.shadow += shadowWeights_[n];
    lead.fromLastDraw += fromLastDrawWeights_[n];
    if (k > 0) {
        const int gap = n - lead.numbers[k - 1];
        lead.pairs += gap == 1;
        lead.run = gap == 1 ? lead.run + 1 : 1;
        lead.longestRun = std::max(lead.longestRun, lead.run);
        if (maxDifActive_ && gap > maxDif_) lead.failsAll = true;
    }
    if (positionalActive_ && (n < limits_.min[k] || n > limits_.max[k])) lead.failsAll = true;
    if (locksActive_) {
        if (lockedIn_[k] > 0 && lockedIn_[k] != n) lead.failsAll = true;
        for (int i = 0; i < 5; ++i)
            if (lockedOut_[k * 5 + i] > 0 && lockedOut_[k * 5 + i] == n) lead.failsAll = true;
    }
}

// Each step says which last numbers F fail it after these A to E; a set fails
// when its F fails any step, exactly as when the steps test it one by one.
std::uint64_t SetPipeline::computeFailingLastNumbers(const Combination& set) const {
    const std::uint64_t all = numbersBetween(1, 49);
    const std::uint64_t low = numbersBetween(1, 24);          // below the midpoint
    const std::uint64_t even = 0x5555555555555554ull & all; // 2, 4, ... 48
    const int e = set[4];
    const std::uint64_t next = e < 49 ? std::uint64_t{1} << (e + 1) : 0;
    // A to D are shared by many blocks: their part is kept, and E added to it.
    if (set[0] != firstFour_.numbers[0] || set[1] != firstFour_.numbers[1] || set[2] != firstFour_.numbers[2] ||
        set[3] != firstFour_.numbers[3]) {
        firstFour_ = Leading{};
        for (int k = 0; k < 4; ++k) addLeadingNumber(firstFour_, k, set[k]);
    }
    Leading lead = firstFour_;
    addLeadingNumber(lead, 4, e);
    if (lead.failsAll) return all;
    const std::uint64_t mask = lead.mask, decades = lead.decades, digits = lead.digits;
    const int sum = lead.sum, below = lead.below, pairs = lead.pairs, shadow = lead.shadow;
    const int fromLastDraw = lead.fromLastDraw, run = lead.run, longestRun = lead.longestRun;
    const unsigned signature = lead.signature;
    std::uint64_t fail = 0;

    if (midpointActive_) {
        auto breaks = [&](int belowCount) {
            const int above = 6 - belowCount;
            return belowCount > maxBelow_ || belowCount < minBelow_ || above > maxAbove_ || above < minAbove_;
        };
        if (breaks(below + 1)) fail |= low;
        if (breaks(below)) fail |= all & ~low;
    }
    if (pairsActive_) {
        // F = E + 1 adds a pair and lengthens the run that ends at E.
        const int limit = consecutiveLimitActive_ ? static_cast<int>(maxConsecutives_) + 2 : 99;
        auto breaks = [&](int pairCount, int longest) {
            return (requirePair_ && pairCount == 0) || pairCount > maxPairs_ || longest >= limit;
        };
        if (breaks(pairs + 1, std::max(longestRun, run + 1))) fail |= next;
        if (breaks(pairs, longestRun)) fail |= all & ~next;
    }
    if (signaturesActive_) {
        if (forbiddenSignatures_ >> (signature | 32u) & 1) fail |= even;
        if (forbiddenSignatures_ >> signature & 1) fail |= all & ~even;
    }
    for (int w = 0; w <= 6; ++w) {
        if (shadowActive_ && shadow + w > shadowLimit_) fail |= shadowWeightMasks_[w];
        if (fromLastDrawActive_ && fromLastDraw + w > fromLastDrawLimit_) fail |= fromLastDrawWeightMasks_[w];
    }
    if (keysActive_) fail |= failingByKeys(mask);
    if (evenCountsActive_) {
        if (!evensAllowedBySignature_[signature | 32u]) fail |= even;
        if (!evensAllowedBySignature_[signature]) fail |= all & ~even;
    }
    if (sumPickActive_) {
        for (int f = e + 1; f <= 49; ++f)
            if (!sumsAccepted_[sum + f - 21]) fail |= std::uint64_t{1} << f;
    }
    if (sumLimitsActive_) fail |= all & ~numbersFrom(lowestSum_ - sum, highestSum_ - sum);
    if (tensActive_) {
        for (int d = 0; d < 5; ++d) {
            const int count = static_cast<int>(decades >> (4 * d) & 15);
            if (count > tensLimits_[d]) return all;
            if (count + 1 > tensLimits_[d]) fail |= kDecadeMasks[d];
        }
    }
    if (groupsActive_) {
        for (std::uint64_t group : groupMasks_) {
            const int count = std::popcount(mask & group);
            if (count > 3) return all;
            if (count == 3) fail |= group;
        }
    }
    if (positionalActive_) fail |= all & ~lastPositionRange_;
    if (maxDifActive_) fail |= all & ~numbersFrom(1, e + wholeMaxDif_);
    if (lastFifteenActive_) {
        for (int entry : lastFifteen_)
            if (entry - sum >= 1 && entry - sum <= 49) fail |= std::uint64_t{1} << (entry - sum);
    }
    if (onesActive_) {
        for (int d = 0; d < 10; ++d) {
            const int count = static_cast<int>(digits >> (4 * d) & 15);
            if (count > onesLimits_[d]) return all;
            if (count + 1 > onesLimits_[d]) fail |= kDigitMasks[d];
        }
    }
    if (locksActive_) {
        if (lockedIn_[5] > 0) fail |= all & ~numbersBetween(lockedIn_[5], lockedIn_[5]);
        for (int i = 0; i < 5; ++i)
            if (lockedOut_[25 + i] > 0) fail |= numbersBetween(lockedOut_[25 + i], lockedOut_[25 + i]);
    }
    if (historyActive_) {
        std::array<int, 4> firstFour;
        std::copy_n(set.begin(), 4, firstFour.begin());
        if (firstFour != historyFirstFour_) {
            historyFirstFour_ = firstFour;
            historyFourVerdict_ = history_.forFirstFour(firstFour);
        }
        const HistoryIndex::PrefixVerdict verdict = history_.forFifth(historyFourVerdict_, firstFour, set[4]);
        if (verdict.fails) return all;
        fail |= verdict.failingLast;
    }
    return fail & all;
}

std::uint64_t SetPipeline::failingByKeys(std::uint64_t firstFiveMask) const {
    const std::uint64_t all = numbersBetween(1, 49);
    switch (keyRule_) {
    case KeyRule::AllowOnlyOne: {
        // Exactly one match among the key boxes, counting a number once per box holding it.
        int matches = 0;
        for (int w = 1; w <= 5; ++w) matches += w * std::popcount(firstFiveMask & keyCountMasks_[w]);
        std::uint64_t fail = 0;
        for (int w = 0; w <= 5; ++w)
            if (matches + w != 1) fail |= keyCountMasks_[w];
        return fail;
    }
    case KeyRule::RequireAll: {
        if (unreachableKey_) return all;
        const std::uint64_t missing = validKeys_ & ~firstFiveMask;
        if (missing == 0) return 0;
        return std::popcount(missing) == 1 ? all & ~missing : all;
    }
    case KeyRule::RequireAny:
        if ((validKeys_ == 0 && !unreachableKey_) || (validKeys_ & firstFiveMask) != 0) return 0;
        return all & ~validKeys_;
    }
    return 0;
}

bool SetPipeline::isLastFifteenSum(int sum) const {
    for (int entry : lastFifteen_)
        if (entry == sum) return true;
    return false;
}

} // namespace orvane
