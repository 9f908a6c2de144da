#include "backtest/SetCounts.h"

namespace orvane {

SetCounter::SetCounter(const BacktestFilterSet& filters, const std::vector<int>& pick, SetStrata* strata)
    : filters_(filters), strata_(strata), pick_(pick), total_(setsInPick(static_cast<int>(pick.size()))) {
    for (BacktestFilter filter : filters_.active()) {
        steps_.push_back(&filters_.step(filter));
        activeIndex_.push_back(static_cast<int>(filter));
        readsNoHistory_.push_back(backtestFilterInfo(filter).historyNeeded == 0);
    }
    finished_ = pick_.size() < 6;
}

bool SetCounter::countUntil(std::chrono::steady_clock::time_point deadline) {
    // A to D take microseconds each: the clock is read every 64 of them.
    for (int n = 0; !finished_; ++n) {
        countFirstFour();
        finished_ = !nextFirstFour();
        if ((n & 63) == 63 && std::chrono::steady_clock::now() >= deadline) break;
    }
    return finished_;
}

// The next A to D in ascending order, leaving room for E and F.
bool SetCounter::nextFirstFour() {
    const int size = static_cast<int>(pick_.size());
    for (int k = 3; k >= 0; --k) {
        if (at_[k] < size - 6 + k) {
            ++at_[k];
            for (int j = k + 1; j < 4; ++j) at_[j] = at_[j - 1] + 1;
            return true;
        }
    }
    return false;
}

void SetCounter::countFirstFour() {
    const std::size_t count = steps_.size();
    Leading lead;
    for (int k = 0; k < 4; ++k) lead.add(pick_[at_[k]]);
    std::uint64_t pickMask = 0;
    for (int n : pick_) pickMask |= std::uint64_t{1} << n;

    std::array<std::uint64_t, kBacktestFilterCount> failingFifth{}, failing{}, before{};
    for (std::size_t s = 0; s < count; ++s) failingFifth[s] = steps_[s]->failingFifth(lead);

    const int size = static_cast<int>(pick_.size());
    for (int e = at_[3] + 1; e < size - 1; ++e) {
        const int fifth = pick_[e];
        const std::uint64_t lasts = pickMask & ~numbersFrom(1, fifth); // the F of this block
        const int sets = countOf(lasts);
        counts_.sets += static_cast<std::uint64_t>(sets);
        std::uint64_t any = 0;
        for (std::size_t s = 0; s < count; ++s) {
            failing[s] = (failingFifth[s] >> fifth & 1) != 0 ? ~std::uint64_t{0} : steps_[s]->failingLast(lead, fifth);
            before[s] = any; // failing some filter ahead of s
            any |= failing[s];
            counts_.kept[activeIndex_[s]] += static_cast<std::uint64_t>(countOf(lasts & ~failing[s]));
        }
        counts_.keptByAll += static_cast<std::uint64_t>(countOf(lasts & ~any));
        std::uint64_t after = 0; // failing some filter behind s
        for (std::size_t s = count; s-- > 0;) {
            counts_.keptWithout[activeIndex_[s]] += static_cast<std::uint64_t>(countOf(lasts & ~(before[s] | after)));
            after |= failing[s];
        }
        if (strata_) addToStrata(lead, fifth, lasts, failing);
    }
}

// Stratum 0: the sets no filter that reads no history rejects; 1 + s: the
// sets the s-th such filter alone rejects.
void SetCounter::addToStrata(const Leading& lead, int fifth, std::uint64_t lasts,
                             const std::array<std::uint64_t, kBacktestFilterCount>& failing) {
    std::array<std::uint64_t, kBacktestFilterCount + 1> members{};
    std::array<std::uint64_t, kBacktestFilterCount> before{};
    std::uint64_t any = 0;
    for (std::size_t s = 0; s < steps_.size(); ++s)
        if (readsNoHistory_[s]) {
            before[s] = any;
            any |= failing[s];
        }
    members[0] = lasts & ~any;
    std::size_t stratum = 0;
    for (std::size_t s = 0; s < steps_.size(); ++s)
        if (readsNoHistory_[s]) ++stratum;
    std::uint64_t after = 0;
    for (std::size_t s = steps_.size(); s-- > 0;) {
        if (!readsNoHistory_[s]) continue;
        members[stratum--] = lasts & failing[s] & ~(before[s] | after);
        after |= failing[s];
    }
    const int firstFive[5] = {lead.numbers[0], lead.numbers[1], lead.numbers[2], lead.numbers[3], fifth};
    strata_->addBlock(firstFive, lasts, members.data());
}

} // namespace orvane
