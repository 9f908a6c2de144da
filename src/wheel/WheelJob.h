#pragma once

#include "core/Notice.h"
#include "core/Combination.h"
#include "wheel/RavelinSkip.h"
#include "wheel/SetPipeline.h"
#include "wheel/WheelOutput.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace orvane {

// A wheel run as a resumable job: every six-number set of the pick in ascending
// lexicographic order, each counted, filtered and, when it passes, recorded.
// advance() does a bounded slice so a window can repaint and serve Stop between
// slices; the command line runs it to its end in one go.
class WheelJob {
public:
    // The limits the Ravelin skip works with.
    struct SkipLimits {
        PositionLimits limits;
        long long maxDifference = 44;
        long long maxSum = 279;
    };

    // The skip's limits for normalised filter controls.
    static SkipLimits skipLimitsFor(const FilterControls& normalised);

    // `pick` holds the pool, numbers from 1 to 49 in ascending order; `output`
    // may be null (record nothing).
    WheelJob(std::vector<int> pick, SetPipeline pipeline, std::unique_ptr<WheelOutput> output,
             std::optional<SkipLimits> skip = std::nullopt);

    // Takes the filter controls that stay live during a run, from the next set on.
    void setLiveControls(const FilterControls& controls);

    // Works for about `budget`; true once the run has ended. A slice stops right
    // after a set is generated and shown, before it is filtered, so that a stop
    // seen between slices leaves the set on display unfiltered.
    bool advance(std::chrono::nanoseconds budget);
    void runToEnd();
    // Ends the run where it stands and closes the output.
    void stop();

    bool ended() const { return ended_; }
    bool hasSet() const { return generated_ > 0; }
    const Combination& currentSet() const { return current_; }
    std::uint64_t generated() const { return generated_; }
    std::uint64_t passing() const { return passing_; }
    // Set when the output could not be written; the run then ended early.
    const std::optional<Notice>& failure() const { return failure_; }

private:
    enum class Generated { Ended, Rejected, Ready };
    template <bool kSlowOutput> bool generateUntil(std::chrono::steady_clock::time_point deadline);
    Generated generateNext();
    bool carryToNextSet();
    void filterCurrent();
    void filterWithSteps();
    bool filterBlock();
    bool record(std::uint64_t generatedAtSet);
    void end();

    std::vector<int> pick_;
    int poolSize_;
    SetPipeline pipeline_;
    std::unique_ptr<WheelOutput> output_;
    std::optional<RavelinSkip> skip_;
    FileWheelOutput* fileOutput_; // output_ when it is a file: called directly on the hot path
    bool slowOutput_;             // an output other than the file: each set recorded costs microseconds

    std::uint64_t pickNumbers_ = 0;     // the pick's numbers as bits
    std::array<int, 50> indexInPick_{}; // by number: its position in the pick
    std::array<int, 6> index_{};        // positions of the current set's numbers in the pick
    Combination current_{};
    std::uint64_t generated_ = 0;
    std::uint64_t passing_ = 0;
    bool started_ = false;
    bool pendingFilter_ = false;
    bool ended_ = false;
    std::optional<Notice> failure_;
};

} // namespace orvane
