#include "pool/PoolSteps.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace orvane::pool_steps {

namespace {

// Blocks scored between two looks at the clock.
constexpr std::size_t kBlocksPerClockCheck = 1024;

// Each draw's weight: how often its numbers occur in the recent window. The
// usual ticket size is a constant here, so that its loop is unrolled.
template <std::size_t Width>
void weighDraws(const NumberRows& numbers, const std::array<std::uint64_t, Game::kLargestHighest + 1>& recent,
                std::vector<std::uint64_t>& weights) {
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const std::span<const int, Width> row(numbers[i].data(), numbers[i].size());
        std::uint64_t weight = 0;
        for (int number : row) weight += recent[static_cast<std::size_t>(number)];
        weights[i] = weight;
    }
}

} // namespace

BlockScan::BlockScan(const GameReportDraws& draws, int trendLength)
    : trend_(trendLength), blockCount_(draws.size() - 2 * static_cast<std::size_t>(trendLength) - 1) {
    // The recent window: the trend's draws before the latest one, records
    // D - T to D - 1 (indices D - T - 1 to D - 2).
    std::array<std::uint64_t, Game::kLargestHighest + 1> recent{};
    const std::size_t last = draws.size() - 1;
    for (std::size_t i = last - static_cast<std::size_t>(trendLength); i < last; ++i)
        for (int number : draws.numbers[i]) ++recent[static_cast<std::size_t>(number)];
    // Only the draws a block can hold need a weight: blocks end before the window.
    weights_.resize(blockCount_ + static_cast<std::size_t>(trendLength) - 1);
    if (draws.game.perTicket() == static_cast<int>(std::tuple_size_v<ReportDraw>))
        weighDraws<std::tuple_size_v<ReportDraw>>(draws.numbers, recent, weights_);
    else
        weighDraws<std::dynamic_extent>(draws.numbers, recent, weights_);
    scores_.reserve(blockCount_);
}

std::uint64_t BlockScan::scoreBlocks(std::size_t most) {
    const std::size_t stop = std::min(blockCount_, scores_.size() + most);
    const auto trend = static_cast<std::size_t>(trend_);
    for (std::size_t k = scores_.size(); k < stop; ++k) {
        // Block k + 1 holds the draws at indices k to k + T - 1.
        if (k == 0)
            running_ = std::accumulate(weights_.begin(), weights_.begin() + trend_, std::uint64_t{0});
        else
            running_ = running_ + weights_[k + trend - 1] - weights_[k - 1];
        scores_.push_back(running_);
    }
    return running_;
}

std::vector<ScoredBlock> BlockScan::bestGroups(int count) const {
    // The highest scores first, the earlier block first among equal ones: the
    // order in which taking the first block of the highest score, slot after
    // slot, uses them up.
    std::vector<std::size_t> order(scores_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const std::size_t taken = std::min(order.size(), static_cast<std::size_t>(std::max(count, 0)));
    std::partial_sort(
        order.begin(), order.begin() + static_cast<std::ptrdiff_t>(taken), order.end(),
        [this](std::size_t a, std::size_t b) { return scores_[a] != scores_[b] ? scores_[a] > scores_[b] : a < b; });
    std::vector<ScoredBlock> groups(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t g = 0; g < taken && scores_[order[g]] > 0; ++g) {
        const int start = static_cast<int>(order[g]) + 1;
        groups[g] = ScoredBlock{start, start + trend_, scores_[order[g]]};
    }
    return groups;
}

Ranking rankCounts(std::span<const std::uint64_t> counts) {
    Ranking ranking;
    auto& rows = ranking.rows;
    rows.resize(counts.size());
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = RankedNumber{static_cast<int>(i) + 1, counts[i]};
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = i + 1; j < rows.size(); ++j)
            if (rows[i].count < rows[j].count) {
                std::swap(rows[i], rows[j]);
                ++ranking.swaps;
            }
    return ranking;
}

Ranking rankFollowingDraws(const GameReportDraws& draws, const std::vector<ScoredBlock>& groups, int followingDraws,
                           bool bonus) {
    const NumberRows& rows = bonus ? draws.bonus : draws.numbers;
    const int highest = bonus ? draws.game.bonusPool() : draws.game.highest();
    std::vector<std::uint64_t> counts(static_cast<std::size_t>(highest) + 1);
    for (const ScoredBlock& group : groups) {
        if (group.end <= 0) continue; // an empty slot follows no stretch of the history
        // Records end + 1 to end + N are at indices end to end + N - 1.
        const auto first = static_cast<std::size_t>(group.end);
        const std::size_t stop = std::min(draws.size(), first + static_cast<std::size_t>(followingDraws));
        for (std::size_t i = first; i < stop; ++i)
            for (int number : rows[i]) ++counts[static_cast<std::size_t>(number)];
    }
    return rankCounts(std::span<const std::uint64_t>(counts).subspan(1));
}

std::vector<int> poolOf(const Ranking& ranking, int poolSize) {
    const std::size_t size = std::min(ranking.rows.size(), static_cast<std::size_t>(std::max(poolSize, 0)));
    std::vector<int> pool;
    pool.reserve(size);
    for (std::size_t i = 0; i < size; ++i) pool.push_back(ranking.rows[i].number);
    return pool;
}

SharedWork::SharedWork(GameReportDraws historyDraws, int trendLength)
    : draws(std::move(historyDraws)), scan(draws, trendLength) {}

Pass::Pass(SharedWork& work, PoolParameters parameters, std::string trendText, std::string groupsText)
    : work_(work), parameters_(parameters), trendText_(std::move(trendText)), groupsText_(std::move(groupsText)) {}

bool Pass::unit(Clock::time_point deadline, std::string& action, std::string& status) {
    switch (stage_) {
    case Stage::Count:
        action = "Step 1: Counting total draws in history file.";
        status = std::to_string(work_.draws.size()) + " draws found.";
        stage_ = Stage::Recent;
        return true;
    case Stage::Recent:
        // The recent window was taken when the history was read.
        action = "Step 2: Loading last " + trendText_ + " draws into memory.";
        stage_ = Stage::ScanBegin;
        return true;
    case Stage::ScanBegin:
    case Stage::Scan: {
        const bool begins = stage_ == Stage::ScanBegin;
        if (begins) action = "Step 3: Scanning history file for numerically similar groups...";
        // A pass after the first finds the blocks scored and shows the last score.
        do lastScore_ = work_.scan.scoreBlocks(kBlocksPerClockCheck);
        while (!work_.scan.finished() && Clock::now() < deadline);
        status = "Tested block scores " + std::to_string(lastScore_);
        stage_ = work_.scan.finished() ? Stage::Groups : Stage::Scan;
        return begins;
    }
    case Stage::Groups:
        action = "Step 4: Seeking the " + groupsText_ + " best scoring groups in the history...";
        status = "Analyzing Records...";
        if (!work_.groups) work_.groups = work_.scan.bestGroups(parameters_.bestGroups);
        stage_ = parameters_.bestGroups > 0 ? Stage::Slots : Stage::Ranking;
        return true;
    case Stage::Slots: {
        const ScoredBlock& group = (*work_.groups)[static_cast<std::size_t>(slot_)];
        ++slot_;
        status = "Locating Group " + std::to_string(slot_) + "\r\nScore: " + std::to_string(group.score);
        if (slot_ == parameters_.bestGroups) stage_ = Stage::Ranking;
        return false;
    }
    case Stage::Ranking: {
        const auto following = static_cast<std::size_t>(parameters_.followingDraws - 1);
        std::optional<Ranking>& ranking = work_.rankings[following];
        if (!ranking) ranking = rankFollowingDraws(work_.draws, *work_.groups, parameters_.followingDraws);
        std::optional<Ranking>& bonusRanking = work_.bonusRankings[following];
        if (!bonusRanking && work_.draws.game.hasBonusPool())
            bonusRanking = rankFollowingDraws(work_.draws, *work_.groups, parameters_.followingDraws, true);
        // The sort shows its running swap count; a slice sees where it ended.
        if (ranking->swaps > 0) status = "Swapped: " + std::to_string(ranking->swaps);
        stage_ = Stage::Gathering;
        return false;
    }
    case Stage::Gathering:
        action = "Gathering requested number pool...";
        status = "Working...";
        stage_ = Stage::Complete;
        return true;
    case Stage::Complete:
        action = "All Operations Complete.";
        status = action;
        stage_ = Stage::Finished;
        return true;
    case Stage::Finished: return false;
    }
    return false;
}

PoolOutcome Pass::outcome() const {
    PoolOutcome outcome;
    outcome.draws = work_.draws.size();
    outcome.blocksTested = work_.scan.blockCount();
    if (work_.groups) outcome.bestGroups = *work_.groups;
    const auto following = static_cast<std::size_t>(parameters_.followingDraws - 1);
    if (const std::optional<Ranking>& ranking = work_.rankings[following]) {
        outcome.ranking = ranking->rows;
        outcome.swaps = ranking->swaps;
        outcome.pool = poolOf(*ranking, parameters_.poolSize);
    }
    if (const std::optional<Ranking>& ranking = work_.bonusRankings[following]) {
        outcome.bonusRanking = ranking->rows;
        outcome.bonusPool = poolOf(*ranking, parameters_.bonusPoolSize);
    }
    return outcome;
}

} // namespace orvane::pool_steps
