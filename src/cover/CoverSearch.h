#pragma once

#include "cover/CoverCheck.h"
#include "cover/Guarantee.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
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
    void startFrom(const std::vector<TicketMask>& tickets);

    // Does at least one step and about `work` subset visits; true once the
    // search has finished (its list is as short as the lower bound allows).
    bool advance(std::uint64_t work);

    Phase phase() const { return phase_; }
    // The shortest list the check has passed; empty until the first has.
    const std::vector<TicketMask>& best() const { return best_; }
    // The list being worked on and how many subsets it leaves uncovered.
    const std::vector<TicketMask>& working() const { return tickets_; }
    std::size_t workingSize() const { return tickets_.size(); }
    std::uint64_t workingUncovered() const { return uncoveredList_.size(); }
    std::uint64_t workDone() const { return work_; }
    // Lists the search believed complete that the check then refused (a
    // fault of the search; such a list never counts).
    int refusedLists() const { return refusedLists_; }
    int lowerBound() const { return lowerBound_; }
    // How many times it has started again from its best list.
    std::uint64_t restarts() const { return restarts_; }

private:
    void partsStep(std::uint64_t work);
    void startingStep();
    void greedyStep();
    void annealingStep();
    void tabuStep();
    void checkingStep(std::uint64_t work);
    void startCheck();
    void dropOneTicket();
    void restartFromBest();
    void lowerCandidateGains(TicketMask subset);

    std::uint64_t rankOf(TicketMask subset) const;
    TicketMask unrank(std::uint64_t rank) const;
    void cover(std::uint64_t rank);
    void uncover(std::uint64_t rank);
    void addTicket(TicketMask ticket);
    void removeTicket(std::size_t index);
    std::uint64_t newlyCovered(TicketMask ticket);
    TicketMask sampledCandidate();
    std::uint64_t below(std::uint64_t bound);
    double unitRandom();

    template <class Visit> void visitCovered(TicketMask ticket, Visit&& visit);
    template <class Visit> void visitSwap(TicketMask ticket, int out, int in, Visit&& visit);

    int poolSize_;
    Guarantee guarantee_;
    int ticket_; // k, the numbers of a ticket
    std::mt19937_64 random_;
    std::uint64_t seed_;
    std::uint64_t restarts_ = 0;
    std::uint64_t workAtLastProof_ = 0;
    std::uint64_t partWork_;
    Phase phase_ = Phase::Greedy;
    int lowerBound_;
    std::uint64_t work_ = 0;
    std::uint64_t visitsPerTicket_;
    bool greedyOverAll_;

    std::uint64_t binomial_[kLargestPool + 1][kLargestTicket + 1] = {};
    std::vector<std::uint16_t> coverCount_;    // per m-subset rank: tickets covering it
    std::vector<std::uint32_t> uncoveredList_; // the ranks no ticket covers
    std::vector<std::uint32_t> listPlace_;     // per rank: its place in uncoveredList_
    std::vector<std::uint32_t> candidateGain_; // per k-subset rank, while the greedy list grows
    std::vector<TicketMask> tickets_;
    std::vector<TicketMask> best_;
    std::vector<TicketMask> start_; // the given list still to take in
    std::unique_ptr<CoverCheck> check_;
    std::vector<std::vector<int>> partPositions_; // each part's pool positions
    std::vector<Guarantee> partGuarantees_;
    std::unique_ptr<CoverSearch> part_; // the search of the part being built
    std::size_t partsDone_ = 0;
    int refusedLists_ = 0;

    std::vector<std::uint64_t> tabuUntil_; // per ticket and position: no re-entry before this step
    std::uint64_t iteration_ = 0;
    bool inTabu_ = false;
    std::uint64_t tabuSteps_ = 0;
    std::uint64_t fewestUncovered_ = 0;
    double temperature_;
    std::uint64_t movesAtTemperature_ = 0;
};

} // namespace orvane
