#include "backtest/ChanceShares.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

// Strata whose sample tried at every draw judged costs no more than this are
// tried so, exactly when the sample holds the whole stratum.
constexpr std::uint64_t kEveryDrawPairs = 2 * kChanceSamplePairs;
constexpr std::uint64_t kDrawSeed = 0xbb67ae8584caa73bull;

std::uint32_t bitOf(BacktestFilter filter) { return 1u << static_cast<int>(filter); }
std::size_t needOf(BacktestFilter filter) { return static_cast<std::size_t>(backtestFilterInfo(filter).historyNeeded); }

} // namespace

ChanceShares::ChanceShares(const BacktestResult& result, const std::vector<BacktestFilter>& active,
                           const SetCounts& counts, std::uint64_t total, const WalkForwardFilters& walkForward,
                           const SetStrata* strata)
    : active_(active), counts_(counts), total_(total), walkForward_(walkForward), strata_(strata) {
    for (const DrawVerdict& draw : result.draws)
        if (draw.inPick) judged_.push_back(draw.index);

    const std::uint32_t history = WalkForwardFilters::historyBits(active);
    std::size_t plainSeen = 0, mostNeeded = 0;
    for (BacktestFilter filter : active) mostNeeded = std::max(mostNeeded, needOf(filter));
    for (BacktestFilter filter : active) {
        alone_.push_back(alone(filter));
        Group without;
        const bool readsHistory = (history & bitOf(filter)) != 0;
        without.history = history & ~bitOf(filter);
        without.withStratum = readsHistory ? 0 : ++plainSeen;
        for (BacktestFilter other : active)
            if (other != filter) without.threshold = std::max(without.threshold, needOf(other));
        without.keptWithoutHistory = counts.keptWithout[static_cast<std::size_t>(filter)];
        groups_.push_back(without);
    }
    Group all;
    all.history = history;
    all.threshold = mostNeeded;
    all.keptWithoutHistory = counts.keptByAll;
    groups_.push_back(all);

    std::vector<bool> estimate(active.size() + 1, false);
    for (Group& group : groups_) {
        group.estimated = group.history != 0 && group.history != bitOf(BacktestFilter::AgainstHistory);
        if (!group.estimated) {
            group.share = countedExactly(group);
            continue;
        }
        estimate[0] = true;
        estimate[group.withStratum] = true;
    }
    for (std::size_t s = 0; s < estimate.size(); ++s)
        if (estimate[s]) strataToEstimate_.push_back(s);
    if (strataToEstimate_.empty()) finishEstimates();
}

std::size_t ChanceShares::firstJudgedFrom(std::size_t threshold) const {
    return static_cast<std::size_t>(std::lower_bound(judged_.begin(), judged_.end(), threshold) - judged_.begin());
}

ChanceShare ChanceShares::alone(BacktestFilter filter) const {
    ChanceShare chance;
    const std::size_t first = firstJudgedFrom(needOf(filter));
    chance.defined = first < judged_.size() && total_ > 0;
    if (!chance.defined) return chance;
    const double judged = static_cast<double>(judged_.size() - first);
    const double total = static_cast<double>(total_);
    if (needOf(filter) == 0) {
        chance.share = static_cast<double>(counts_.kept[static_cast<std::size_t>(filter)]) / total;
    } else if (filter == BacktestFilter::AgainstHistory) {
        // A set is kept at every draw up to its first rejecting draw.
        const std::vector<std::uint64_t>& byFirst = strata_->allByFirstRejecting();
        double kept = 0;
        for (std::size_t r = 0, at = first; r < byFirst.size(); ++r) {
            while (at < judged_.size() && judged_[at] <= r) ++at;
            kept += static_cast<double>(byFirst[r]) * static_cast<double>(at - first);
        }
        chance.share = kept / (judged * total);
    } else {
        double kept = 0;
        for (std::size_t at = first; at < judged_.size(); ++at)
            kept += static_cast<double>(walkForward_.keptAt(filter, judged_[at]));
        chance.share = kept / (judged * total);
    }
    return chance;
}

ChanceShare ChanceShares::countedExactly(const Group& group) const {
    ChanceShare chance;
    const std::size_t first = firstJudgedFrom(group.threshold);
    chance.defined = first < judged_.size() && total_ > 0;
    if (!chance.defined) return chance;
    const double total = static_cast<double>(total_);
    if (group.history == 0) {
        chance.share = static_cast<double>(group.keptWithoutHistory) / total;
        return chance;
    }
    // Only the filter against history reads the history: a set of the group's
    // strata is kept at every draw up to its first rejecting draw.
    double kept = 0;
    for (std::size_t s : {std::size_t{0}, group.withStratum}) {
        const std::vector<std::uint64_t>& byFirst = strata_->stratum(s).byFirstRejecting;
        for (std::size_t r = 0, at = first; r < byFirst.size(); ++r) {
            while (at < judged_.size() && judged_[at] <= r) ++at;
            kept += static_cast<double>(byFirst[r]) * static_cast<double>(at - first);
        }
        if (group.withStratum == 0) break;
    }
    chance.share = kept / (static_cast<double>(judged_.size() - first) * total);
    return chance;
}

bool ChanceShares::estimateUntil(std::chrono::steady_clock::time_point deadline) {
    while (nextStratum_ < strataToEstimate_.size()) {
        const std::size_t stratum = strataToEstimate_[nextStratum_];
        if (nextSet_ == 0) random_.seed(kDrawSeed + stratum);
        if (!estimateStratum(stratum, deadline)) return false;
        settleStratum(stratum);
        ++nextStratum_;
        nextSet_ = 0;
        if (nextStratum_ == strataToEstimate_.size()) finishEstimates();
        if (std::chrono::steady_clock::now() >= deadline) break;
    }
    return nextStratum_ == strataToEstimate_.size();
}

namespace {
// The groups that keep `stratum` and need an estimate, and the slot they count it in.
std::size_t countingSlot(std::size_t stratum) { return stratum == 0 ? 0 : 1; }
} // namespace

// Tries the stratum's sample of sets at draws judged, for every group that
// keeps the stratum and needs an estimate: each set at every draw when that
// is little work, otherwise at draws drawn at random.
bool ChanceShares::estimateStratum(std::size_t stratum, std::chrono::steady_clock::time_point deadline) {
    const std::vector<SampledSet>& sets = strata_->stratum(stratum).sample->sets();
    if (sets.empty() || judged_.empty()) return true;
    const std::size_t slot = countingSlot(stratum);
    std::vector<Group*> groups;
    for (Group& group : groups_)
        if (group.estimated && (stratum == 0 || group.withStratum == stratum)) groups.push_back(&group);

    std::uint32_t history = 0;
    for (const Group* group : groups) history |= group->history;
    std::array<std::uint32_t, 64> readyAt{}; // by draw index up to 63: the filters that can judge it
    for (std::size_t i = 0; i < readyAt.size(); ++i)
        for (BacktestFilter filter : active_)
            if ((history & bitOf(filter)) != 0 && needOf(filter) <= i) readyAt[i] |= bitOf(filter);
    const auto tryAt = [&](const SampledSet& set, std::size_t i) {
        const std::uint32_t failing = walkForward_.failing(set, i, i < readyAt.size() ? readyAt[i] : history);
        for (Group* group : groups) {
            if (i < group->threshold) continue;
            ++group->pairs[slot];
            group->passed[slot] += (failing & group->history) == 0;
        }
    };

    const std::uint64_t setCount = sets.size();
    const bool everyDraw = setCount * judged_.size() <= kEveryDrawPairs;
    const std::uint64_t perSet = std::max<std::uint64_t>(1, (kChanceSamplePairs + setCount - 1) / setCount);
    constexpr std::size_t kSetsPerClockCheck = 1024;
    for (std::size_t tried = 0; nextSet_ < sets.size(); ++nextSet_, ++tried) {
        if (tried % kSetsPerClockCheck == kSetsPerClockCheck - 1 && std::chrono::steady_clock::now() >= deadline)
            return false;
        const SampledSet& set = sets[nextSet_];
        if (everyDraw) {
            for (std::size_t i : judged_) tryAt(set, i);
        } else {
            for (std::uint64_t k = 0; k < perSet; ++k) tryAt(set, judged_[random_() % judged_.size()]);
        }
    }
    return true;
}

// The variance of each group's estimate over the stratum, once all its sets are tried.
void ChanceShares::settleStratum(std::size_t stratum) {
    const SetSample& sample = *strata_->stratum(stratum).sample;
    const std::uint64_t setCount = sample.sets().size();
    const bool everyDraw = setCount * judged_.size() <= kEveryDrawPairs;
    const bool wholeStratum = sample.seen() == setCount;
    const std::size_t slot = countingSlot(stratum);
    for (Group& group : groups_) {
        if (!group.estimated || !(stratum == 0 || group.withStratum == stratum)) continue;
        const double pairs = static_cast<double>(group.pairs[slot]);
        if (pairs == 0) continue;
        const double q = static_cast<double>(group.passed[slot]) / pairs;
        group.exact[slot] = everyDraw && wholeStratum;
        if (everyDraw && wholeStratum) {
            group.variance[slot] = 0;
        } else if (everyDraw) {
            // Every draw for each set sampled: the sets are the only chance in it.
            group.variance[slot] = q * (1 - q) / static_cast<double>(setCount);
        } else {
            // With a pass and a failure added on each side, so that a share seen as 0 or 1 is not taken as certain.
            const double adjusted = (static_cast<double>(group.passed[slot]) + 2) / (pairs + 4);
            group.variance[slot] = adjusted * (1 - adjusted) / (pairs + 4);
        }
    }
}

void ChanceShares::finishEstimates() {
    for (Group& group : groups_) {
        if (!group.estimated) continue;
        ChanceShare& chance = group.share;
        // Strata that hold no set, or whose every set was tried at every draw, were counted exactly.
        chance.estimated = !(group.exact[0] && (group.withStratum == 0 || group.exact[1]));
        chance.defined = firstJudgedFrom(group.threshold) < judged_.size() && total_ > 0;
        if (!chance.defined) continue;
        double kept = 0, variance = 0;
        for (std::size_t slot = 0; slot < 2; ++slot) {
            const std::size_t stratum = slot == 0 ? 0 : group.withStratum;
            if (slot == 1 && stratum == 0) break;
            const double size = static_cast<double>(strata_->stratum(stratum).size);
            if (group.pairs[slot] == 0) continue;
            kept += size * static_cast<double>(group.passed[slot]) / static_cast<double>(group.pairs[slot]);
            variance += size * size * group.variance[slot];
        }
        const double total = static_cast<double>(total_);
        chance.share = kept / total;
        chance.error = std::sqrt(variance) / total;
    }
}

void ChanceShares::fill(BacktestResult& result) const {
    for (std::size_t k = 0; k < result.filters.size() && k < alone_.size(); ++k) {
        result.filters[k].chance = alone_[k];
        result.filters[k].chanceWithout = groups_[k].share;
    }
    result.joint.chance = groups_.back().share;
    result.joint.chanceWithout = result.joint.chance;
}

} // namespace orvane
