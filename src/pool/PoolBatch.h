#pragma once

#include "core/Notice.h"
#include "pool/PoolGeneration.h"
#include "pool/PoolJob.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace orvane {

// The self-optimization batch: for N = 1 to 5, 25 passes of a pool run with
// T = 5 ranking every number of the game, and of its bonus pool (G as given),
// reading the history once. Passes with the
// same N give the same result, so each N is computed once; the step texts of
// every pass are still shown as a run shows them.
class PoolBatchJob {
public:
    static constexpr int kPassesPerDrawCount = 25;

    PoolBatchJob(std::string historyPath, int bestGroups, std::string bestGroupsText, Game game = Game::lotto649());
    ~PoolBatchJob();
    PoolBatchJob(const PoolBatchJob&) = delete;
    PoolBatchJob& operator=(const PoolBatchJob&) = delete;

    // As PoolJob::advance: a slice ends early where a step of a pass begins.
    bool advance(std::chrono::nanoseconds budget);
    void runToEnd();
    void stop();
    bool ended() const;

    // The N of the pass in progress (1 to 5) and the pass within it (1 to 25).
    int followingDraws() const;
    int pass() const;
    const std::string& action() const;
    const std::string& status() const;
    const std::optional<Notice>& failure() const;
    // The last finished pass's result: after the batch, N = 5 with every number.
    const std::optional<PoolOutcome>& outcome() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace orvane
