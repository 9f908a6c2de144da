#include "wheel/WheelJob.h"

#include "core/NumberText.h"

#include <algorithm>
#include <bit>

namespace orvane {

namespace {
// How many sets go by between two looks at the clock: often enough to keep a
// slice near its budget, rarely enough to cost nothing measurable.
constexpr unsigned kClockStride = 1024;
} // namespace

WheelJob::WheelJob(std::vector<int> pick, SetPipeline pipeline, std::unique_ptr<WheelOutput> output,
                   std::optional<SkipLimits> skip)
    : pick_(std::move(pick)), poolSize_(static_cast<int>(pick_.size())), pipeline_(std::move(pipeline)),
      output_(std::move(output)), fileOutput_(dynamic_cast<FileWheelOutput*>(output_.get())),
      slowOutput_(output_ && !fileOutput_) {
    if (skip) skip_.emplace(pick_, skip->limits, skip->maxDifference, skip->maxSum);
    for (int j = 0; j < poolSize_; ++j) {
        pickNumbers_ |= std::uint64_t{1} << pick_[j];
        indexInPick_[pick_[j]] = j;
    }
}

WheelJob::SkipLimits WheelJob::skipLimitsFor(const FilterControls& normalised) {
    return {positionLimits(normalised), wholeNumberValue(normalised.maxDif), wholeNumberValue(normalised.maxSum)};
}

bool WheelJob::advance(std::chrono::nanoseconds budget) {
    if (ended_) return true;
    const auto deadline = std::chrono::steady_clock::now() + budget;
    if (pendingFilter_) {
        pendingFilter_ = false;
        filterCurrent();
        if (ended_) return true;
    }
    return slowOutput_ ? generateUntil<true>(deadline) : generateUntil<false>(deadline);
}

// The slice's loop. With a slow output (one that costs microseconds a set, such
// as a printed document) the clock is looked at on the set after any set was
// recorded, since a block can record dozens of sets; the file and no-output
// runs keep the plain stride, their loop untouched by the check.
template <bool kSlowOutput> bool WheelJob::generateUntil(std::chrono::steady_clock::time_point deadline) {
    for (unsigned countdown = kClockStride;;) {
        const Generated generated = generateNext();
        if (generated == Generated::Ended) [[unlikely]] {
            end();
            return true;
        }
        if (--countdown == 0) [[unlikely]] {
            countdown = kClockStride;
            if (std::chrono::steady_clock::now() >= deadline) {
                // A set the exact values turned away is never shown; the next one will be.
                pendingFilter_ = generated == Generated::Ready;
                return false;
            }
        }
        if (generated == Generated::Ready) {
            if constexpr (kSlowOutput) {
                const std::uint64_t passingBefore = passing_;
                filterCurrent();
                if (passing_ != passingBefore) countdown = 1;
            } else {
                filterCurrent();
            }
        }
        if (ended_) [[unlikely]]
            return true;
    }
}

void WheelJob::runToEnd() {
    while (!advance(std::chrono::hours(1))) {}
}

void WheelJob::setLiveControls(const FilterControls& controls) { pipeline_.setLiveControls(controls); }

void WheelJob::stop() {
    if (!ended_) end();
}

// Counts the next set, lets the skip move it, and tests the exact positional
// values, which turn a set away before it is shown.
WheelJob::Generated WheelJob::generateNext() {
    if (!started_) {
        started_ = true;
        if (poolSize_ < 6) return Generated::Ended;
        for (int k = 0; k < 6; ++k) {
            index_[k] = k;
            current_[k] = pick_[k];
        }
    } else if (index_[5] + 1 < poolSize_) [[likely]] {
        current_[5] = pick_[++index_[5]]; // the common step: only F moves
    } else if (!carryToNextSet()) {
        return Generated::Ended;
    }
    ++generated_;
    if (skip_) {
        const RavelinSkip::Result result = skip_->apply(index_);
        if (result == RavelinSkip::Result::End) return Generated::Ended;
        if (result == RavelinSkip::Result::Moved)
            for (int k = 0; k < 6; ++k) current_[k] = pick_[index_[k]];
    }
    if (pipeline_.exactValuesActive() && !pipeline_.passesExactValues(current_)) return Generated::Rejected;
    return Generated::Ready;
}

// F has reached the end of the pick: the next set moves an earlier position.
bool WheelJob::carryToNextSet() {
    int k = 4;
    while (k >= 0 && index_[k] == poolSize_ - 6 + k) --k;
    if (k < 0) return false;
    current_[k] = pick_[++index_[k]];
    for (int j = k + 1; j < 6; ++j) {
        index_[j] = index_[j - 1] + 1;
        current_[j] = pick_[index_[j]];
    }
    return true;
}

// With filters on, the sets that follow the current one with the same A to E
// are taken together: the filters say once which last numbers fail after these
// A to E, and each set of the block is then counted and, when its last number
// does not fail, recorded, just as if each had been tested alone. With the
// skip on, the block ends where the skip would move the set.
bool WheelJob::filterBlock() {
    int last = poolSize_ - 1;
    if (skip_) {
        last = skip_->lastStayingF(index_);
        if (last < 0) return false;
    }
    const int first = index_[5];
    // The block's last numbers that pass, as bits: the pick's numbers from this
    // F to the block's last F, less those that fail after these A to E.
    const std::uint64_t inBlock = pickNumbers_ & numbersFrom(pick_[first], pick_[last]);
    std::uint64_t passing = inBlock & ~pipeline_.failingLastNumbers(current_);
    if (!output_) {
        if (passing != 0) passing_ += static_cast<std::uint64_t>(countOf(passing));
    } else {
        for (; passing != 0; passing &= passing - 1) {
            const int f = std::countr_zero(passing);
            const int j = indexInPick_[f];
            index_[5] = j;
            current_[5] = f;
            ++passing_;
            // An output that fails ends the run at this set.
            if (!record(generated_ + static_cast<std::uint64_t>(j - first))) {
                generated_ += static_cast<std::uint64_t>(j - first);
                return true;
            }
        }
    }
    generated_ += static_cast<std::uint64_t>(last - first);
    index_[5] = last;
    current_[5] = pick_[last];
    return true;
}

bool WheelJob::record(std::uint64_t generatedAtSet) {
    const bool recorded = fileOutput_ ? fileOutput_->record(current_, passing_, generatedAtSet)
                                      : !output_ || output_->record(current_, passing_, generatedAtSet);
    if (!recorded) {
        failure_ = output_->failure();
        end();
    }
    return recorded;
}

// With every filter at its default each set passes: that path stays short.
void WheelJob::filterCurrent() {
    if (pipeline_.anyStepActive()) {
        filterWithSteps();
        return;
    }
    ++passing_;
    record(generated_);
}

void WheelJob::filterWithSteps() {
    if (!pipeline_.exactValuesActive() && filterBlock()) return;
    if (!pipeline_.passes(current_)) return;
    ++passing_;
    record(generated_);
}

void WheelJob::end() {
    ended_ = true;
    pendingFilter_ = false;
    if (output_ && !output_->close() && !failure_) failure_ = output_->failure();
}

} // namespace orvane
