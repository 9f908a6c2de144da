#pragma once

#include "core/Combination.h"
#include "core/Notice.h"
#include "cover/Guarantee.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace orvane {

struct CoverRequest {
    std::vector<int> pool; // the pool's numbers, 1..highest
    int highest = 49;      // the game's highest number
    Guarantee guarantee;
    std::chrono::milliseconds timeBudget{10'000};
    std::uint64_t seed = 1;
    // Ends the search after this much work (subset visits) as well, whatever
    // the clock says: 0 for no such limit. Gives the same list on any machine.
    std::uint64_t workLimit = 0;
};

// A shorter list proved, and when.
struct CoverImprovement {
    std::size_t tickets = 0;
    std::chrono::milliseconds after{0};
};

// What the window shows while the search runs.
struct CoverProgress {
    std::size_t bestTickets = 0;    // the shortest proved list so far (0: none yet)
    std::size_t workingTickets = 0; // the list being worked on
    std::uint64_t uncovered = 0;    // the subsets it leaves uncovered
    bool constructing = false;      // a list is being put together from known designs, before the search
    std::chrono::milliseconds elapsed{0};
};

// An abbreviated wheel as a resumable job: searches until the time budget (or
// the work limit) is spent or the list cannot get shorter, and always runs
// on until it holds a first proved list. The result is only ever a list the
// independent check passed.
class CoverJob {
public:
    explicit CoverJob(CoverRequest request);
    ~CoverJob();
    CoverJob(const CoverJob&) = delete;
    CoverJob& operator=(const CoverJob&) = delete;

    // Works for about `budget`; true once the search has ended.
    bool advance(std::chrono::nanoseconds budget);
    void runToEnd();
    // Ends the search where it stands, keeping the best proved list.
    void stop();
    bool ended() const;
    bool stopped() const;

    // Why the search did not start: the pool and guarantee admit no list.
    const std::optional<Notice>& failure() const;
    CoverProgress progress() const;
    // The best proved list as six-number sets of the pool's numbers; empty
    // when the search was stopped before it had one.
    std::vector<Combination> tickets() const;
    // The same for tickets of any size.
    std::vector<std::vector<int>> ticketLists() const;
    // Every proved list in turn, each shorter than the one before.
    const std::vector<CoverImprovement>& improvements() const;
    const CoverRequest& request() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// "12 tickets; guarantee 3 if 3 verified".
std::string coverResultText(std::size_t tickets, Guarantee guarantee);

} // namespace orvane
