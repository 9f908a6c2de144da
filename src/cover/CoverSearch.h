#pragma once

#include "cover/Guarantee.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace orvane {

// Builds a short list of tickets that keeps a guarantee on a pool of pool
// positions 0..v-1. First a greedy list: each new ticket is the one that
// covers the most subsets still uncovered. Then local search with one ticket
// fewer: tickets are changed a number at a time to cover the subsets left
// uncovered, by simulated annealing and, each time it freezes, a round of
// tabu search, until none is left; each list that gets there is proved by a
// CoverCheck before it counts, and the search goes on one ticket shorter. A
// search that proves nothing shorter for long starts again from its best list
// on a fresh random stream drawn from its seed.
//
// The work is counted in subset visits, and the search does the same moves in
// the same order for a seed however its work is sliced.
//
// A large pool with a guarantee of t if m, where m >= 2t - 1, first gets a
// list put together from two parts: m drawn numbers hold t in the first part
// or else m - t + 1 in the second, so a list keeping "t if t" on the first
// part and one keeping "t if m-t+1" on the second together keep "t if m" on
// the whole. Each part's list is built and shortened by a search of its own,
// far cheaper than one on the whole pool; the search then goes on over the
// whole list.
class CoverSearch {
public:
    enum class Phase { Parts, Starting, Greedy, Checking, Annealing, Finished };

    // The pool size and guarantee must be ones guaranteeFault accepts.
    // `partWork` is the work each part's own search gets, where the pool is split.
    CoverSearch(int poolSize, Guarantee guarantee, std::uint64_t seed, std::uint64_t partWork = 100'000'000);
    ~CoverSearch();
    CoverSearch(const CoverSearch&) = delete;
    CoverSearch& operator=(const CoverSearch&) = delete;

    // Starts from a list already proved elsewhere (a construction) rather
    // than a greedy one: its tickets are taken a step at a time, then it is
    // checked again and shortened. Before any advance.
    void startFrom(const std::vector<TicketMask>& tickets) { engine_->startFrom(tickets); }

    // Does at least one step and about `work` subset visits; true once the
    // search has finished (its list is as short as the lower bound allows).
    bool advance(std::uint64_t work) { return engine_->advance(work); }

    Phase phase() const { return engine_->phase(); }
    // The shortest list the check has passed; empty until the first has.
    const std::vector<TicketMask>& best() const { return engine_->best(); }
    // The list being worked on and how many subsets it leaves uncovered.
    std::vector<TicketMask> working() const { return engine_->working(); }
    std::size_t workingSize() const { return engine_->workingSize(); }
    std::uint64_t workingUncovered() const { return engine_->workingUncovered(); }
    std::uint64_t workDone() const { return engine_->workDone(); }
    // Lists the search believed complete that the check then refused (a
    // fault of the search; such a list never counts).
    int refusedLists() const { return engine_->refusedLists(); }
    int lowerBound() const { return engine_->lowerBound(); }
    // How many times it has started again from its best list.
    std::uint64_t restarts() const { return engine_->restarts(); }

    // The search itself, in the word width its pool needs.
    class Engine {
    public:
        virtual ~Engine() = default;
        virtual void startFrom(const std::vector<TicketMask>& tickets) = 0;
        virtual bool advance(std::uint64_t work) = 0;
        virtual Phase phase() const = 0;
        virtual const std::vector<TicketMask>& best() const = 0;
        virtual std::vector<TicketMask> working() const = 0;
        virtual std::size_t workingSize() const = 0;
        virtual std::uint64_t workingUncovered() const = 0;
        virtual std::uint64_t workDone() const = 0;
        virtual int refusedLists() const = 0;
        virtual int lowerBound() const = 0;
        virtual std::uint64_t restarts() const = 0;
    };

private:
    std::unique_ptr<Engine> engine_;
};

} // namespace orvane
