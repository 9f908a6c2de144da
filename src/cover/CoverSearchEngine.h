#pragma once

#include "cover/CoverCheck.h"
#include "cover/CoverSearch.h"
#include "cover/Guarantee.h"

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace orvane {

// The search CoverSearch describes, over pool positions held in words of
// type Mask: std::uint64_t for pools of up to 64 numbers, TicketMask beyond.
template <class Mask> class MaskedCoverSearch final : public CoverSearch::Engine {
public:
    using Phase = CoverSearch::Phase;
    MaskedCoverSearch(int poolSize, Guarantee guarantee, std::uint64_t seed, std::uint64_t partWork);
    ~MaskedCoverSearch() override;

    void startFrom(const std::vector<TicketMask>& tickets) override;
    bool advance(std::uint64_t work) override;
    Phase phase() const override { return phase_; }
    const std::vector<TicketMask>& best() const override { return best_; }
    std::vector<TicketMask> working() const override { return {tickets_.begin(), tickets_.end()}; }
    std::size_t workingSize() const override { return tickets_.size(); }
    std::uint64_t workingUncovered() const override { return uncoveredList_.size(); }
    std::uint64_t workDone() const override { return work_; }
    int refusedLists() const override { return refusedLists_; }
    int lowerBound() const override { return lowerBound_; }
    std::uint64_t restarts() const override { return restarts_; }

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
    void lowerCandidateGains(Mask subset);

    std::uint64_t rankOf(Mask subset) const;
    Mask unrank(std::uint64_t rank) const;
    void cover(std::uint64_t rank);
    void uncover(std::uint64_t rank);
    void addTicket(Mask ticket);
    void removeTicket(std::size_t index);
    std::uint64_t newlyCovered(Mask ticket);
    Mask sampledCandidate();
    std::uint64_t below(std::uint64_t bound);
    double unitRandom();

    template <class Visit> void visitCovered(Mask ticket, Visit&& visit);
    template <class Visit> void visitSwap(Mask ticket, int out, int in, Visit&& visit);

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
    std::vector<Mask> tickets_;
    std::vector<TicketMask> best_; // proved, in the wide words lists are handed about in
    std::vector<Mask> start_;      // the given list still to take in
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

extern template class MaskedCoverSearch<std::uint64_t>;
extern template class MaskedCoverSearch<TicketMask>;

} // namespace orvane
