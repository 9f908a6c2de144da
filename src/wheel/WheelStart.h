#pragma once

#include "core/Notice.h"
#include "wheel/FilterControls.h"
#include "wheel/WheelJob.h"
#include "wheel/WheelOutput.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// A run needs at least this many numbers in the pick.
inline constexpr int kMinimumPoolSize = 7;

inline Notice poolTooSmallNotice() {
    return Notice{"Not enough numbers have been selected.  You must select at least 7 numbers in order to wheel them.",
                  "Problem", NoticeIcon::Exclamation};
}

// Opens where the passing sets go, for a pick of `poolSize` numbers. Returns null
// to record nothing; returns null and fills `failure` when it cannot be opened.
using OutputOpener = std::function<std::unique_ptr<WheelOutput>(int poolSize, Notice& failure)>;

// What a wheel run starts from: the filters as the user set them, the pick, the
// history file and the output. Both the window and the command line start runs
// through startWheel, so a run is the same wherever it is started.
struct WheelStartRequest {
    FilterControls controls;
    std::vector<int> pick;   // ascending
    std::string historyPath; // read at the start by every filter that needs it
    OutputOpener openOutput; // may be empty: record nothing
};

struct WheelStart {
    FilterControls normalised;     // the boxes as the run normalised them, to show back
    std::vector<int> pick;         // the pick with the exact positional values added
    std::vector<Notice> notices;   // sum-limit corrections, shown first; none stops the run
    std::unique_ptr<WheelJob> job; // null when the run is refused
    // Why: a filter box that cannot be read (nothing else done), pool too small
    // (after the boxes were normalised), history unreadable, output unopenable.
    std::optional<Notice> refusal;
};

// The most sets the run could generate (and so record): every set of the pick
// with the exact positional values added.
std::uint64_t mostSetsOf(const WheelStartRequest& request);

// Checks that every filter box in force can be read, normalises the filters,
// checks the pool size, reads what the filters need from the history, opens the
// output last (so a refused run leaves the file alone) and builds the job.
WheelStart startWheel(WheelStartRequest request);

} // namespace orvane
