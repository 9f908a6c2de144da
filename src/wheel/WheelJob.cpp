#include "wheel/WheelJob.h"

namespace orvane {

namespace {
// How many sets go by between two looks at the clock: often enough to keep a
// slice near its budget, rarely enough to cost nothing measurable.
constexpr unsigned kClockStride = 1024;
} // namespace

WheelJob::WheelJob(std::vector<int> pick, const WheelFilters& filters, std::unique_ptr<WheelOutput> output)
    : pick_(std::move(pick)), poolSize_(static_cast<int>(pick_.size())), pipeline_(filters),
      output_(std::move(output)), fileOutput_(dynamic_cast<FileWheelOutput*>(output_.get())) {}

bool WheelJob::advance(std::chrono::nanoseconds budget) {
    if (ended_) return true;
    const auto deadline = std::chrono::steady_clock::now() + budget;
    if (pendingFilter_) {
        pendingFilter_ = false;
        filterCurrent();
        if (ended_) return true;
    }
    for (unsigned countdown = kClockStride;;) {
        if (!generateNext()) {
            end();
            return true;
        }
        if (--countdown == 0) {
            countdown = kClockStride;
            if (std::chrono::steady_clock::now() >= deadline) {
                pendingFilter_ = true;
                return false;
            }
        }
        filterCurrent();
        if (ended_) return true;
    }
}

void WheelJob::runToEnd() {
    while (!advance(std::chrono::hours(1))) {
    }
}

void WheelJob::stop() {
    if (!ended_) end();
}

bool WheelJob::generateNext() {
    if (!started_) {
        started_ = true;
        if (poolSize_ < 6) return false;
        for (int k = 0; k < 6; ++k) {
            index_[k] = k;
            current_[k] = pick_[k];
        }
    } else if (!stepToNextSet()) {
        return false;
    }
    ++generated_;
    return true;
}

bool WheelJob::stepToNextSet() {
    if (index_[5] + 1 < poolSize_) {
        current_[5] = pick_[++index_[5]];
        return true;
    }
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

void WheelJob::filterCurrent() {
    if (!pipeline_.passes(current_)) return;
    ++passing_;
    const bool recorded = fileOutput_ ? fileOutput_->record(current_, passing_, generated_)
                                      : !output_ || output_->record(current_, passing_, generated_);
    if (!recorded) {
        failure_ = output_->failure();
        end();
    }
}

void WheelJob::end() {
    ended_ = true;
    pendingFilter_ = false;
    if (output_ && !output_->close() && !failure_) failure_ = output_->failure();
}

} // namespace orvane
