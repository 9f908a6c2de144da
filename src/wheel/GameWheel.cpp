#include "wheel/GameWheel.h"

#include "core/Binomial.h"
#include "core/SetWalk.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {
// How many blocks go by between two looks at the clock.
constexpr unsigned kClockStride = 256;

char* putWheelNumber(char* out, int n) {
    if (n >= 10) *out++ = static_cast<char>('0' + n / 10);
    *out++ = static_cast<char>('0' + n % 10);
    return out;
}
} // namespace

GameWheel::GameWheel(const Game& game, std::vector<int> pick, const std::vector<int>& pickedBonus, GameRules rules,
                     std::unique_ptr<WheelOutput> output, bool skip)
    : game_(game), k_(game.perTicket()), pick_(std::move(pick)), poolSize_(static_cast<int>(pick_.size())),
      rules_(std::move(rules)), output_(std::move(output)), skip_(skip) {
    fileOutput_ = dynamic_cast<FileWheelOutput*>(output_.get());
    for (int n : pick_) pickNumbers_ |= maskOf(n);
    if (game.hasBonusPool() && !pickedBonus.empty()) {
        bonusParts_ = bonusParts(pickedBonus, game.bonusDrawn());
        linesPerSet_ = bonusParts_.size();
    }
    compileTables();
}

void GameWheel::setLiveControls(const FilterControls& controls) {
    takeLiveControls(rules_, game_, controls);
    compileTables();
}

// The failing last numbers by each total the leading numbers can give, so a
// block looks its answers up.
void GameWheel::compileTables() {
    const GameRules& r = rules_;
    const int n = game_.highest();
    anyRule_ = r.anyActive();
    beyondSums_ = r.midpointActive || r.signaturesActive || r.evensCountsActive || r.pairsActive || r.shadowActive ||
                  r.fromLastDrawActive || r.keysActive || r.tensActive || r.onesActive || r.groupsActive ||
                  r.differenceActive || r.historyActive;
    // The pick's numbers after each of its places: a block's last numbers.
    pickAbove_.assign(static_cast<std::size_t>(poolSize_) + 1, 0);
    for (int i = poolSize_ - 2; i >= 0; --i)
        pickAbove_[static_cast<std::size_t>(i)] =
            pickAbove_[static_cast<std::size_t>(i) + 1] | maskOf(pick_[static_cast<std::size_t>(i) + 1]);
    every_ = numbersUpTo(n);
    GameMask below = numbersUpTo(r.midpoint), even = 0;
    for (int x = 2; x <= n; x += 2) even |= maskOf(x);

    auto failing = [&](auto fails) {
        GameMask mask = 0;
        for (int x = 1; x <= n; ++x)
            if (fails(x)) mask |= maskOf(x);
        return mask;
    };
    failingBySum_.assign(static_cast<std::size_t>(r.largestSum) + 1, 0);
    for (int sum = 0; sum <= r.largestSum; ++sum)
        failingBySum_[static_cast<std::size_t>(sum)] = failing([&](int x) {
            const int total = sum + x;
            if (r.sumPickActive && (total < r.smallestSum || total > r.largestSum ||
                                    !r.sumsAccepted[static_cast<std::size_t>(total - r.smallestSum)]))
                return true;
            if (r.sumLimitsActive && (r.minSum > total || r.maxSum < total)) return true;
            return r.lastFifteenActive &&
                   std::find(r.lastFifteenSums.begin(), r.lastFifteenSums.end(), total) != r.lastFifteenSums.end();
        });
    auto breaksMidpoint = [&](int belowCount) {
        const int above = k_ - belowCount;
        return belowCount > r.maxBelow || belowCount < r.minBelow || above > r.maxAbove || above < r.minAbove;
    };
    failingByBelow_.assign(static_cast<std::size_t>(k_), 0);
    for (int count = 0; count < k_; ++count)
        failingByBelow_[static_cast<std::size_t>(count)] =
            (breaksMidpoint(count + 1) ? below : 0) | (breaksMidpoint(count) ? every_ & ~below : 0);
    auto breaksEvens = [&](unsigned signature) {
        return (r.signaturesActive && r.forbiddenSignatures[signature]) ||
               (r.evensCountsActive && !r.evensCountAllowed[static_cast<std::size_t>(std::popcount(signature))]);
    };
    const unsigned lastBit = 1u << (k_ - 1);
    failingBySignature_.assign(lastBit, 0);
    for (unsigned signature = 0; signature < lastBit; ++signature)
        failingBySignature_[signature] =
            (breaksEvens(signature | lastBit) ? even : 0) | (breaksEvens(signature) ? every_ & ~even : 0);

    // A number's weight towards each last-draw total, and the numbers that take a total above its limit.
    shadowWeightMasks_.assign(static_cast<std::size_t>(k_) + 1, 0);
    fromLastDrawWeightMasks_.assign(static_cast<std::size_t>(k_) + 1, 0);
    for (int x = 1; x <= n; ++x) {
        shadowWeightMasks_[static_cast<std::size_t>(r.shadowWeights[static_cast<std::size_t>(x)])] |= maskOf(x);
        fromLastDrawWeightMasks_[static_cast<std::size_t>(r.fromLastDrawWeights[static_cast<std::size_t>(x)])] |=
            maskOf(x);
    }
    shadowFailing_.assign(static_cast<std::size_t>(k_) + 1, 0);
    fromLastDrawFailing_.assign(static_cast<std::size_t>(k_) + 1, 0);
    for (int total = 0; total <= k_; ++total)
        for (int w = 0; w <= k_; ++w) {
            const auto t = static_cast<std::size_t>(total), weight = static_cast<std::size_t>(w);
            if (r.shadowActive && total + w > r.shadowLimit) shadowFailing_[t] |= shadowWeightMasks_[weight];
            if (r.fromLastDrawActive && total + w > r.fromLastDrawLimit)
                fromLastDrawFailing_[t] |= fromLastDrawWeightMasks_[weight];
        }

    keyCountMasks_ = {};
    validKeys_ = 0;
    unreachableKey_ = false;
    for (int x = 1; x <= n; ++x) {
        const auto boxes = static_cast<std::size_t>(std::count(r.keys.begin(), r.keys.end(), x));
        keyCountMasks_[boxes] |= maskOf(x);
        if (boxes > 0) validKeys_ |= maskOf(x);
    }
    for (double key : r.keys)
        if (key > 0 && key < n + 1 && key != std::floor(key)) unreachableKey_ = true;

    tensMasks_ = {};
    onesMasks_ = {};
    for (int x = 1; x <= n; ++x) {
        tensMasks_[static_cast<std::size_t>(x / 10)] |= maskOf(x);
        onesMasks_[static_cast<std::size_t>(x % 10)] |= maskOf(x);
    }
    auto masksOf = [](const std::vector<NumberSet>& sets) {
        std::vector<GameMask> masks;
        masks.reserve(sets.size());
        for (const NumberSet& set : sets) {
            GameMask mask = 0;
            set.forEach([&mask](int x) { mask |= maskOf(x); });
            masks.push_back(mask);
        }
        return masks;
    };
    groups_ = masksOf(r.groups);
    pastDrawsAt_[0] = masksOf(r.pastDraws);
    wholeMaxDif_ = static_cast<int>(std::floor(std::clamp(r.maxDif, -1.0, 100.0)));
    wholeMaxSum_ = r.sumLimitsActive ? static_cast<int>(std::floor(std::clamp(r.maxSum, -1.0, 1000.0))) : r.largestSum;
    wholeMinSum_ = r.sumLimitsActive ? static_cast<int>(std::ceil(std::clamp(r.minSum, -1.0, 1000.0))) : 0;
    largestRest_.assign(static_cast<std::size_t>(k_) + 1, 0);
    for (int c = 1; c <= k_ && c <= poolSize_; ++c)
        largestRest_[static_cast<std::size_t>(c)] =
            largestRest_[static_cast<std::size_t>(c - 1)] + pick_[static_cast<std::size_t>(poolSize_ - c)];
    smallestRest_.assign((static_cast<std::size_t>(poolSize_) + 1) * (static_cast<std::size_t>(k_) + 1), 0);
    for (int i = 0; i < poolSize_; ++i)
        for (int c = 1; c <= k_ && i + c < poolSize_; ++c)
            smallestRest_[restIndex(i, c)] =
                smallestRest_[restIndex(i, c - 1)] + pick_[static_cast<std::size_t>(i) + static_cast<std::size_t>(c)];

    allowedAtPosition_.assign(static_cast<std::size_t>(k_), every_);
    withinLimits_.assign(static_cast<std::size_t>(k_), every_);
    for (std::size_t i = 0; i < static_cast<std::size_t>(k_); ++i) {
        GameMask& allowed = allowedAtPosition_[i];
        if (r.positionsActive)
            withinLimits_[i] = failing([&](int x) { return !(x < r.positionMin[i] || x > r.positionMax[i]); });
        allowed &= withinLimits_[i];
        if (r.locksActive) {
            if (r.lockedIn[i] > 0) allowed &= failing([&](int x) { return x == r.lockedIn[i]; });
            for (std::size_t j = 0; j < 5; ++j)
                if (const double out = r.lockedOut[5 * i + j]; out > 0)
                    allowed &= ~failing([&](int x) { return x == out; });
        }
        if (r.exactValuesActive && !r.exactValues[i].empty())
            allowed &= failing([&](int x) { return r.exactValues[i].has(x); });
    }
}

void GameWheel::passOver(int at, bool rest, bool counted) {
    int& index = index_[static_cast<std::size_t>(depth_)];
    if (counted)
        generatedSets_ += rest ? binomial(poolSize_ - at, k_ - depth_) : binomial(poolSize_ - 1 - at, k_ - 1 - depth_);
    if (rest) index = poolSize_;
}

GameMask GameWheel::failingByKeys(const Leading& leading) const {
    const GameMask firstNumbers = leading.numbers;
    switch (rules_.keyRule) {
    case KeyRule::AllowOnlyOne: {
        int matches = 0;
        for (std::size_t w = 1; w < keyCountMasks_.size(); ++w)
            matches += static_cast<int>(w) * countOf(firstNumbers & keyCountMasks_[w]);
        GameMask fail = 0;
        for (std::size_t w = 0; w < keyCountMasks_.size(); ++w)
            if (matches + static_cast<int>(w) != 1) fail |= keyCountMasks_[w];
        return fail;
    }
    case KeyRule::RequireAll: {
        if (unreachableKey_) return every_;
        const GameMask missing = validKeys_ & ~firstNumbers;
        if (missing == 0) return 0;
        return countOf(missing) == 1 ? every_ & ~missing : every_;
    }
    case KeyRule::RequireAny:
        if ((validKeys_ == 0 && !unreachableKey_) || (validKeys_ & firstNumbers) != 0) return 0;
        return every_ & ~validKeys_;
    }
    return 0;
}

// A class already at its limit fails every number of it; one above, every number.
GameMask GameWheel::failingByClasses(const Leading& leading) const {
    std::array<int, 10> tens{}, ones{};
    for (GameMask rest = leading.numbers; rest != 0; rest &= rest - 1) {
        const int x = lowestOf(rest);
        ++tens[static_cast<std::size_t>(x / 10)];
        ++ones[static_cast<std::size_t>(x % 10)];
    }
    GameMask fail = 0;
    if (rules_.tensActive)
        for (std::size_t c = 0; c < rules_.tensLimits.size(); ++c) {
            if (tens[c] > rules_.tensLimits[c]) return every_;
            if (tens[c] == rules_.tensLimits[c]) fail |= tensMasks_[c];
        }
    if (rules_.onesActive)
        for (std::size_t d = 0; d < 10; ++d) {
            if (ones[d] > rules_.onesLimits[d]) return every_;
            if (ones[d] == rules_.onesLimits[d]) fail |= onesMasks_[d];
        }
    return fail;
}

// The last numbers that fail some filter after the leading k - 1 numbers
// (their own positions and gaps were kept when they were placed).
GameMask GameWheel::failingLast(const Leading& leading) const {
    const GameRules& r = rules_;
    GameMask fail = failingBySum_[static_cast<std::size_t>(leading.sum)];
    if (!beyondSums_) return fail; // the sums alone: the common case, one look-up
    if (r.midpointActive) fail |= failingByBelow_[static_cast<std::size_t>(leading.below)];
    if (r.signaturesActive || r.evensCountsActive) fail |= failingBySignature_[leading.signature];
    if (r.pairsActive) {
        auto breaks = [&](int pairs, int longest) {
            return (r.requirePair && pairs == 0) || pairs > r.maxPairs || longest >= r.runLimit;
        };
        const GameMask next = maskOf(leading.last + 1) & every_;
        if (breaks(leading.pairs + 1, std::max(leading.longest, leading.run + 1))) fail |= next;
        if (breaks(leading.pairs, leading.longest)) fail |= every_ & ~next;
    }
    if (r.shadowActive) fail |= shadowFailing_[static_cast<std::size_t>(leading.shadow)];
    if (r.fromLastDrawActive) fail |= fromLastDrawFailing_[static_cast<std::size_t>(leading.fromLastDraw)];
    if (r.keysActive) fail |= failingByKeys(leading);
    if (r.tensActive || r.onesActive) fail |= failingByClasses(leading);
    if (r.groupsActive)
        for (const GameMask group : groups_) {
            const int held = countOf(leading.numbers & group);
            if (held > r.groupLimit) return every_;
            if (held == r.groupLimit) fail |= group;
        }
    if (r.differenceActive) fail |= every_ & ~numbersUpTo(leading.last + wholeMaxDif_);
    if (r.historyActive)
        for (const GameMask draw : pastDrawsAt_[static_cast<std::size_t>(k_) - 1]) {
            const int shared = countOf(leading.numbers & draw);
            if (shared > r.historyLimit) return every_;
            if (shared == r.historyLimit) fail |= draw;
        }
    return fail;
}

bool GameWheel::advance(std::chrono::nanoseconds budget) {
    if (ended_) return true;
    return walk(std::chrono::steady_clock::now() + budget);
}

void GameWheel::runToEnd() {
    while (!advance(std::chrono::hours(1))) {}
}

void GameWheel::stop() {
    if (!ended_) end();
}

std::vector<int> GameWheel::currentLeading() const {
    std::vector<int> numbers;
    if (!started_) return numbers;
    for (int d = 0; d <= std::min(depth_, k_ - 2); ++d) numbers.push_back(pick_[static_cast<std::size_t>(index_[d])]);
    return numbers;
}

std::vector<int> GameWheel::lastSetOfBlock() const {
    // A run that went to its end stands at the last set of the pick.
    if (ended_ && started_ && poolSize_ >= k_) return std::vector<int>(pick_.end() - k_, pick_.end());
    std::vector<int> numbers = currentLeading();
    if (static_cast<int>(numbers.size()) != k_ - 1) return {};
    numbers.push_back(pick_.back());
    return numbers;
}

// The depth-first walk over the leading numbers, resumable between blocks:
// index_[d] is the pick index at depth d, leading_[d] what depths 0 to d - 1 give.
bool GameWheel::walk(std::chrono::steady_clock::time_point deadline) {
    if (!started_) {
        started_ = true;
        if (poolSize_ < k_) {
            end();
            return true;
        }
        depth_ = 0;
        index_[0] = -1;
    }
    const int lastDepth = k_ - 2; // the depth whose number completes the leading k - 1
    unsigned countdown = kClockStride;
    for (;;) {
        int& at = index_[static_cast<std::size_t>(depth_)];
        ++at;
        if (at > poolSize_ - (k_ - depth_)) {
            if (--depth_ < 0) {
                end();
                return true;
            }
            continue;
        }
        const int x = pick_[static_cast<std::size_t>(at)];
        const Leading& before = leading_[static_cast<std::size_t>(depth_)];
        // Past the widest gap, or past the largest sum with the smallest numbers
        // after it, every later number of this depth fails too.
        if (rules_.differenceActive && depth_ > 0 && x - before.last > wholeMaxDif_) {
            passOver(at, true, !skip_);
            continue;
        }
        const int after = k_ - 1 - depth_; // the numbers still to come after x
        if (before.sum + x + smallestRest_[restIndex(at, after)] > wholeMaxSum_) {
            passOver(at, true, !skip_);
            continue;
        }
        // Below the smallest sum even with the largest numbers after it: these sets all fail
        // (counted; the skip passes over the largest sums only).
        if (!skip_ && before.sum + x + largestRest_[static_cast<std::size_t>(after)] < wholeMinSum_) {
            passOver(at, false, true);
            continue;
        }
        // The sets that start this way fail: counted (unless skipped) and never
        // looked at; skipping, those the locks or exact values refuse are walked
        // on, to count the ones the skip would not pass over.
        const bool withinLimits = (withinLimits_[static_cast<std::size_t>(depth_)] >> x & 1) != 0;
        const bool locked = !(allowedAtPosition_[static_cast<std::size_t>(depth_)] >> x & 1) && withinLimits;
        if (!(allowedAtPosition_[static_cast<std::size_t>(depth_)] >> x & 1) && !(skip_ && locked)) {
            passOver(at, false, !skip_);
            continue;
        }
        Leading& next = leading_[static_cast<std::size_t>(depth_) + 1];
        next = before;
        if (depth_ > 0) {
            const bool follows = x - before.last == 1;
            next.pairs += follows;
            next.run = follows ? before.run + 1 : 1;
            next.longest = std::max(next.longest, next.run);
        }
        next.sum += x;
        next.below += x <= rules_.midpoint;
        next.signature |= static_cast<unsigned>(x % 2 == 0) << depth_;
        next.shadow += rules_.shadowWeights[static_cast<std::size_t>(x)];
        next.fromLastDraw += rules_.fromLastDrawWeights[static_cast<std::size_t>(x)];
        next.last = x;
        next.numbers |= maskOf(x);
        next.locked = next.locked || locked;
        if (rules_.historyActive) keepRejectingDraws(depth_ + 1, next.numbers);
        if (depth_ < lastDepth) {
            ++depth_;
            index_[static_cast<std::size_t>(depth_)] = at;
            continue;
        }
        // A block: every last number of the pick above x, less those the skip passes over.
        const GameMask candidates = pickAbove_[static_cast<std::size_t>(at)];
        if (skip_) {
            GameMask generated =
                candidates & withinLimits_[static_cast<std::size_t>(k_ - 1)] & numbersUpTo(wholeMaxSum_ - next.sum);
            if (rules_.differenceActive) generated &= numbersUpTo(x + wholeMaxDif_);
            generatedSets_ += static_cast<std::uint64_t>(countOf(generated));
        } else {
            generatedSets_ += static_cast<std::uint64_t>(poolSize_ - 1 - at);
        }
        GameMask passing = next.locked ? 0 : candidates & allowedAtPosition_[static_cast<std::size_t>(k_ - 1)];
        if (anyRule_) passing &= ~failingLast(next);
        if (passing != 0) {
            if (output_) {
                if (!record(passing)) return true;
            } else {
                passingSets_ += static_cast<std::uint64_t>(countOf(passing));
            }
        }
        if (--countdown == 0) {
            countdown = kClockStride;
            if (std::chrono::steady_clock::now() >= deadline) return false;
        }
    }
}

// A past draw rejects a set when it shares more than the limit of its
// numbers: with `placed` numbers placed, only the draws that share enough of
// them to pass the limit with every number still to come can reject a set
// starting so. Each depth keeps those of the depth before, so the last
// number's test looks at a handful of draws rather than the whole history.
void GameWheel::keepRejectingDraws(int placed, GameMask leading) {
    const std::vector<GameMask>& before = pastDrawsAt_[static_cast<std::size_t>(placed) - 1];
    std::vector<GameMask>& kept = pastDrawsAt_[static_cast<std::size_t>(placed)];
    kept.clear();
    const int needed = rules_.historyLimit - (k_ - placed); // shared numbers above this can still reject
    for (const GameMask draw : before)
        if (countOf(leading & draw) > needed) kept.push_back(draw);
}

bool GameWheel::recordLine(std::string_view text, std::uint64_t passingCount) {
    // The file, the usual output, is called directly rather than through the interface.
    return fileOutput_ ? fileOutput_->recordText(text, passingCount) : output_->recordText(text, passingCount);
}

// Writes the block's passing sets, each once for each bonus part.
bool GameWheel::record(GameMask passing) {
    char line[64];
    char* start = line;
    for (int d = 0; d < k_ - 1; ++d) {
        start = putWheelNumber(start, pick_[static_cast<std::size_t>(index_[static_cast<std::size_t>(d)])]);
        *start++ = ' ';
    }
    // A write that fails ends the run at that line (the failure is asked for once, not per line).
    bool written = true;
    for (; passing != 0 && written; passing &= passing - 1) {
        char* end = putWheelNumber(start, lowestOf(passing));
        ++passingSets_;
        const std::uint64_t firstLine = (passingSets_ - 1) * linesPerSet_;
        if (bonusParts_.empty()) {
            written = recordLine({line, static_cast<std::size_t>(end - line)}, firstLine + 1);
            continue;
        }
        for (std::size_t b = 0; b < bonusParts_.size() && written; ++b) {
            const std::string& part = bonusParts_[b];
            std::copy(part.begin(), part.end(), end);
            const std::string_view text(line, static_cast<std::size_t>(end - line) + part.size());
            written = recordLine(text, firstLine + b + 1);
        }
    }
    if (written) return true;
    failure_ = output_->failure();
    end();
    return false;
}

void GameWheel::end() {
    ended_ = true;
    if (output_ && !output_->close() && !failure_) failure_ = output_->failure();
}

} // namespace orvane
