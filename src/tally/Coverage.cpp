#include "tally/Coverage.h"

#include "core/Binomial.h"

#include <algorithm>

namespace orvane {

struct CoverageJob::BonusOutcome {
    std::vector<std::pair<std::size_t, int>> groupHits; // a group and how many of its bonus numbers are drawn
};

namespace {

// The most hits any line makes: one pass over the lines' counts.
int mostHits(const std::uint8_t* before, const std::uint8_t* last, std::size_t begin, std::size_t end) {
    std::uint8_t most = 0;
    for (std::size_t i = begin; i < end; ++i) most = std::max(most, static_cast<std::uint8_t>(before[i] + last[i]));
    return most;
}

} // namespace

int GuaranteeRow::least() const {
    for (std::size_t match = 0; match < byBestMatch.size(); ++match)
        if (byBestMatch[match] > 0) return static_cast<int>(match);
    return 0;
}

int GuaranteeRow::typical() const {
    std::size_t most = 0;
    for (std::size_t match = 1; match < byBestMatch.size(); ++match)
        if (byBestMatch[match] > byBestMatch[most]) most = match;
    return static_cast<int>(most);
}

std::optional<std::string> CoverageJob::refusal(const Game& game, std::size_t lines) {
    if (lines == 0) return std::string("it holds no lines");
    if (lines > kMostLines)
        return "it holds " + std::to_string(lines) + " lines, and the coverage is counted for files of up to " +
               std::to_string(kMostLines) + " lines";
    if (game.extraBall() && game.hasBonusPool())
        return std::string("the coverage of a game with both an extra ball and a bonus pool is not counted");
    return std::nullopt;
}

CoverageJob::CoverageJob(const Game& game, std::vector<GameLine> lines)
    : game_(game), lines_(std::move(lines)), table_(game) {
    const int n = game.highest();
    const int k = game.perTicket();
    // Lines with the same bonus numbers side by side, so each group is one run of the passes.
    std::stable_sort(lines_.begin(), lines_.end(),
                     [](const GameLine& a, const GameLine& b) { return a.bonus.numbers() < b.bonus.numbers(); });
    NumberSet used;
    for (const GameLine& line : lines_) used = used | line.numbers;
    pool_ = used.numbers();
    possibleDraws_ = game.possibleDraws() * (game.extraBall() ? static_cast<std::uint64_t>(n - k) : 1);
    drawsByTier_.assign(static_cast<std::size_t>(table_.tiers()) + 1, 0);
    mainBest_.assign(static_cast<std::size_t>(k) + 1, 0);

    if (game.hasBonusPool()) {
        for (std::size_t i = 0; i < lines_.size(); ++i)
            if (i == 0 || !(lines_[i].bonus == lines_[i - 1].bonus))
                groups_.emplace_back(i, i + 1);
            else
                groups_.back().second = i + 1;
        groupBest_.assign(groups_.size(), 0);
        // Every bonus draw: b of the M numbers (b is 1 or 2).
        const int m = game.bonusPool();
        const auto addOutcome = [&](const NumberSet& drawn) {
            BonusOutcome outcome;
            for (std::size_t g = 0; g < groups_.size(); ++g)
                if (const int hits = lines_[groups_[g].first].bonus.shared(drawn); hits > 0)
                    outcome.groupHits.emplace_back(g, hits);
            if (outcome.groupHits.empty())
                ++outcomesHittingNoGroup_;
            else
                bonusOutcomes_.push_back(std::move(outcome));
        };
        for (int first = 1; first <= m; ++first) {
            if (game.bonusDrawn() == 1)
                addOutcome(NumberSet{first});
            else
                for (int second = first + 1; second <= m; ++second) addOutcome(NumberSet{first, second});
        }
    }
    if (game.extraBall()) {
        lowestExtraMatch_ = k + 1;
        for (int match = k; match >= 0; --match)
            if (table_.tierOf(match, 0, true) != table_.tierOf(match, 0, false)) lowestExtraMatch_ = match;
        extraTier_.assign(static_cast<std::size_t>(n) + 1, table_.noPrize());
    }

    const int v = static_cast<int>(pool_.size());
    for (int drawn = std::min(k, v); drawn >= 2; --drawn)
        if (n - v >= k - drawn) rowSizes_.push_back(drawn);
    workTotal_ = binomial(n, k);
    for (int drawn : rowSizes_) workTotal_ += binomial(v, drawn);

    std::vector<int> all(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) all[static_cast<std::size_t>(i)] = i + 1;
    walk_ = std::make_unique<HitWalk>(lines_, std::move(all), k);
}

CoverageJob::~CoverageJob() = default;

void CoverageJob::walkCoverageUnit() {
    const std::size_t stride = walk_->stride();
    const bool byGroups = !groups_.empty();
    walk_->nextUnit([&](const std::uint8_t* before, const std::uint8_t* last, int number) {
        // With a bonus pool the groups' passes cover every line: the best of them is the best match.
        int best = 0;
        if (byGroups)
            for (std::size_t g = 0; g < groups_.size(); ++g) {
                groupBest_[g] = mostHits(before, last, groups_[g].first, groups_[g].second);
                best = std::max(best, groupBest_[g]);
            }
        else
            best = mostHits(before, last, 0, stride);
        ++mainBest_[static_cast<std::size_t>(best)];
        const int base = table_.tierOf(best, 0, false);
        if (byGroups)
            countBonusDraws(base);
        else if (game_.extraBall())
            countExtraBalls(before, last, number, best, base);
        else
            ++drawsByTier_[static_cast<std::size_t>(base)];
    });
}

// Every bonus draw beside the main draw just walked, whose best tier without
// a bonus number is `base`; groupBest_ holds each group's best match.
void CoverageJob::countBonusDraws(int base) {
    drawsByTier_[static_cast<std::size_t>(base)] += outcomesHittingNoGroup_;
    for (const BonusOutcome& outcome : bonusOutcomes_) {
        int tier = base;
        for (const auto& [group, hits] : outcome.groupHits)
            tier = std::min(tier, table_.tierOf(groupBest_[group], hits, false));
        ++drawsByTier_[static_cast<std::size_t>(tier)];
    }
}

// Every extra ball beside the main draw just walked (`number` and the walk's
// leading numbers). Only a line making a match the extra ball raises looks
// at the extras; the rest take `base`.
void CoverageJob::countExtraBalls(const std::uint8_t* before, const std::uint8_t* last, int number, int best,
                                  int base) {
    const auto others = static_cast<std::uint64_t>(game_.highest() - game_.perTicket());
    if (best < lowestExtraMatch_) {
        drawsByTier_[static_cast<std::size_t>(base)] += others;
        return;
    }
    NumberSet drawn{number};
    for (int n : walk_->leading()) drawn.add(n);
    touched_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const int hits = before[i] + last[i];
        const int raised = table_.tierOf(hits, 0, true);
        if (hits < lowestExtraMatch_ || raised >= base) continue;
        lines_[i].numbers.forEach([&](int extra) {
            if (drawn.has(extra)) return;
            int& tier = extraTier_[static_cast<std::size_t>(extra)];
            if (tier == table_.noPrize()) touched_.push_back(extra);
            tier = std::min(tier, raised);
        });
    }
    drawsByTier_[static_cast<std::size_t>(base)] += others - touched_.size();
    for (int extra : touched_) {
        int& tier = extraTier_[static_cast<std::size_t>(extra)];
        ++drawsByTier_[static_cast<std::size_t>(std::min(base, tier))];
        tier = table_.noPrize();
    }
}

void CoverageJob::startRow() {
    GuaranteeRow row;
    row.drawnInPool = rowSizes_[row_];
    row.cases = binomial(static_cast<int>(pool_.size()), row.drawnInPool);
    row.byBestMatch.assign(static_cast<std::size_t>(row.drawnInPool) + 1, 0);
    // With every number in the pool, every main draw has all its numbers there:
    // the coverage walk has counted that row already.
    if (static_cast<int>(pool_.size()) == game_.highest() && row.drawnInPool == game_.perTicket()) {
        row.byBestMatch = mainBest_;
        workDone_ += row.cases;
        rows_.push_back(std::move(row));
        walk_.reset();
        return;
    }
    rows_.push_back(std::move(row));
    walk_ = std::make_unique<HitWalk>(lines_, pool_, rowSizes_[row_]);
}

void CoverageJob::walkRowUnit() {
    const std::size_t stride = walk_->stride();
    std::vector<std::uint64_t>& counts = rows_.back().byBestMatch;
    walk_->nextUnit([&](const std::uint8_t* before, const std::uint8_t* last, int) {
        ++counts[static_cast<std::size_t>(mostHits(before, last, 0, stride))];
    });
}

bool CoverageJob::advance(std::chrono::nanoseconds budget) {
    const auto deadline = std::chrono::steady_clock::now() + budget;
    while (!ended_ && !stopped_) {
        if (!coverageDone_) {
            walkCoverageUnit();
            if (walk_->ended()) {
                coverageDone_ = true;
                workDone_ += walk_->sets();
                walk_.reset();
            }
        } else if (!walk_) {
            if (row_ == rowSizes_.size()) {
                ended_ = true;
                break;
            }
            startRow();
            if (!walk_) ++row_;
        } else {
            walkRowUnit();
            if (walk_->ended()) {
                workDone_ += walk_->sets();
                walk_.reset();
                ++row_;
            }
        }
        if (std::chrono::steady_clock::now() >= deadline) break;
    }
    if (stopped_) ended_ = true;
    return ended_;
}

void CoverageJob::runToEnd() {
    while (!advance(std::chrono::hours(1))) {}
}

double CoverageJob::progress() const {
    if (workTotal_ == 0 || ended_) return 1.0;
    const std::uint64_t walking = walk_ ? walk_->setsWalked() : 0;
    return static_cast<double>(workDone_ + walking) / static_cast<double>(workTotal_);
}

} // namespace orvane
