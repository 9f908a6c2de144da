#pragma once

#include "core/Game.h"
#include "core/Notice.h"
#include "pool/PoolGeneration.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace orvane {

// The texts of the pool window's boxes that a run's step texts quote as typed.
struct PoolRunTexts {
    std::string trendLength; // cboTrendLength's text
    std::string bestGroups;  // cboBestGroups's text
};

// A pool run as a resumable job: reads the history once, then works through
// the steps a slice at a time, so the window can show each step's texts and
// stop the run between slices. Nothing is written to disk. The history is
// `game`'s: its numbers are ranked, and its bonus pool's too when it has one.
class PoolJob {
public:
    PoolJob(std::string historyPath, PoolParameters parameters, PoolRunTexts texts, Game game = Game::lotto649());
    ~PoolJob();
    PoolJob(const PoolJob&) = delete;
    PoolJob& operator=(const PoolJob&) = delete;

    // Works for about `budget`; true once the run has ended (finished, failed or stopped).
    // A slice ends early where a step begins, so each step's title is seen;
    // every call does some work, whatever the budget.
    bool advance(std::chrono::nanoseconds budget);
    void runToEnd();
    // Ends the run where it stands; it then has no outcome.
    void stop();
    bool ended() const;

    // The current step's title ("Step 1: Counting total draws in history
    // file.", ...) and its running detail ("599 draws found.", "Tested block
    // scores 12", "Locating Group 3\r\nScore: 41", "Swapped: 7", ...), as
    // they stand after the last slice: "All Operations Complete." in both at the end.
    const std::string& action() const;
    const std::string& status() const;

    // Why the run did not go ahead: a missing or malformed history (naming the
    // file and line), or a value out of range. Checked before any step.
    const std::optional<Notice>& failure() const;
    // The result, once the run has finished.
    const std::optional<PoolOutcome>& outcome() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace orvane
