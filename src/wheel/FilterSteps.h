#pragma once

// The filter steps of a run, one small struct each, compiled from the
// normalised filter controls. Each step answers two ways:
//
//  - passes(set): the step's test of a single set, written plainly; what the
//    fast answers below must agree with.
//  - failingFifth(A to D) and failingLast(A to D, E): a run's consecutive
//    sets share their leading numbers, so each step says once for A to D which
//    fifth numbers E fail it whatever F follows, and once for A to E which
//    last numbers F fail it. A set fails the step exactly when its E is among
//    the failing fifths of its A to D, or its F among the failing last numbers
//    of its A to E. Bits 1 to 49 stand for the numbers; a step may answer
//    "every number" (bits beyond 49 are ignored).
//
//    failingFifth is asked first for each A to D, and failingLast only for an
//    E it let through; a step may keep what it works out for A to D in
//    failingFifth for the failingLast questions that follow.

#include "checks/FilterChecks.h"
#include "checks/HistoryIndex.h"
#include "core/BitCount.h"
#include "core/Combination.h"
#include "wheel/FilterControls.h"
#include "wheel/RunPreparation.h"

#include <array>
#include <bit>
#include <cstdint>

namespace orvane {

// Bits 1 to 49: every number.
inline constexpr std::uint64_t kEveryNumber = 0x3FFFFFFFFFFFEull;

// Bits for the numbers from `first` to `last` (within 1 to 49).
constexpr std::uint64_t numbersFrom(int first, int last) {
    first = first < 1 ? 1 : first;
    last = last > 49 ? 49 : last;
    if (first > last) return 0;
    return (~std::uint64_t{0} >> (63 - last)) & (~std::uint64_t{0} << first);
}
// Bits for the whole numbers from `low` to `high` (within 1 to 49).
std::uint64_t numbersBetween(double low, double high);

// Counts per class (decade or last digit) packed four bits a class, class 0 lowest.
inline constexpr std::array<std::uint8_t, 50> kDecadeShift = [] {
    std::array<std::uint8_t, 50> shifts{};
    for (int n = 1; n <= 49; ++n) shifts[n] = static_cast<std::uint8_t>(4 * (n / 10));
    return shifts;
}();
inline constexpr std::array<std::uint8_t, 50> kDigitShift = [] {
    std::array<std::uint8_t, 50> shifts{};
    for (int n = 1; n <= 49; ++n) shifts[n] = static_cast<std::uint8_t>(4 * (n % 10));
    return shifts;
}();

// What the leading numbers of a set, A to D, give the steps.
struct Leading {
    std::array<int, 4> numbers{}; // 0: no number yet
    int count = 0;
    std::uint64_t mask = 0;
    std::uint64_t decades = 0, digits = 0; // counts per decade and per last digit, packed
    int sum = 0;
    int below = 0;               // numbers below the midpoint (1 to 24)
    int pairs = 0;               // neighbours one apart
    int run = 1, longestRun = 1; // consecutive numbers ending at the last one, and the longest such run
    unsigned signature = 0;      // bit k: position k holds an even number

    int last() const { return numbers[count - 1]; }
    void add(int n) {
        if (count > 0) {
            const bool next = n - numbers[count - 1] == 1;
            pairs += next;
            run = next ? run + 1 : 1;
            longestRun = run > longestRun ? run : longestRun;
        }
        signature |= static_cast<unsigned>(n % 2 == 0) << count;
        numbers[count++] = n;
        mask |= std::uint64_t{1} << n;
        decades += std::uint64_t{1} << kDecadeShift[n];
        digits += std::uint64_t{1} << kDigitShift[n];
        sum += n;
        below += n < 25;
    }
};

// Below and above the midpoint 24.5.
struct MidpointStep {
    bool active = false;
    double maxBelow = 6, maxAbove = 6, minBelow = 0, minAbove = 0;
    std::array<std::uint64_t, 6> failingLastByBelow{};  // by how many of A to E are below
    std::array<std::uint64_t, 5> failingFifthByBelow{}; // by how many of A to D are below

    MidpointStep() = default;
    explicit MidpointStep(const FilterControls& controls);
    bool passes(const Combination& set) const { return CheckMidpoint(set, maxBelow, maxAbove, minBelow, minAbove); }
    std::uint64_t failingFifth(const Leading& firstFour) const { return failingFifthByBelow[firstFour.below]; }
    std::uint64_t failingLast(const Leading& firstFour, int fifth) const {
        return failingLastByBelow[firstFour.below + (fifth < 25)];
    }
};

// Pairs of consecutive numbers and runs of them.
struct PairsStep {
    bool active = false;
    double maxConsecutives = 6;
    bool consecutiveLimitActive = false;
    int runLimit = 99; // a run of this many consecutive numbers fails
    int maxPairs = 5;
    bool requirePair = false;

    PairsStep() = default;
    explicit PairsStep(const FilterControls& controls);
    bool passes(const Combination& set) const;
    std::uint64_t failingFifth(const Leading& firstFour) const;
    // F right after E adds a pair and lengthens the run that ends at E.
    std::uint64_t failingLast(const Leading& firstFour, int fifth) const {
        const bool afterD = fifth == firstFour.last() + 1;
        const std::uint64_t next = fifth < 49 ? std::uint64_t{1} << (fifth + 1) : 0;
        return (nextLastBreaks[afterD] ? next : 0) | (otherLastBreaks[afterD] ? kEveryNumber & ~next : 0);
    }

private:
    // For E right after D (index 1) or not (0): whether F right after E, and any other F, break the rule.
    mutable std::array<bool, 2> nextLastBreaks{}, otherLastBreaks{};
    bool breaks(int pairs, int longestRun) const {
        return (requirePair && pairs == 0) || pairs > maxPairs || longestRun >= runLimit;
    }
};

// Even numbers: the evens signatures of recent draws, and the allowed counts of evens.
struct CompositionStep {
    bool active = false;
    bool signaturesActive = false, countsActive = false;
    std::uint64_t forbiddenSignatures = 0;
    std::array<bool, 64> countAllowed{};                     // by evens signature: is its count of evens allowed
    std::array<std::uint64_t, 32> failingLastBySignature{};  // by the signature of A to E
    std::array<std::uint64_t, 16> failingFifthBySignature{}; // by the signature of A to D

    CompositionStep() = default;
    CompositionStep(const FilterControls& controls, const RunTables& tables);
    bool passes(const Combination& set) const;
    std::uint64_t failingFifth(const Leading& firstFour) const { return failingFifthBySignature[firstFour.signature]; }
    std::uint64_t failingLast(const Leading& firstFour, int fifth) const {
        return failingLastBySignature[firstFour.signature | static_cast<unsigned>(fifth % 2 == 0) << 4];
    }
};

// The last-draw limits: each number of a set counts towards two totals taken
// from the last draw, and neither total may pass its limit. The limits stay live.
struct LastDrawStep {
    bool active = false;
    bool shadowActive = false, fromLastDrawActive = false;
    double shadowLimit = 6, fromLastDrawLimit = 6;
    // How much each number counts towards each total, and the numbers by that weight.
    std::array<std::uint8_t, 50> shadowWeights{}, fromLastDrawWeights{};
    std::array<std::uint64_t, 7> shadowWeightMasks{}, fromLastDrawWeightMasks{};
    // By the total of the leading numbers: the numbers that take it above the limit.
    std::array<std::uint64_t, 7> shadowFailing{}, fromLastDrawFailing{};

    LastDrawStep() : LastDrawStep(RunTables{}) {}
    explicit LastDrawStep(const RunTables& tables);
    void setLimits(const FilterControls& controls);
    bool passes(const Combination& set) const;
    // A number that takes a total above its limit fails as E or as F alike.
    std::uint64_t failingFifth(const Leading& firstFour) const {
        shadowOfFour = fromLastDrawOfFour = 0;
        for (int k = 0; k < 4; ++k) {
            shadowOfFour += shadowWeights[firstFour.numbers[k]];
            fromLastDrawOfFour += fromLastDrawWeights[firstFour.numbers[k]];
        }
        return shadowFailing[shadowOfFour] | fromLastDrawFailing[fromLastDrawOfFour];
    }
    std::uint64_t failingLast(const Leading&, int fifth) const {
        return shadowFailing[shadowOfFour + shadowWeights[fifth]] |
               fromLastDrawFailing[fromLastDrawOfFour + fromLastDrawWeights[fifth]];
    }

private:
    mutable int shadowOfFour = 0, fromLastDrawOfFour = 0; // the totals of A to D
};

// Key numbers, under one of three rules.
struct KeyNumbersStep {
    bool active = false;
    KeyRule rule = KeyRule::RequireAll;
    std::array<double, 5> keys{};
    std::array<std::uint64_t, 6> keyCountMasks{}; // numbers by how many key boxes hold them
    std::uint64_t validKeys = 0;                  // keys that name a number
    bool unreachableKey = false;                  // a key that no set can hold (7.5, say) still counts

    KeyNumbersStep() = default;
    explicit KeyNumbersStep(const FilterControls& controls);
    bool passes(const Combination& set) const;
    std::uint64_t failingFifth(const Leading& firstFour) const;
    std::uint64_t failingLast(const Leading& firstFour, int fifth) const;

private:
    int matches(std::uint64_t leadingMask) const;
};

// The sum: the sums picked one by one, the limits, and the sums of the last fifteen draws.
struct SumStep {
    bool active = false;
    bool pickActive = false, limitsActive = false, lastFifteenActive = false;
    std::array<bool, 259> accepted{}; // the sums 21 to 279
    double minSum = 21, maxSum = 279;
    std::array<int, 15> lastFifteen{};
    std::array<std::uint64_t, 256> failingLastBySum{};  // by the sum of A to E
    std::array<std::uint64_t, 256> failingFifthBySum{}; // by the sum of A to D

    SumStep() = default;
    SumStep(const FilterControls& controls, const RunTables& tables);
    bool passes(const Combination& set) const;
    std::uint64_t failingFifth(const Leading& firstFour) const { return failingFifthBySum[firstFour.sum]; }
    std::uint64_t failingLast(const Leading& firstFour, int fifth) const {
        return failingLastBySum[firstFour.sum + fifth];
    }

private:
    bool sumFails(int sum) const;
};

// At most so many numbers per class: per decade (tens) or per last digit (ones).
// A number of a class already at its limit fails as E or as F alike; an E that
// brings its class to the limit leaves the rest of that class failing as F.
class ClassLimits {
public:
    ClassLimits() = default;
    // `limits` as typed; a count above a limit fails.
    ClassLimits(const double* limits, int classes, bool byDigit);
    bool active() const { return active_; }
    bool passes(const Combination& set) const;
    std::uint64_t failingFifth(const Leading& firstFour) const {
        // Four bits a class: adding 8 - L to a count sets the class's top bit
        // when the count is at least L (counts stay below 6, L from -1 to 7).
        const std::uint64_t counts = byDigit_ ? firstFour.digits : firstFour.decades;
        if (((counts + toExceed_) & kTopBits) != 0) return kEveryNumber;
        const std::uint64_t full = (counts + toReach_) & kTopBits;
        fullAfterFour_ = numbersOf(full);
        oneShortAfterFour_ = numbersOf((counts + toReach_ + kOnePerClass) & kTopBits & ~full);
        return fullAfterFour_;
    }
    std::uint64_t failingLast(const Leading&, int fifth) const {
        return fullAfterFour_ | ((oneShortAfterFour_ >> fifth & 1) != 0 ? classMasks_[classOf(fifth)] : 0);
    }

private:
    static constexpr std::uint64_t kTopBits = 0x8888888888ull;
    static constexpr std::uint64_t kOnePerClass = 0x1111111111ull;
    int classOf(int n) const { return byDigit_ ? n % 10 : n / 10; }
    std::uint64_t numbersOf(std::uint64_t classTopBits) const {
        std::uint64_t numbers = 0;
        for (; classTopBits != 0; classTopBits &= classTopBits - 1)
            numbers |= classMasks_[std::countr_zero(classTopBits) / 4];
        return numbers;
    }

    bool active_ = false;
    bool byDigit_ = false;
    int classes_ = 0;
    std::array<int, 10> limits_{};             // whole: a count above floor(limit) breaks it
    std::uint64_t toReach_ = 0, toExceed_ = 0; // per class 8 - L and 7 - L
    std::array<std::uint64_t, 10> classMasks_{};
    // After A to D: the numbers of the classes at their limit, and one short of it.
    mutable std::uint64_t fullAfterFour_ = 0, oneShortAfterFour_ = 0;
};

struct TensStep {
    ClassLimits limits;

    TensStep() = default;
    explicit TensStep(const FilterControls& controls);
    bool active() const { return limits.active(); }
    bool passes(const Combination& set) const { return limits.passes(set); }
    std::uint64_t failingFifth(const Leading& firstFour) const { return limits.failingFifth(firstFour); }
    std::uint64_t failingLast(const Leading& firstFour, int fifth) const {
        return limits.failingLast(firstFour, fifth);
    }
};

struct OnesStep {
    std::array<double, 10> ones{}; // as the boxes say
    ClassLimits limits;

    OnesStep() = default;
    explicit OnesStep(const FilterControls& controls);
    bool active() const { return limits.active(); }
    bool passes(const Combination& set) const { return CheckOnesPlace(set, ones); }
    std::uint64_t failingFifth(const Leading& firstFour) const { return limits.failingFifth(firstFour); }
    std::uint64_t failingLast(const Leading& firstFour, int fifth) const {
        return limits.failingLast(firstFour, fifth);
    }
};

// Number groups: at most three numbers of each group. Live. A number of a
// group already holding three fails as E or as F alike; an E that brings a
// group to three leaves the rest of that group failing as F.
struct GroupsStep {
    bool active = false;
    std::array<std::uint64_t, 6> groups{};
    int nonEmpty = 0; // groups[0..nonEmpty) hold the groups that name a number

    void setGroups(const FilterControls& controls);
    bool passes(const Combination& set) const;
    std::uint64_t failingFifth(const Leading& firstFour) const {
        fullAfterFour_ = oneShortAfterFour_ = 0;
        for (int g = 0; g < nonEmpty; ++g) {
            const int count = countOf(firstFour.mask & groups[g]);
            if (count > 3) return kEveryNumber;
            if (count == 3) fullAfterFour_ |= groups[g];
            if (count == 2) oneShortAfterFour_ |= groups[g];
        }
        return fullAfterFour_;
    }
    std::uint64_t failingLast(const Leading& firstFour, int fifth) const {
        std::uint64_t fail = fullAfterFour_;
        if (oneShortAfterFour_ >> fifth & 1) {
            for (int g = 0; g < nonEmpty; ++g)
                if ((groups[g] >> fifth & 1) && countOf(firstFour.mask & groups[g]) == 2) fail |= groups[g];
        }
        return fail;
    }

private:
    // After A to D: the numbers of the groups holding three, and two.
    mutable std::uint64_t fullAfterFour_ = 0, oneShortAfterFour_ = 0;
};

// A rule per position: which numbers fail at each of A to F.
struct PerPositionRule {
    std::array<std::uint64_t, 6> failing{};

    std::uint64_t failingFifth(const Leading& firstFour) const {
        for (int k = 0; k < 4; ++k)
            if (failing[k] >> firstFour.numbers[k] & 1) return kEveryNumber;
        return failing[4];
    }
    std::uint64_t failingLast(const Leading&, int) const { return failing[5]; }
};

// Minimum and maximum per position A to F.
struct PositionLimits {
    std::array<double, 6> min{1, 2, 3, 4, 5, 6};
    std::array<double, 6> max{44, 45, 46, 47, 48, 49};
};
// The limits table: the chosen preset, the user's twelve boxes, or (positional
// limits off) the ranges every set keeps anyway.
PositionLimits positionLimits(const FilterControls& controls);

struct PositionStep : PerPositionRule {
    bool active = false;
    PositionLimits limits;

    PositionStep() = default;
    explicit PositionStep(const FilterControls& controls);
    bool passes(const Combination& set) const;
};

// Numbers locked in at a position, and numbers locked out of it.
struct LocksStep : PerPositionRule {
    bool active = false;
    std::array<double, 6> lockedIn{};
    std::array<double, 30> lockedOut{}; // five per position, A's first

    LocksStep() = default;
    explicit LocksStep(const FilterControls& controls);
    bool passes(const Combination& set) const { return CheckLockedIn(set, lockedIn) && CheckLockedOut(set, lockedOut); }
};

// The largest difference between neighbouring numbers.
struct DifferenceStep {
    bool active = false;
    double maxDif = 44;
    int wholeMaxDif = 44;

    DifferenceStep() = default;
    explicit DifferenceStep(const FilterControls& controls);
    bool passes(const Combination& set) const;
    std::uint64_t failingFifth(const Leading& firstFour) const;
    std::uint64_t failingLast(const Leading&, int fifth) const {
        return kEveryNumber & ~numbersFrom(1, fifth + wholeMaxDif);
    }
};

// No more numbers of a past draw than the limit. The index's answer for A to D
// is kept while the run works through their blocks.
struct HistoryStep {
    bool active = false;
    HistoryIndex index;
    mutable HistoryIndex::FirstFour firstFour;

    HistoryStep() = default;
    HistoryStep(const FilterControls& controls, const RunTables& tables);
    bool passes(const Combination& set) const { return index.CheckAgainstHistory(set); }
    std::uint64_t failingFifth(const Leading& leading) const {
        index.forFirstFour(leading.numbers, firstFour);
        return HistoryIndex::failingFifths(firstFour);
    }
    std::uint64_t failingLast(const Leading&, int fifth) const { return index.failingLast(firstFour, fifth); }
};

// The exact positional values, tested before a set is shown. Live.
struct ExactValuesStep {
    bool active = false;
    std::array<std::uint64_t, 6> allowed{};

    void setValues(const FilterControls& controls);
    bool passes(const Combination& set) const { return CheckExactPositionA(set, allowed); }
};

} // namespace orvane
