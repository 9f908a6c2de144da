#include "backtest/Backtest.h"

#include "backtest/BacktestFilters.h"
#include "backtest/EarlierDrawParts.h"
#include "backtest/SetCounts.h"
#include "checks/HistoryIndex.h"
#include "core/NumberText.h"
#include "wheel/RunPreparation.h"

#include <algorithm>
#include <cmath>

namespace orvane {

Interval wilsonInterval(std::uint64_t kept, std::uint64_t of, double z) {
    if (of == 0) return {};
    const double n = static_cast<double>(of);
    const double p = static_cast<double>(kept) / n;
    const double z2 = z * z;
    const double centre = (p + z2 / (2 * n)) / (1 + z2 / n);
    const double half = z / (1 + z2 / n) * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n));
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

std::optional<double> liftOf(const Proportion& draws, const Proportion& sets) {
    if (draws.of == 0 || sets.kept == 0) return std::nullopt;
    return draws.share() / sets.share();
}

namespace {

std::uint64_t maskOf(const std::array<int, 6>& numbers) {
    std::uint64_t mask = 0;
    for (int n : numbers)
        if (n >= 1 && n <= 49) mask |= std::uint64_t{1} << n;
    return mask;
}

// A history-reading filter (but the filter against history) for one set, with
// `tables` taken from the draws before it: the plain tests of its run step,
// without compiling the step's block tables for a single set.
bool passesWithHistory(BacktestFilter filter, const FilterControls& controls, const RunTables& tables,
                       const Combination& set) {
    switch (filter) {
    case BacktestFilter::EvensSignatures: return (tables.forbiddenSignatures >> evensSignature(set) & 1) == 0;
    case BacktestFilter::Shadow:
    case BacktestFilter::LastDraw: {
        FilterControls limit;
        if (filter == BacktestFilter::Shadow) limit.lastDrawNumMaxPos = controls.lastDrawNumMaxPos;
        else limit.lastDrawNumMax = controls.lastDrawNumMax;
        LastDrawStep step(tables);
        step.setLimits(limit);
        return step.passes(set);
    }
    case BacktestFilter::LastFifteenSums: {
        const int sum = set[0] + set[1] + set[2] + set[3] + set[4] + set[5];
        return std::find(tables.lastFifteenSums.begin(), tables.lastFifteenSums.end(), sum) ==
               tables.lastFifteenSums.end();
    }
    default: return true;
    }
}

bool readsHistory(BacktestFilter filter) { return backtestFilterInfo(filter).historyNeeded > 0; }

// The per-draw verdicts, a part at a time, so a long history does not hold up
// a window: each draw is judged with only the draws before it.
class DrawJudging {
public:
    DrawJudging(const FilterControls& controls, const std::vector<DrawRecord>& draws, std::size_t firstJudged,
                std::uint64_t pickMask, const BacktestFilterSet& plainFilters)
        : controls_(controls), draws_(draws), pickMask_(pickMask), plainFilters_(plainFilters),
          anyReadsHistory_(std::any_of(plainFilters.active().begin(), plainFilters.active().end(), readsHistory)),
          againstHistory_(std::find(plainFilters.active().begin(), plainFilters.active().end(),
                                    BacktestFilter::AgainstHistory) != plainFilters.active().end()),
          earlier_(wholeNumberValue(controls.maxFromHistory)), next_(std::min(firstJudged, draws.size())) {
        for (const DrawRecord& draw : draws) masks_.push_back(maskOf(draw.numbers));
        // The filter against history counts distinct numbers, a limit below 0 as 0.
        if (againstHistory_)
            for (std::size_t i = 0; i < next_; ++i) earlier_.add(masks_[i]);
    }

    // Judges draws until the deadline (at least one); true once every draw is judged.
    bool judgeUntil(std::chrono::steady_clock::time_point deadline, BacktestResult& result) {
        constexpr std::size_t kDrawsPerClockCheck = 256;
        for (std::size_t judged = 0; next_ < draws_.size(); ++judged) {
            if (judged % kDrawsPerClockCheck == kDrawsPerClockCheck - 1 && std::chrono::steady_clock::now() >= deadline)
                return false;
            result.draws.push_back(verdictOf(next_));
            if (againstHistory_) earlier_.add(masks_[next_]);
            ++next_;
        }
        return true;
    }

private:
    DrawVerdict verdictOf(std::size_t i) const {
        DrawVerdict verdict;
        verdict.index = i;
        verdict.draw = draws_[i];
        verdict.inPick = (masks_[i] & ~pickMask_) == 0;
        Combination set = draws_[i].numbers;
        std::sort(set.begin(), set.end());

        // The history-reading filters see only the draws before this one.
        const RunTables before = anyReadsHistory_ ? historyTablesBefore(draws_, i) : RunTables{};

        bool notJudged = false;
        for (BacktestFilter filter : plainFilters_.active()) {
            const int needed = backtestFilterInfo(filter).historyNeeded;
            Verdict& v = verdict.verdicts[static_cast<std::size_t>(filter)];
            if (needed > 0 && i < static_cast<std::size_t>(needed)) {
                v = Verdict::NotJudged;
                notJudged = true;
                continue;
            }
            const bool kept = needed == 0 ? plainFilters_.step(filter).passes(set)
                              : filter == BacktestFilter::AgainstHistory
                                  ? !earlier_.sharesTooMany(masks_[i])
                                  : passesWithHistory(filter, controls_, before, set);
            v = kept ? Verdict::Kept : Verdict::Rejected;
            if (!kept && !verdict.firstRejecting) verdict.firstRejecting = filter;
        }
        verdict.outcome = verdict.firstRejecting ? DrawVerdict::Outcome::Failed
                          : notJudged            ? DrawVerdict::Outcome::NotJudged
                                                 : DrawVerdict::Outcome::Passed;
        return verdict;
    }

    const FilterControls& controls_;
    const std::vector<DrawRecord>& draws_;
    std::uint64_t pickMask_;
    const BacktestFilterSet& plainFilters_;
    bool anyReadsHistory_;
    bool againstHistory_;
    std::vector<std::uint64_t> masks_;
    EarlierDrawParts earlier_;
    std::size_t next_;
};

} // namespace

struct BacktestJob::Engine {
    FilterControls controls;              // normalised
    std::vector<DrawRecord> draws;
    std::size_t firstJudged = 0;
    std::uint64_t pickMask = 0;
    std::unique_ptr<BacktestFilterSet> filters;   // against the whole history, for the sets
    std::unique_ptr<SetCounter> counter;
    std::unique_ptr<DrawJudging> judging;
};

BacktestJob::BacktestJob(BacktestRequest request) : engine_(std::make_unique<Engine>()) {
    Engine& e = *engine_;
    e.controls = std::move(request.controls);
    e.controls.enableRavelin = 0;
    result_.notices = normaliseForRun(e.controls);
    std::vector<int> pick = request.pick;
    if (pick.empty())
        for (int n = 1; n <= 49; ++n) pick.push_back(n);
    result_.pick = pickWithExactValues(pick, e.controls);
    for (int n : result_.pick) e.pickMask |= std::uint64_t{1} << n;
    e.draws = std::move(request.draws);
    if (request.lastDraws && *request.lastDraws < e.draws.size()) e.firstJudged = e.draws.size() - *request.lastDraws;

    // The sets are judged as a run with the whole history judges them.
    RunTables tables = historyTablesBefore(e.draws, e.draws.size());
    if (isChecked(e.controls.filterAgainstHistory))
        tables.history = HistoryIndex(e.draws, wholeNumberValue(e.controls.maxFromHistory));
    if (!isChecked(e.controls.rejectLast15Sums)) tables.lastFifteenSums = {};
    e.filters = std::make_unique<BacktestFilterSet>(e.controls, tables);
    e.counter = std::make_unique<SetCounter>(*e.filters, result_.pick);
    e.judging = std::make_unique<DrawJudging>(e.controls, e.draws, e.firstJudged, e.pickMask, *e.filters);
}

BacktestJob::~BacktestJob() = default;

namespace {

// The draw counts of every active filter, of all together and of all but one.
void countDraws(const std::vector<BacktestFilter>& active, BacktestResult& result) {
    result.filters.clear();
    for (BacktestFilter filter : active) {
        FilterResult row;
        row.filter = filter;
        result.filters.push_back(row);
    }
    result.joint = FilterResult{};
    result.drawsOutsidePick = 0;
    for (const DrawVerdict& draw : result.draws) {
        if (!draw.inPick) {
            ++result.drawsOutsidePick;
            continue;
        }
        int rejected = 0, unjudged = 0;
        for (BacktestFilter filter : active) {
            const Verdict v = draw.verdicts[static_cast<std::size_t>(filter)];
            rejected += v == Verdict::Rejected;
            unjudged += v == Verdict::NotJudged;
        }
        if (unjudged == 0) {
            ++result.joint.draws.of;
            result.joint.draws.kept += rejected == 0;
        }
        for (FilterResult& row : result.filters) {
            const Verdict v = draw.verdicts[static_cast<std::size_t>(row.filter)];
            if (v == Verdict::NotJudged) {
                ++row.notJudged;
            } else {
                ++row.draws.of;
                row.draws.kept += v == Verdict::Kept;
            }
            // Without this filter: the others all judged it, and none rejected it.
            const int othersUnjudged = unjudged - (v == Verdict::NotJudged);
            const int othersRejected = rejected - (v == Verdict::Rejected);
            if (othersUnjudged == 0) {
                ++row.drawsWithout.of;
                row.drawsWithout.kept += othersRejected == 0;
            }
        }
    }
    result.joint.notJudged = result.draws.size() - result.drawsOutsidePick - result.joint.draws.of;
    for (FilterResult& row : result.filters) {
        row.drawsInterval = wilsonInterval(row.draws.kept, row.draws.of);
        row.drawsWithoutInterval = wilsonInterval(row.drawsWithout.kept, row.drawsWithout.of);
    }
    result.joint.drawsInterval = wilsonInterval(result.joint.draws.kept, result.joint.draws.of);
    result.joint.drawsWithout = result.joint.draws;
    result.joint.drawsWithoutInterval = result.joint.drawsInterval;
}

} // namespace

bool BacktestJob::advance(std::chrono::nanoseconds budget) {
    if (ended_) return true;
    const auto deadline = std::chrono::steady_clock::now() + budget;
    if (!drawsJudged_) {
        if (!engine_->judging->judgeUntil(deadline, result_)) return false;
        countDraws(engine_->filters->active(), result_);
        drawsJudged_ = true;
    }
    if (engine_->counter->countUntil(deadline)) finish();
    return ended_;
}

void BacktestJob::runToEnd() {
    while (!advance(std::chrono::hours(1))) {
    }
}

void BacktestJob::stop() {
    if (ended_) return;
    // The draws judged so far are counted as they stand.
    if (!drawsJudged_) countDraws(engine_->filters->active(), result_);
    ended_ = stopped_ = true;
}

double BacktestJob::progress() const {
    const SetCounter& counter = *engine_->counter;
    if (counter.finished() || counter.total() == 0) return ended_ ? 1.0 : 0.0;
    return static_cast<double>(counter.counts().sets) / static_cast<double>(counter.total());
}

void BacktestJob::finish() {
    const SetCounts& counts = engine_->counter->counts();
    const std::uint64_t total = engine_->counter->total();
    for (FilterResult& row : result_.filters) {
        const auto f = static_cast<std::size_t>(row.filter);
        row.sets = {counts.kept[f], total};
        row.setsWithout = {counts.keptWithout[f], total};
        row.lift = liftOf(row.draws, row.sets);
        row.liftWithout = liftOf(row.drawsWithout, row.setsWithout);
    }
    result_.joint.sets = {counts.keptByAll, total};
    result_.joint.setsWithout = result_.joint.sets;
    result_.joint.lift = liftOf(result_.joint.draws, result_.joint.sets);
    result_.joint.liftWithout = result_.joint.lift;
    result_.complete = true;
    ended_ = true;
}

BacktestResult runBacktest(BacktestRequest request) {
    BacktestJob job(std::move(request));
    job.runToEnd();
    return job.result();
}

} // namespace orvane
