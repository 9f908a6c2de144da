#include "cover/CoverJob.h"

#include "cover/CoverDesigns.h"
#include "cover/CoverSearch.h"

#include <algorithm>

namespace orvane {

namespace {

using Clock = std::chrono::steady_clock;
// Work between looks at the clock: well under a millisecond on any pool.
constexpr std::uint64_t kWorkPerPiece = 20'000;

} // namespace

struct CoverJob::State {
    CoverRequest request;
    std::optional<Notice> failure;
    std::unique_ptr<CoverSearch> search;
    std::unique_ptr<CoverConstruction> construction; // worked first, when one applies to the pool
    std::vector<TicketMask> constructed;             // its proved list
    // The shorter of the constructed list and the search's best.
    const std::vector<TicketMask>& best() const {
        const std::vector<TicketMask>& found = search->best();
        return !constructed.empty() && (found.empty() || constructed.size() <= found.size()) ? constructed : found;
    }
    Clock::duration ran{0}; // time spent in advance() so far
    std::size_t bestSize = 0;
    std::vector<CoverImprovement> improvements;
    bool ended = false;
    bool stopped = false;
};

CoverJob::CoverJob(CoverRequest request) : state_(std::make_unique<State>()) {
    std::sort(request.pool.begin(), request.pool.end());
    request.pool.erase(std::unique(request.pool.begin(), request.pool.end()), request.pool.end());
    state_->request = std::move(request);
    const CoverRequest& r = state_->request;
    const bool numbersValid =
        std::all_of(r.pool.begin(), r.pool.end(), [&r](int n) { return n >= 1 && n <= r.highest; });
    std::optional<std::string> fault =
        numbersValid
            ? guaranteeFault(static_cast<int>(r.pool.size()), r.guarantee)
            : std::optional<std::string>("The pool holds a number outside 1 to " + std::to_string(r.highest) + ".");
    if (fault) {
        state_->failure = Notice{*fault, "Abbreviated Wheel", NoticeIcon::Exclamation};
        state_->ended = true;
        return;
    }
    // Where the pool is split, each part's own search gets about a third of
    // the budget, at some 30 million visits a second.
    std::uint64_t partWork =
        std::max<std::uint64_t>(50'000'000, static_cast<std::uint64_t>(r.timeBudget.count()) * 10'000);
    if (r.workLimit != 0) partWork = std::min(partWork, std::max<std::uint64_t>(r.workLimit / 3, 1));
    state_->search = std::make_unique<CoverSearch>(static_cast<int>(r.pool.size()), r.guarantee, r.seed, partWork);
    // A construction gives the first proved list; the search then tries to beat it.
    state_->construction =
        CoverConstruction::forPool(static_cast<int>(r.pool.size()), r.guarantee, r.seed, partWork / 4);
}

CoverJob::~CoverJob() = default;

bool CoverJob::advance(std::chrono::nanoseconds budget) {
    State& s = *state_;
    if (s.ended) return true;
    const Clock::time_point start = Clock::now();
    const CoverRequest& r = s.request;
    do {
        // Pieces never reach past the work limit, so a limited search ends at
        // the same move however its time was sliced.
        std::uint64_t piece = kWorkPerPiece;
        bool finished = false;
        if (s.construction) {
            // The construction's own work does not count against the limit: it is the same for any slicing.
            if (s.construction->advance(piece)) {
                s.constructed = s.construction->list();
                s.construction.reset();
                // The search starts from the construction and tries to shorten it.
                if (!s.constructed.empty()) s.search->startFrom(s.constructed);
            }
        } else {
            if (r.workLimit != 0) piece = std::min(piece, r.workLimit - std::min(r.workLimit, s.search->workDone()));
            finished = s.search->advance(piece);
        }
        const Clock::duration ranNow = s.ran + (Clock::now() - start);
        if (s.best().size() != s.bestSize) {
            s.bestSize = s.best().size();
            s.improvements.push_back({s.bestSize, std::chrono::duration_cast<std::chrono::milliseconds>(ranNow)});
        }
        const bool outOfTime = ranNow >= r.timeBudget || (r.workLimit != 0 && s.search->workDone() >= r.workLimit);
        if (!s.construction && (finished || (outOfTime && s.bestSize != 0))) s.ended = true;
    } while (!s.ended && Clock::now() - start < budget);
    s.ran += Clock::now() - start;
    return s.ended;
}

void CoverJob::runToEnd() {
    while (!advance(std::chrono::seconds(1))) {}
}

void CoverJob::stop() {
    state_->ended = true;
    state_->stopped = true;
}

bool CoverJob::ended() const { return state_->ended; }
bool CoverJob::stopped() const { return state_->stopped; }
const std::optional<Notice>& CoverJob::failure() const { return state_->failure; }
const CoverRequest& CoverJob::request() const { return state_->request; }

CoverProgress CoverJob::progress() const {
    const State& s = *state_;
    CoverProgress progress;
    progress.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(s.ran);
    if (!s.search) return progress;
    progress.bestTickets = s.best().size();
    progress.constructing = s.construction != nullptr;
    progress.workingTickets = s.search->workingSize();
    progress.uncovered = s.search->workingUncovered();
    return progress;
}

std::vector<Combination> CoverJob::tickets() const {
    if (!state_->search) return {};
    return ticketSets(state_->best(), state_->request.pool);
}

std::vector<std::vector<int>> CoverJob::ticketLists() const {
    if (!state_->search) return {};
    return ticketNumbers(state_->best(), state_->request.pool);
}

const std::vector<CoverImprovement>& CoverJob::improvements() const { return state_->improvements; }

std::string coverResultText(std::size_t tickets, Guarantee guarantee) {
    return std::to_string(tickets) + (tickets == 1 ? " ticket" : " tickets") + "; guarantee " +
           guaranteeText(guarantee) + " verified";
}

} // namespace orvane
