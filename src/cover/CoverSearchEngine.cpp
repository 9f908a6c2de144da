#include "cover/CoverSearchEngine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <numeric>

namespace orvane {

namespace {

constexpr std::uint32_t kNotListed = std::numeric_limits<std::uint32_t>::max();
// A greedy step looks at every possible ticket when there are not too many;
// otherwise at a sample of tickets worth about kGreedyStepWork visits.
constexpr std::uint64_t kGreedyStepWork = 4'000'000;
constexpr std::uint64_t kLargestSample = 2'000;
constexpr std::uint64_t kMostCandidates = 2'000'000;
constexpr std::uint64_t kMostGainUpdates = 400'000'000;
// The annealing schedule: a move that uncovers d more subsets than it covers
// is taken with probability exp(-d / temperature). The temperature falls by
// kCooling after a number of moves proportional to the list's length, and
// starts again from the top once it has frozen.
constexpr double kStartTemperature = 0.4;
constexpr double kCooling = 0.999;
constexpr double kFrozenTemperature = 0.08;
constexpr std::uint64_t kMovesPerTicketAtTemperature = 4;
// Each time the annealing freezes, a round of tabu search takes over for this
// many steps per ticket; a number taken out of a ticket stays out for
// kTabuTenure to twice that many steps. Measured with cover_bench: annealing
// alone stalls well above the best known sizes on 14 to 20 numbers.
constexpr std::uint64_t kTabuStepsPerTicket = 500;
// A search that has proved nothing shorter for this much work (per ticket of
// its list, and at least the least) starts again from the best list less one
// ticket, on a fresh random stream. Measured with cover_bench: a shorter wait
// cuts the long lists' searches short before they get anywhere.
constexpr std::uint64_t kStallWorkPerTicket = 2'000'000;
constexpr std::uint64_t kLeastStallWork = 60'000'000;
constexpr std::uint64_t kTabuTenure = 5;

// The pool positions of a mask, ascending.
template <class Mask> int positionsOf(Mask mask, int* out) {
    int count = 0;
    for (; mask; mask &= mask - 1) out[count++] = lowestBit(mask);
    return count;
}

// Calls visit(mask) for every `size`-element subset of the `count` positions.
template <class Mask, class Visit> void forEachSubset(const int* positions, int count, int size, Visit&& visit) {
    if (size > count) return;
    if (size == 0) {
        visit(Mask{0});
        return;
    }
    std::array<int, kLargestTicket> index{};
    for (int i = 0; i < size; ++i) index[static_cast<std::size_t>(i)] = i;
    while (true) {
        Mask mask = 0;
        for (int i = 0; i < size; ++i) mask |= Mask{1} << positions[index[static_cast<std::size_t>(i)]];
        visit(mask);
        int i = size - 1;
        while (i >= 0 && index[static_cast<std::size_t>(i)] == count - size + i) --i;
        if (i < 0) return;
        ++index[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < size; ++j)
            index[static_cast<std::size_t>(j)] = index[static_cast<std::size_t>(j - 1)] + 1;
    }
}

// A random member of a non-empty mask.
template <class Mask> int randomMember(Mask mask, std::uint64_t pick) {
    const auto members = static_cast<std::uint64_t>(bitCount(mask));
    for (std::uint64_t skip = pick % members; skip > 0; --skip) mask &= mask - 1;
    return lowestBit(mask);
}

} // namespace

template <class Mask>
MaskedCoverSearch<Mask>::MaskedCoverSearch(int poolSize, Guarantee guarantee, std::uint64_t seed,
                                           std::uint64_t partWork)
    : poolSize_(poolSize), guarantee_(guarantee), ticket_(guarantee.ticket), random_(seed), seed_(seed),
      partWork_(partWork), lowerBound_(ticketLowerBound(poolSize, guarantee)), temperature_(kStartTemperature) {
    for (int n = 0; n <= kLargestPool; ++n)
        for (int k = 0; k <= kLargestTicket; ++k) binomial_[n][k] = subsetCount(n, k);

    const int t = guarantee.match;
    const int m = guarantee.drawn;
    const int k = ticket_;
    visitsPerTicket_ = 0;
    for (int inTicket = t; inTicket <= m; ++inTicket)
        visitsPerTicket_ += subsetCount(k, inTicket) * subsetCount(poolSize - k, m - inTicket);
    // Keeping every possible ticket's gain pays when there are not too many
    // tickets, and not too many of them cover each subset.
    std::uint64_t coverersPerSubset = 0;
    for (int inTicket = t; inTicket <= m; ++inTicket)
        coverersPerSubset += subsetCount(m, inTicket) * subsetCount(poolSize - m, k - inTicket);
    greedyOverAll_ =
        subsetCount(poolSize, k) <= kMostCandidates && subsetCount(poolSize, m) * coverersPerSubset <= kMostGainUpdates;

    // Split in two only where one search over the whole pool would be slow.
    const Guarantee second{t, m - t + 1, k};
    // "t if t" asks more of each number than a weaker guarantee: that part gets fewer.
    const int firstSize = second.drawn == t ? poolSize / 2 : (poolSize * 9 + 10) / 20;
    if (!greedyOverAll_ && m >= 2 * t - 1 && firstSize >= k && poolSize - firstSize >= k) {
        std::vector<int> first(static_cast<std::size_t>(firstSize));
        std::vector<int> rest(static_cast<std::size_t>(poolSize - firstSize));
        std::iota(first.begin(), first.end(), 0);
        std::iota(rest.begin(), rest.end(), firstSize);
        partPositions_ = {first, rest};
        partGuarantees_ = {Guarantee{t, t, k}, second};
        phase_ = Phase::Parts;
    }

    const std::uint64_t subsets = subsetCount(poolSize, m);
    coverCount_.assign(subsets, 0);
    uncoveredList_.resize(subsets);
    listPlace_.resize(subsets);
    for (std::uint32_t rank = 0; rank < subsets; ++rank) {
        uncoveredList_[rank] = rank;
        listPlace_[rank] = rank;
    }
}

template <class Mask> MaskedCoverSearch<Mask>::~MaskedCoverSearch() = default;

template <class Mask> void MaskedCoverSearch<Mask>::startFrom(const std::vector<TicketMask>& tickets) {
    // A proved list of this pool holds positions below its size, so none is lost to a narrower word.
    start_.clear();
    for (auto ticket = tickets.rbegin(); ticket != tickets.rend(); ++ticket)
        start_.push_back(static_cast<Mask>(*ticket));
    phase_ = Phase::Starting; // no parts of its own: the list is whole
}

template <class Mask> void MaskedCoverSearch<Mask>::startingStep() {
    if (start_.empty()) {
        startCheck();
        return;
    }
    addTicket(start_.back());
    start_.pop_back();
}

template <class Mask> bool MaskedCoverSearch<Mask>::advance(std::uint64_t work) {
    const std::uint64_t until = work_ + std::max<std::uint64_t>(work, 1);
    do {
        switch (phase_) {
        case Phase::Parts: partsStep(until - work_); break;
        case Phase::Starting: startingStep(); break;
        case Phase::Greedy: greedyStep(); break;
        case Phase::Checking: checkingStep(until - work_); break;
        case Phase::Annealing: annealingStep(); break;
        case Phase::Finished: return true;
        }
    } while (work_ < until && phase_ != Phase::Finished);
    return phase_ == Phase::Finished;
}

// Colex rank: the subset's ascending positions p0 < p1 < ... give
// C(p0,1) + C(p1,2) + ..., numbering the m-subsets 0..C(v,m)-1.
template <class Mask> std::uint64_t MaskedCoverSearch<Mask>::rankOf(Mask subset) const {
    std::uint64_t rank = 0;
    for (int i = 1; subset; subset &= subset - 1, ++i) rank += binomial_[lowestBit(subset)][i];
    return rank;
}

template <class Mask> Mask MaskedCoverSearch<Mask>::unrank(std::uint64_t rank) const {
    Mask subset = 0;
    int position = poolSize_;
    for (int i = guarantee_.drawn; i >= 1; --i) {
        do --position;
        while (binomial_[position][i] > rank);
        rank -= binomial_[position][i];
        subset |= Mask{1} << position;
    }
    return subset;
}

template <class Mask> void MaskedCoverSearch<Mask>::cover(std::uint64_t rank) {
    if (coverCount_[rank]++ != 0) return;
    // Take it out of the uncovered list by moving the list's last entry into its place.
    const std::uint32_t place = listPlace_[rank];
    const std::uint32_t last = uncoveredList_.back();
    uncoveredList_[place] = last;
    listPlace_[last] = place;
    uncoveredList_.pop_back();
    listPlace_[rank] = kNotListed;
}

template <class Mask> void MaskedCoverSearch<Mask>::uncover(std::uint64_t rank) {
    if (--coverCount_[rank] != 0) return;
    listPlace_[rank] = static_cast<std::uint32_t>(uncoveredList_.size());
    uncoveredList_.push_back(static_cast<std::uint32_t>(rank));
}

// Every m-subset of the pool that shares at least t positions with the ticket.
template <class Mask> template <class Visit> void MaskedCoverSearch<Mask>::visitCovered(Mask ticket, Visit&& visit) {
    const int t = guarantee_.match;
    const int m = guarantee_.drawn;
    int inside[kLargestTicket];
    int outside[kLargestPool];
    positionsOf(ticket, inside);
    const int outsideCount = positionsOf(lowPositions<Mask>(poolSize_) & ~ticket, outside);
    for (int shared = t; shared <= m; ++shared)
        forEachSubset<Mask>(inside, ticket_, shared, [&](Mask part) {
            forEachSubset<Mask>(outside, outsideCount, m - shared, [&](Mask rest) {
                const Mask subset = part | rest;
                visit(rankOf(subset), subset);
            });
        });
    work_ += visitsPerTicket_;
}

// The subsets whose cover changes when the ticket's position `out` is
// replaced by `in`: visit(lost, gained) for each pair. A lost subset holds
// `out` and exactly t of the ticket's positions, and not `in`; its partner
// holds `in` in place of `out`.
template <class Mask>
template <class Visit>
void MaskedCoverSearch<Mask>::visitSwap(Mask ticket, int out, int in, Visit&& visit) {
    const int t = guarantee_.match;
    const int m = guarantee_.drawn;
    const Mask outBit = Mask{1} << out;
    const Mask inBit = Mask{1} << in;
    int kept[kLargestTicket];
    int others[kLargestPool];
    const int keptCount = positionsOf(ticket & ~outBit, kept);
    const int otherCount = positionsOf(lowPositions<Mask>(poolSize_) & ~ticket & ~inBit, others);
    std::uint64_t visited = 0;
    forEachSubset<Mask>(kept, keptCount, t - 1, [&](Mask part) {
        forEachSubset<Mask>(others, otherCount, m - t, [&](Mask rest) {
            visit(rankOf(outBit | part | rest), rankOf(inBit | part | rest));
            visited += 2;
        });
    });
    work_ += visited + 1;
}

template <class Mask> std::uint64_t MaskedCoverSearch<Mask>::newlyCovered(Mask ticket) {
    std::uint64_t gain = 0;
    visitCovered(ticket, [&](std::uint64_t rank, Mask) { gain += coverCount_[rank] == 0; });
    return gain;
}

template <class Mask> void MaskedCoverSearch<Mask>::addTicket(Mask ticket) {
    tickets_.push_back(ticket);
    visitCovered(ticket, [&](std::uint64_t rank, Mask subset) {
        if (coverCount_[rank] == 0 && !candidateGain_.empty()) lowerCandidateGains(subset);
        cover(rank);
    });
}

template <class Mask> void MaskedCoverSearch<Mask>::removeTicket(std::size_t index) {
    const Mask ticket = tickets_[index];
    tickets_.erase(tickets_.begin() + static_cast<std::ptrdiff_t>(index));
    visitCovered(ticket, [&](std::uint64_t rank, Mask) { uncover(rank); });
}

template <class Mask> std::uint64_t MaskedCoverSearch<Mask>::below(std::uint64_t bound) {
    return bound <= 1 ? 0 : random_() % bound;
}

template <class Mask> double MaskedCoverSearch<Mask>::unitRandom() {
    return static_cast<double>(random_() >> 11) * 0x1.0p-53;
}

// A ticket holding t numbers of an uncovered subset, filled up at random: it
// covers that subset at least, and perhaps many more.
template <class Mask> Mask MaskedCoverSearch<Mask>::sampledCandidate() {
    const Mask target = unrank(uncoveredList_[below(uncoveredList_.size())]);
    Mask ticket = 0;
    for (int i = 0; i < guarantee_.match; ++i) ticket |= Mask{1} << randomMember(target & ~ticket, random_());
    while (bitCount(ticket) < ticket_)
        ticket |= Mask{1} << randomMember(lowPositions<Mask>(poolSize_) & ~ticket, random_());
    return ticket;
}

template <class Mask> void MaskedCoverSearch<Mask>::partsStep(std::uint64_t work) {
    const std::vector<int>& positions = partPositions_[partsDone_];
    const auto partSize = static_cast<int>(positions.size());
    if (!part_) part_ = std::make_unique<CoverSearch>(partSize, partGuarantees_[partsDone_], random_(), partWork_);
    const std::uint64_t before = part_->workDone();
    const bool partFinished =
        part_->advance(std::min(std::max<std::uint64_t>(work, 1), partWork_ - std::min(partWork_, before)));
    work_ += part_->workDone() - before;
    if (part_->best().empty() || (!partFinished && part_->workDone() < partWork_)) return;
    // The part's list, its positions 0..n-1 put back as the pool's own.
    for (TicketMask partTicket : part_->best()) {
        Mask ticket = 0;
        for (int i = 0; i < partSize; ++i)
            if ((partTicket >> i) & 1) ticket |= Mask{1} << positions[static_cast<std::size_t>(i)];
        addTicket(ticket);
    }
    part_.reset();
    if (++partsDone_ == partPositions_.size()) phase_ = Phase::Greedy; // which finds nothing left to cover
}

template <class Mask> void MaskedCoverSearch<Mask>::greedyStep() {
    if (uncoveredList_.empty()) {
        candidateGain_ = {};
        startCheck();
        return;
    }
    // The ticket covering the most uncovered subsets; among equals, one
    // chosen at random (each equal one replaces the choice with chance 1/ties).
    Mask chosen = 0;
    std::uint64_t bestGain = 0;
    std::uint64_t ties = 0;
    const auto consider = [&](Mask ticket, std::uint64_t gain) {
        if (gain > bestGain) {
            bestGain = gain;
            chosen = ticket;
            ties = 1;
        } else if (gain == bestGain && gain > 0 && below(++ties) == 0) {
            chosen = ticket;
        }
    };
    if (greedyOverAll_) {
        // Every possible ticket, with its gain kept up to date as subsets get covered.
        if (candidateGain_.empty())
            candidateGain_.assign(subsetCount(poolSize_, ticket_), static_cast<std::uint32_t>(visitsPerTicket_));
        int positions[kLargestPool];
        const int count = positionsOf(lowPositions<Mask>(poolSize_), positions);
        forEachSubset<Mask>(positions, count, ticket_,
                            [&](Mask ticket) { consider(ticket, candidateGain_[rankOf(ticket)]); });
        work_ += candidateGain_.size();
    } else {
        const std::uint64_t samples = std::clamp<std::uint64_t>(
            kGreedyStepWork / std::max<std::uint64_t>(visitsPerTicket_, 1), 8, kLargestSample);
        for (std::uint64_t i = 0; i < samples; ++i) {
            const Mask ticket = sampledCandidate();
            consider(ticket, newlyCovered(ticket));
        }
    }
    addTicket(chosen);
}

// A subset has just been covered: every possible ticket that covers it now
// gains one subset fewer.
template <class Mask> void MaskedCoverSearch<Mask>::lowerCandidateGains(Mask subset) {
    const int t = guarantee_.match;
    const int m = guarantee_.drawn;
    int inside[kLargestTicket];
    int outside[kLargestPool];
    positionsOf(subset, inside);
    const int outsideCount = positionsOf(lowPositions<Mask>(poolSize_) & ~subset, outside);
    std::uint64_t visited = 0;
    for (int shared = t; shared <= m; ++shared)
        forEachSubset<Mask>(inside, m, shared, [&](Mask part) {
            forEachSubset<Mask>(outside, outsideCount, ticket_ - shared, [&](Mask rest) {
                --candidateGain_[rankOf(part | rest)];
                ++visited;
            });
        });
    work_ += visited;
}

template <class Mask> void MaskedCoverSearch<Mask>::startCheck() {
    check_ =
        std::make_unique<CoverCheck>(poolSize_, guarantee_, std::vector<TicketMask>(tickets_.begin(), tickets_.end()));
    phase_ = Phase::Checking;
}

template <class Mask> void MaskedCoverSearch<Mask>::checkingStep(std::uint64_t work) {
    const std::uint64_t before = check_->checked();
    check_->advance(std::max<std::uint64_t>(work, 1));
    work_ += check_->checked() - before;
    if (!check_->finished()) return;
    const bool passed = check_->passed();
    if (passed) best_ = check_->tickets();
    workAtLastProof_ = work_;
    check_.reset();
    // A list the search counted complete and the check refused means the
    // search's counts are wrong: nothing it builds from here can be trusted.
    if (!passed) ++refusedLists_;
    if (!passed || best_.size() <= static_cast<std::size_t>(lowerBound_)) {
        phase_ = Phase::Finished;
        return;
    }
    // Go on one ticket shorter than the best list proved so far.
    while (tickets_.size() >= best_.size() && !tickets_.empty()) dropOneTicket();
    temperature_ = kStartTemperature;
    movesAtTemperature_ = 0;
    phase_ = Phase::Annealing;
}

// Removes the ticket that alone covers the fewest subsets, so the shorter
// list starts with as few uncovered as it can.
template <class Mask> void MaskedCoverSearch<Mask>::dropOneTicket() {
    std::size_t weakest = 0;
    std::uint64_t fewest = std::numeric_limits<std::uint64_t>::max();
    for (std::size_t i = 0; i < tickets_.size(); ++i) {
        std::uint64_t alone = 0;
        visitCovered(tickets_[i], [&](std::uint64_t rank, Mask) { alone += coverCount_[rank] == 1; });
        if (alone < fewest) {
            fewest = alone;
            weakest = i;
        }
    }
    removeTicket(weakest);
}

template <class Mask> void MaskedCoverSearch<Mask>::restartFromBest() {
    ++restarts_;
    random_.seed(seed_ + 0x9E3779B97F4A7C15ull * restarts_);
    while (!tickets_.empty()) removeTicket(tickets_.size() - 1);
    for (TicketMask ticket : best_) addTicket(static_cast<Mask>(ticket));
    while (tickets_.size() >= best_.size() && !tickets_.empty()) dropOneTicket();
    temperature_ = kStartTemperature;
    movesAtTemperature_ = 0;
    inTabu_ = false;
    tabuUntil_.clear();
    workAtLastProof_ = work_;
}

template <class Mask> void MaskedCoverSearch<Mask>::annealingStep() {
    if (uncoveredList_.empty()) {
        startCheck();
        return;
    }
    if (work_ - workAtLastProof_ > std::max(kLeastStallWork, kStallWorkPerTicket * tickets_.size())) {
        restartFromBest();
        return;
    }
    if (inTabu_) {
        tabuStep();
        if (++tabuSteps_ >= kTabuStepsPerTicket * tickets_.size()) {
            inTabu_ = false;
            temperature_ = kStartTemperature;
            movesAtTemperature_ = 0;
        }
        return;
    }
    // A move aimed at a random uncovered subset: a ticket sharing as many of
    // its positions as any (t - 1 at most, or it would cover it) trades one
    // position outside the subset for one inside, and then covers it if it
    // shared t - 1.
    const Mask target = unrank(uncoveredList_[below(uncoveredList_.size())]);
    std::size_t chosen = 0;
    int mostShared = -1;
    std::uint64_t ties = 0;
    for (std::size_t i = 0; i < tickets_.size(); ++i) {
        const int shared = bitCount(tickets_[i] & target);
        if (shared > mostShared) {
            mostShared = shared;
            chosen = i;
            ties = 1;
        } else if (shared == mostShared && below(++ties) == 0) {
            chosen = i;
        }
    }
    work_ += tickets_.size();
    const Mask ticket = tickets_[chosen];
    const int out = randomMember(ticket & ~target, random_());
    const int in = randomMember(target & ~ticket, random_());

    std::int64_t uncoveredMore = 0;
    visitSwap(ticket, out, in, [&](std::uint64_t lost, std::uint64_t gained) {
        uncoveredMore += coverCount_[lost] == 1;
        uncoveredMore -= coverCount_[gained] == 0;
    });
    const bool taken =
        uncoveredMore <= 0 || unitRandom() < std::exp(-static_cast<double>(uncoveredMore) / temperature_);
    if (taken) {
        visitSwap(ticket, out, in, [&](std::uint64_t lost, std::uint64_t gained) {
            uncover(lost);
            cover(gained);
        });
        tickets_[chosen] = (ticket & ~(Mask{1} << out)) | (Mask{1} << in);
    }
    if (++movesAtTemperature_ >= kMovesPerTicketAtTemperature * tickets_.size()) {
        movesAtTemperature_ = 0;
        temperature_ *= kCooling;
        if (temperature_ < kFrozenTemperature) {
            temperature_ = kStartTemperature;
            inTabu_ = true;
            tabuSteps_ = 0;
        }
    }
}

// Tabu search: every move that covers a random uncovered subset is weighed,
// and the best is made even when it uncovers more than it covers; a number
// just taken out of a ticket may not go back into it for a while, unless that
// gives the fewest uncovered subsets yet on this list length.
template <class Mask> void MaskedCoverSearch<Mask>::tabuStep() {
    if (tabuUntil_.size() != tickets_.size() * static_cast<std::size_t>(poolSize_)) {
        tabuUntil_.assign(tickets_.size() * static_cast<std::size_t>(poolSize_), 0);
        fewestUncovered_ = uncoveredList_.size();
    }
    const Mask target = unrank(uncoveredList_[below(uncoveredList_.size())]);
    int mostShared = -1;
    for (Mask ticket : tickets_) mostShared = std::max(mostShared, bitCount(ticket & target));
    work_ += tickets_.size();
    const auto current = static_cast<std::int64_t>(uncoveredList_.size());
    std::int64_t bestChange = std::numeric_limits<std::int64_t>::max();
    std::size_t bestTicket = 0;
    int bestOut = -1;
    int bestIn = -1;
    std::uint64_t ties = 0;
    for (std::size_t i = 0; i < tickets_.size(); ++i) {
        const Mask ticket = tickets_[i];
        if (bitCount(ticket & target) != mostShared) continue;
        for (Mask ins = target & ~ticket; ins; ins &= ins - 1) {
            const int in = lowestBit(ins);
            const bool tabu =
                tabuUntil_[i * static_cast<std::size_t>(poolSize_) + static_cast<std::size_t>(in)] > iteration_;
            for (Mask outs = ticket & ~target; outs; outs &= outs - 1) {
                const int out = lowestBit(outs);
                std::int64_t change = 0;
                visitSwap(ticket, out, in, [&](std::uint64_t lost, std::uint64_t gained) {
                    change += coverCount_[lost] == 1;
                    change -= coverCount_[gained] == 0;
                });
                if (tabu && current + change >= static_cast<std::int64_t>(fewestUncovered_)) continue;
                if (change < bestChange) {
                    bestChange = change;
                    bestTicket = i;
                    bestOut = out;
                    bestIn = in;
                    ties = 1;
                } else if (change == bestChange && below(++ties) == 0) {
                    bestTicket = i;
                    bestOut = out;
                    bestIn = in;
                }
            }
        }
    }
    ++iteration_;
    if (bestOut < 0) return; // every move is tabu
    const Mask ticket = tickets_[bestTicket];
    visitSwap(ticket, bestOut, bestIn, [&](std::uint64_t lost, std::uint64_t gained) {
        uncover(lost);
        cover(gained);
    });
    tickets_[bestTicket] = (ticket & ~(Mask{1} << bestOut)) | (Mask{1} << bestIn);
    tabuUntil_[bestTicket * static_cast<std::size_t>(poolSize_) + static_cast<std::size_t>(bestOut)] =
        iteration_ + kTabuTenure + below(kTabuTenure + 1);
    fewestUncovered_ = std::min<std::uint64_t>(fewestUncovered_, uncoveredList_.size());
}

template class MaskedCoverSearch<std::uint64_t>;
template class MaskedCoverSearch<TicketMask>;

} // namespace orvane
