#include "backtest/Backtest.h"

#include "backtest/BacktestFilters.h"
#include "backtest/ChanceShares.h"
#include "backtest/DrawCounts.h"
#include "backtest/GameBacktest.h"
#include "backtest/FirstRejectingDraw.h"
#include "backtest/SetCounts.h"
#include "checks/HistoryIndex.h"
#include "core/NumberText.h"
#include "wheel/RunPreparation.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

std::optional<double> liftOf(const Proportion& draws, const ChanceShare& chance) {
    if (draws.of == 0 || !chance.defined || chance.share <= 0) return std::nullopt;
    return draws.share() / chance.share;
}

void readLift(FilterResult& row) {
    constexpr double kZ = 1.959963984540054;
    row.lift = liftOf(row.draws, row.chance);
    row.liftLow = row.liftHigh = 0;
    if (row.draws.of == 0 || !row.chance.defined) {
        row.reading = Reading::NoDrawJudged;
        return;
    }
    if (row.chance.share <= 0 && !row.chance.estimated) {
        row.reading = Reading::KeepsNoSet;
        return;
    }
    // The draws' interval over the chance share's, widened by its error where it is estimated.
    const double lowest = row.chance.share - kZ * row.chance.error;
    const double highest = row.chance.share + kZ * row.chance.error;
    row.liftLow = highest > 0 ? row.drawsInterval.low / highest : 0;
    row.liftHigh = lowest > 0 ? row.drawsInterval.high / lowest : std::numeric_limits<double>::infinity();
    row.reading = row.liftLow > 1    ? Reading::AboveChance
                  : row.liftHigh < 1 ? Reading::BelowChance
                                     : Reading::ConsistentWithChance;
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
        if (filter == BacktestFilter::Shadow)
            limit.lastDrawNumMaxPos = controls.lastDrawNumMaxPos;
        else
            limit.lastDrawNumMax = controls.lastDrawNumMax;
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
    // `againstHistory` null when that filter is off.
    DrawJudging(const FilterControls& controls, const std::vector<DrawRecord>& draws,
                const std::vector<std::uint64_t>& masks, std::size_t firstJudged, std::uint64_t pickMask,
                const BacktestFilterSet& plainFilters, const FirstRejectingDraw* againstHistory)
        : controls_(controls), draws_(draws), masks_(masks), pickMask_(pickMask), plainFilters_(plainFilters),
          anyReadsHistory_(std::any_of(plainFilters.active().begin(), plainFilters.active().end(), readsHistory)),
          againstHistory_(againstHistory), next_(std::min(firstJudged, draws.size())) {}

    // Judges draws until the deadline (at least one); true once every draw is judged.
    bool judgeUntil(std::chrono::steady_clock::time_point deadline, BacktestResult& result) {
        constexpr std::size_t kDrawsPerClockCheck = 256;
        for (std::size_t judged = 0; next_ < draws_.size(); ++judged) {
            if (judged % kDrawsPerClockCheck == kDrawsPerClockCheck - 1 && std::chrono::steady_clock::now() >= deadline)
                return false;
            result.draws.push_back(verdictOf(next_));
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
                                  ? againstHistory_->of(masks_[i]) >= i
                                  : passesWithHistory(filter, controls_, before, set);
            v = kept ? Verdict::Kept : Verdict::Rejected;
            if (!kept && !verdict.firstRejecting) verdict.firstRejecting = filter;
        }
        verdict.outcome = outcomeOf(verdict, notJudged);
        return verdict;
    }

    const FilterControls& controls_;
    const std::vector<DrawRecord>& draws_;
    const std::vector<std::uint64_t>& masks_;
    std::uint64_t pickMask_;
    const BacktestFilterSet& plainFilters_;
    bool anyReadsHistory_;
    const FirstRejectingDraw* againstHistory_;
    std::size_t next_;
};

} // namespace

struct BacktestJob::Engine {
    FilterControls controls; // normalised
    std::vector<DrawRecord> draws;
    std::vector<std::uint64_t> drawMasks; // bit n: number n
    std::size_t firstJudged = 0;
    std::uint64_t pickMask = 0;
    std::unique_ptr<BacktestFilterSet> filters;         // against the whole history, for the sets
    std::unique_ptr<FirstRejectingDraw> againstHistory; // when that filter is on
    std::unique_ptr<WalkForwardFilters> walkForward;
    std::unique_ptr<SetStrata> strata; // when a filter that reads the history is on
    std::unique_ptr<SetCounter> counter;
    std::unique_ptr<DrawJudging> judging;
    std::unique_ptr<ChanceShares> chance;
};

BacktestJob::BacktestJob(BacktestRequest request) : engine_(std::make_unique<Engine>()) {
    if (!request.game.isLotto649()) {
        game_ = std::make_unique<GameBacktest>(std::move(request), result_);
        return;
    }
    Engine& e = *engine_;
    e.controls = std::move(request.controls);
    e.controls.enableRavelin = 0;
    result_.notices = normaliseForRun(e.controls);
    std::vector<int> pick = request.pick;
    if (pick.empty())
        for (int n = 1; n <= 49; ++n) pick.push_back(n);
    result_.pick = pickWithExactValues(pick, e.controls);
    result_.pickIsEveryNumber = result_.pick.size() == 49;
    for (int n : result_.pick) e.pickMask |= std::uint64_t{1} << n;
    e.draws = std::move(request.draws);
    if (request.lastDraws && *request.lastDraws < e.draws.size()) e.firstJudged = e.draws.size() - *request.lastDraws;

    // The sets are judged as a run with the whole history judges them.
    RunTables tables = historyTablesBefore(e.draws, e.draws.size());
    if (isChecked(e.controls.filterAgainstHistory))
        tables.history = HistoryIndex(e.draws, wholeNumberValue(e.controls.maxFromHistory));
    if (!isChecked(e.controls.rejectLast15Sums)) tables.lastFifteenSums = {};
    e.filters = std::make_unique<BacktestFilterSet>(e.controls, tables);
}

// The rest of the set-up takes the first slice, so that a long history does
// not hold up the window at Begin.
void BacktestJob::prepare() {
    Engine& e = *engine_;
    for (const DrawRecord& draw : e.draws) e.drawMasks.push_back(maskOf(draw.numbers));

    // What chance would keep is counted in the same pass over the sets: each
    // set's stratum by the filters that read no history and, with the filter
    // against history on, its first rejecting draw.
    const std::vector<BacktestFilter>& active = e.filters->active();
    const std::uint32_t history = WalkForwardFilters::historyBits(active);
    const auto againstHistoryBit = 1u << static_cast<int>(BacktestFilter::AgainstHistory);
    if ((history & againstHistoryBit) != 0)
        e.againstHistory =
            std::make_unique<FirstRejectingDraw>(wholeNumberValue(e.controls.maxFromHistory), e.drawMasks);
    e.walkForward = std::make_unique<WalkForwardFilters>(e.controls, e.draws, result_.pick);
    if (history != 0) {
        const auto readsNoHistory = static_cast<std::size_t>(
            std::count_if(active.begin(), active.end(), [](BacktestFilter f) { return !readsHistory(f); }));
        // Samples are needed only when a filter other than the one against history reads it.
        const std::size_t sampleSize = (history & ~againstHistoryBit) != 0 ? kChanceSamplePairs : 0;
        e.strata = std::make_unique<SetStrata>(1 + readsNoHistory, e.againstHistory.get(), sampleSize);
    }
    e.counter = std::make_unique<SetCounter>(*e.filters, result_.pick, e.strata.get());
    e.judging = std::make_unique<DrawJudging>(e.controls, e.draws, e.drawMasks, e.firstJudged, e.pickMask, *e.filters,
                                              e.againstHistory.get());
}

BacktestJob::~BacktestJob() = default;

bool BacktestJob::advance(std::chrono::nanoseconds budget) {
    if (ended_) return true;
    if (game_) return ended_ = game_->advance(budget);
    const auto deadline = std::chrono::steady_clock::now() + budget;
    if (!engine_->judging) prepare();
    if (!drawsJudged_) {
        if (!engine_->judging->judgeUntil(deadline, result_)) return false;
        countDraws(engine_->filters->active(), result_);
        drawsJudged_ = true;
    }
    if (!setsCounted_) {
        if (!engine_->counter->countUntil(deadline)) return false;
        setsCounted_ = true;
        startChance();
        // The chance shares of the filters alone take a slice of their own over a long history.
        if (std::chrono::steady_clock::now() >= deadline) return false;
    }
    if (engine_->chance->estimateUntil(deadline)) finish();
    return ended_;
}

void BacktestJob::runToEnd() {
    while (!advance(std::chrono::hours(1))) {}
}

void BacktestJob::stop() {
    if (ended_) return;
    if (game_) {
        game_->stop();
        ended_ = stopped_ = true;
        return;
    }
    // The draws judged so far are counted as they stand.
    if (!drawsJudged_) countDraws(engine_->filters->active(), result_);
    ended_ = stopped_ = true;
}

double BacktestJob::progress() const {
    if (game_) return game_->progress();
    if (!engine_->counter) return ended_ ? 1.0 : 0.0;
    const SetCounter& counter = *engine_->counter;
    if (counter.finished()) return 1.0;
    if (counter.total() == 0) return ended_ ? 1.0 : 0.0;
    return static_cast<double>(counter.counts().sets) / static_cast<double>(counter.total());
}

void BacktestJob::startChance() {
    Engine& e = *engine_;
    e.chance = std::make_unique<ChanceShares>(result_, e.filters->active(), e.counter->counts(), e.counter->total(),
                                              *e.walkForward, e.strata.get());
}

void BacktestJob::finish() {
    const SetCounts& counts = engine_->counter->counts();
    const std::uint64_t total = engine_->counter->total();
    for (FilterResult& row : result_.filters) {
        const auto f = static_cast<std::size_t>(row.filter);
        row.sets = {counts.kept[f], total};
        row.setsWithout = {counts.keptWithout[f], total};
    }
    result_.joint.sets = {counts.keptByAll, total};
    result_.joint.setsWithout = result_.joint.sets;
    engine_->chance->fill(result_);
    for (FilterResult& row : result_.filters) {
        readLift(row);
        row.liftWithout = liftOf(row.drawsWithout, row.chanceWithout);
    }
    readLift(result_.joint);
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
