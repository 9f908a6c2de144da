#include "backtest/GameBacktest.h"

#include "backtest/BacktestFilters.h"
#include "backtest/DrawCounts.h"
#include "wheel/GameRunPreparation.h"
#include "wheel/GameWheel.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace orvane {

namespace {

constexpr std::uint32_t filterBit(BacktestFilter filter) { return 1u << static_cast<int>(filter); }
constexpr std::uint64_t kGameSampleSeed = 0x5e7b4c7e57ULL;

// Each filter's switch in the game's rules, by BacktestFilter.
bool GameRules::*const kSwitches[kBacktestFilterCount] = {
    &GameRules::midpointActive,    &GameRules::pairsActive,      &GameRules::signaturesActive,
    &GameRules::evensCountsActive, &GameRules::shadowActive,     &GameRules::fromLastDrawActive,
    &GameRules::keysActive,        &GameRules::sumPickActive,    &GameRules::sumLimitsActive,
    &GameRules::lastFifteenActive, &GameRules::tensActive,       &GameRules::groupsActive,
    &GameRules::positionsActive,   &GameRules::differenceActive, &GameRules::onesActive,
    &GameRules::locksActive,       &GameRules::historyActive,    &GameRules::exactValuesActive,
};

int historyNeeded(BacktestFilter filter) { return backtestFilterInfo(filter).historyNeeded; }

// The first draw each filter of `bits` can judge.
std::size_t thresholdOf(std::uint32_t bits) {
    std::size_t threshold = 0;
    for (const BacktestFilterInfo& info : backtestFilters())
        if ((bits & filterBit(info.filter)) != 0)
            threshold = std::max(threshold, static_cast<std::size_t>(info.historyNeeded));
    return threshold;
}

GameMask maskOfNumbers(const std::vector<int>& numbers) {
    GameMask mask = 0;
    for (int n : numbers) mask |= orvane::maskOf(n);
    return mask;
}

} // namespace

GameRules withOnlyFilters(GameRules rules, std::uint32_t bits) {
    for (int f = 0; f < kBacktestFilterCount; ++f) rules.*kSwitches[f] = rules.*kSwitches[f] && (bits & (1u << f)) != 0;
    // The past draws are the largest table: a copy without that filter leaves them out.
    if (!rules.historyActive) rules.pastDraws.clear();
    return rules;
}

std::uint32_t activeFilterBits(const GameRules& rules) {
    std::uint32_t bits = 0;
    for (int f = 0; f < kBacktestFilterCount; ++f)
        if (rules.*kSwitches[f]) bits |= 1u << f;
    return bits;
}

GameBacktest::GameBacktest(BacktestRequest request, BacktestResult& result)
    : result_(result), game_(std::move(request.game)), controls_(std::move(request.controls)),
      draws_(std::move(request.gameDraws)) {
    controls_.enableRavelin = 0;
    result_.game = game_.title();
    result_.notices = normaliseForRun(controls_, game_);
    std::vector<int> pick = std::move(request.pick);
    if (pick.empty())
        for (int n = 1; n <= game_.highest(); ++n) pick.push_back(n);
    result_.pick = gamePickWithExactValues(pick, controls_, game_);
    result_.pickIsEveryNumber = static_cast<int>(result_.pick.size()) == game_.highest();
    pickMask_ = maskOfNumbers(result_.pick);
    total_ = game_.setsOfPick(static_cast<int>(result_.pick.size()));
    if (request.lastDraws && *request.lastDraws < draws_.size()) firstJudged_ = draws_.size() - *request.lastDraws;
    nextDraw_ = std::min(firstJudged_, draws_.size());
    for (const GameDraw& draw : draws_) drawMasks_.push_back(maskOfNumbers(draw.numbers));

    // The sets are judged as a run with the whole history judges them.
    needed_ = tablesNeeded(controls_, game_);
    whole_ = compileGameRules(game_, controls_, gameRunTablesBefore(needed_, draws_, draws_.size()));
    active_ = activeFilterBits(whole_);
    alone_.resize(kBacktestFilterCount);
    for (const BacktestFilterInfo& info : backtestFilters()) {
        if ((active_ & filterBit(info.filter)) == 0) continue;
        activeList_.push_back(info.filter);
        alone_[static_cast<std::size_t>(info.filter)] = withOnlyFilters(whole_, filterBit(info.filter));
        if (info.historyNeeded > 0) {
            historyBits_ |= filterBit(info.filter);
            historyList_.push_back(info.filter);
        }
    }
    auto addRow = [this](std::uint32_t bits) {
        Row row;
        row.bits = bits;
        row.threshold = thresholdOf(bits);
        row.readsHistory = (bits & historyBits_) != 0;
        rows_.push_back(std::move(row));
    };
    for (BacktestFilter filter : activeList_) addRow(filterBit(filter));
    for (BacktestFilter filter : activeList_) addRow(active_ & ~filterBit(filter));
    addRow(active_);
}

GameBacktest::~GameBacktest() = default;

bool GameBacktest::advance(std::chrono::nanoseconds budget) {
    if (finished_) return true;
    const auto deadline = std::chrono::steady_clock::now() + budget;
    if (!drawsJudged_) {
        if (!judgeUntil(deadline)) return false;
        countDraws(activeList_, result_);
        drawsJudged_ = true;
    }
    if (!setsCounted_) {
        if (!countSetsUntil(deadline)) return false;
        setsCounted_ = true;
    }
    if (!sampleSetsUntil(deadline) || !tryDrawsUntil(deadline)) return false;
    finish();
    return true;
}

void GameBacktest::stop() {
    if (!drawsJudged_) countDraws(activeList_, result_);
}

double GameBacktest::progress() const {
    if (finished_) return 1.0;
    double counted = static_cast<double>(nextCount_);
    if (counting_ && total_ > 0) counted += static_cast<double>(counting_->generated()) / static_cast<double>(total_);
    const double counting = rows_.empty() ? 1.0 : counted / static_cast<double>(rows_.size());
    if (!setsCounted_ || drawsToTry_.empty()) return setsCounted_ ? 1.0 : counting;
    return 0.5 + 0.5 * static_cast<double>(nextTry_) / static_cast<double>(drawsToTry_.size());
}

bool GameBacktest::judgeUntil(std::chrono::steady_clock::time_point deadline) {
    constexpr std::size_t kDrawsPerClockCheck = 64;
    for (std::size_t judged = 0; nextDraw_ < draws_.size(); ++judged) {
        if (judged % kDrawsPerClockCheck == kDrawsPerClockCheck - 1 && std::chrono::steady_clock::now() >= deadline)
            return false;
        result_.draws.push_back(verdictOf(nextDraw_));
        ++nextDraw_;
    }
    return true;
}

std::vector<GameRules> GameBacktest::historyRulesBefore(std::size_t i) const {
    std::vector<GameRules> before(kBacktestFilterCount);
    if ((historyBits_ & ~filterBit(BacktestFilter::AgainstHistory)) == 0) return before;
    // The past draws are compared through their masks instead.
    TablesNeeded needed = needed_;
    needed.pastDraws = false;
    const GameRules rules = compileGameRules(game_, controls_, gameRunTablesBefore(needed, draws_, i));
    for (BacktestFilter filter : historyList_)
        if (filter != BacktestFilter::AgainstHistory && i >= static_cast<std::size_t>(historyNeeded(filter)))
            before[static_cast<std::size_t>(filter)] = withOnlyFilters(rules, filterBit(filter));
    return before;
}

std::size_t GameBacktest::firstRejectingDraw(GameMask numbers) const {
    for (std::size_t d = 0; d < drawMasks_.size(); ++d)
        if (countOf(numbers & drawMasks_[d]) > whole_.historyLimit) return d;
    return drawMasks_.size();
}

std::uint32_t GameBacktest::historyFailing(const std::vector<int>& set, std::size_t firstRejecting, std::size_t i,
                                           const std::vector<GameRules>& before) const {
    std::uint32_t failing = 0;
    for (BacktestFilter filter : historyList_) {
        if (i < static_cast<std::size_t>(historyNeeded(filter))) continue;
        const bool kept = filter == BacktestFilter::AgainstHistory
                              ? firstRejecting >= i
                              : passesPlainly(before[static_cast<std::size_t>(filter)], set);
        if (!kept) failing |= filterBit(filter);
    }
    return failing;
}

DrawVerdict GameBacktest::verdictOf(std::size_t i) const {
    DrawVerdict verdict;
    verdict.index = i;
    verdict.gameDraw = draws_[i];
    verdict.inPick = (drawMasks_[i] & ~pickMask_) == 0;
    const std::vector<int>& set = draws_[i].numbers;
    const std::vector<GameRules> before = historyRulesBefore(i);
    // The draw is compared with the draws before it: none of those can be itself.
    const std::uint32_t historyFails = historyFailing(set, firstRejectingDraw(drawMasks_[i]), i, before);
    bool notJudged = false;
    for (BacktestFilter filter : activeList_) {
        const int needed = historyNeeded(filter);
        Verdict& v = verdict.verdicts[static_cast<std::size_t>(filter)];
        if (needed > 0 && i < static_cast<std::size_t>(needed)) {
            v = Verdict::NotJudged;
            notJudged = true;
            continue;
        }
        const bool kept = needed > 0 ? (historyFails & filterBit(filter)) == 0
                                     : passesPlainly(alone_[static_cast<std::size_t>(filter)], set);
        v = kept ? Verdict::Kept : Verdict::Rejected;
        if (!kept && !verdict.firstRejecting) verdict.firstRejecting = filter;
    }
    verdict.outcome = outcomeOf(verdict, notJudged);
    return verdict;
}

bool GameBacktest::countSetsUntil(std::chrono::steady_clock::time_point deadline) {
    // Rows of the same filters (all together is the one filter alone when it is the only one) are counted once.
    std::map<std::uint32_t, std::uint64_t> counted;
    for (std::size_t r = 0; r < nextCount_; ++r) counted[rows_[r].bits] = rows_[r].setsKept;
    while (nextCount_ < rows_.size()) {
        Row& row = rows_[nextCount_];
        if (const auto known = counted.find(row.bits); known != counted.end()) {
            row.setsKept = known->second;
        } else if (row.bits == 0 || total_ == 0) {
            row.setsKept = total_;
        } else {
            if (!counting_)
                counting_ = std::make_unique<GameWheel>(game_, result_.pick, std::vector<int>{},
                                                        withOnlyFilters(whole_, row.bits), nullptr);
            const auto left = deadline - std::chrono::steady_clock::now();
            if (!counting_->advance(std::max<std::chrono::nanoseconds>(left, std::chrono::nanoseconds(0))))
                return false;
            row.setsKept = counting_->passing();
            counting_.reset();
        }
        counted[row.bits] = row.setsKept;
        ++nextCount_;
        if (std::chrono::steady_clock::now() >= deadline && nextCount_ < rows_.size()) return false;
    }
    return true;
}

bool GameBacktest::sampleSetsUntil(std::chrono::steady_clock::time_point deadline) {
    if (sampled_) return true;
    const bool estimated = std::any_of(rows_.begin(), rows_.end(), [](const Row& row) { return row.readsHistory; });
    const auto k = static_cast<std::size_t>(game_.perTicket());
    if (!estimated || total_ == 0) return sampled_ = true;
    if (sample_.empty()) {
        // A fixed seed: the same request gives the same estimate.
        std::mt19937_64 random(kGameSampleSeed);
        std::vector<int> pick = result_.pick;
        sample_.resize(kGameChanceSampleSets);
        for (std::vector<int>& set : sample_) {
            for (std::size_t at = 0; at < k; ++at) {
                std::uniform_int_distribution<std::size_t> from(at, pick.size() - 1);
                std::swap(pick[at], pick[from(random)]);
            }
            set.assign(pick.begin(), pick.begin() + static_cast<std::ptrdiff_t>(k));
            std::sort(set.begin(), set.end());
        }
    }
    // What each set meets at every draw: the filters reading no history, and
    // the first draw the filter against history rejects it by.
    // Every call takes some sets on, whatever the deadline.
    constexpr std::size_t kSetsPerClockCheck = 64;
    for (std::size_t taken = 0; sampleFailing_.size() < sample_.size(); ++taken) {
        if (taken % kSetsPerClockCheck == kSetsPerClockCheck - 1 && std::chrono::steady_clock::now() >= deadline)
            return false;
        const std::vector<int>& set = sample_[sampleFailing_.size()];
        std::uint32_t failing = 0;
        for (BacktestFilter filter : activeList_)
            if (historyNeeded(filter) == 0 && !passesPlainly(alone_[static_cast<std::size_t>(filter)], set))
                failing |= filterBit(filter);
        sampleFirstRejecting_.push_back((active_ & filterBit(BacktestFilter::AgainstHistory)) != 0
                                            ? firstRejectingDraw(maskOfNumbers(set))
                                            : draws_.size());
        sampleFailing_.push_back(failing);
    }
    std::size_t earliest = draws_.size();
    for (Row& row : rows_)
        if (row.readsHistory) {
            row.kept.assign(sample_.size(), 0);
            earliest = std::min(earliest, row.threshold);
        }
    for (const DrawVerdict& verdict : result_.draws)
        if (verdict.inPick && verdict.index >= earliest) drawsToTry_.push_back(verdict.index);
    return sampled_ = true;
}

bool GameBacktest::tryDrawsUntil(std::chrono::steady_clock::time_point deadline) {
    // Every call tries one draw at least, whatever the deadline.
    for (std::size_t tried = 0; nextTry_ < drawsToTry_.size(); ++nextTry_, ++tried) {
        if (tried > 0 && std::chrono::steady_clock::now() >= deadline) return false;
        const std::size_t i = drawsToTry_[nextTry_];
        const std::vector<GameRules> before = historyRulesBefore(i);
        std::vector<Row*> trying;
        for (Row& row : rows_)
            if (row.readsHistory && i >= row.threshold) {
                trying.push_back(&row);
                ++row.drawsTried;
            }
        for (std::size_t j = 0; j < sample_.size(); ++j) {
            const std::uint32_t failing =
                sampleFailing_[j] | historyFailing(sample_[j], sampleFirstRejecting_[j], i, before);
            for (Row* row : trying) row->kept[j] += (failing & row->bits) == 0;
        }
    }
    return true;
}

ChanceShare GameBacktest::chanceOf(const Row& row, const Proportion& draws) const {
    ChanceShare chance;
    if (!row.readsHistory) {
        // The same sets at every draw: the share of the sets, counted.
        chance.defined = draws.of > 0;
        chance.share = total_ == 0 ? 0.0 : static_cast<double>(row.setsKept) / static_cast<double>(total_);
        return chance;
    }
    chance.defined = row.drawsTried > 0 && !row.kept.empty();
    if (!chance.defined) return chance;
    // Each sampled set's share of the draws it was kept at; their mean and its standard error.
    const auto sets = static_cast<double>(row.kept.size());
    double sum = 0, squares = 0;
    for (std::uint32_t kept : row.kept) {
        const double share = static_cast<double>(kept) / static_cast<double>(row.drawsTried);
        sum += share;
        squares += share * share;
    }
    chance.share = sum / sets;
    const double variance = std::max(0.0, (squares - sets * chance.share * chance.share) / (sets - 1));
    chance.error = std::sqrt(variance / sets);
    chance.estimated = true;
    return chance;
}

void GameBacktest::finish() {
    const std::size_t count = activeList_.size();
    for (std::size_t a = 0; a < count; ++a) {
        FilterResult& row = result_.filters[a];
        row.sets = {rows_[a].setsKept, total_};
        row.setsWithout = {rows_[count + a].setsKept, total_};
        row.chance = chanceOf(rows_[a], row.draws);
        row.chanceWithout = chanceOf(rows_[count + a], row.drawsWithout);
        readLift(row);
        row.liftWithout = liftOf(row.drawsWithout, row.chanceWithout);
    }
    FilterResult& joint = result_.joint;
    joint.sets = joint.setsWithout = {rows_[2 * count].setsKept, total_};
    joint.chance = joint.chanceWithout = chanceOf(rows_[2 * count], joint.draws);
    readLift(joint);
    joint.liftWithout = joint.lift;
    result_.complete = true;
    finished_ = true;
}

} // namespace orvane
