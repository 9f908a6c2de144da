#include "pool/PoolBatch.h"

#include "pool/PoolSteps.h"
#include "reports/ReportHistory.h"

namespace orvane {

using pool_steps::Clock;

namespace {

constexpr int kBatchTrendLength = 5;
constexpr int kMostFollowingDraws = 5;

} // namespace

struct PoolBatchJob::State {
    std::string historyPath;
    Game game = Game::lotto649();
    int bestGroups = 0;
    std::string bestGroupsText;
    bool ended = false;
    int followingDraws = 1;
    int pass = 1;
    std::unique_ptr<pool_steps::SharedWork> work; // the scan and groups every pass shares
    std::unique_ptr<pool_steps::Pass> running;
    std::string action;
    std::string status;
    std::optional<Notice> failure;
    std::optional<PoolOutcome> outcome;

    PoolParameters parameters() const {
        return PoolParameters{kBatchTrendLength, bestGroups, game.highest(), followingDraws, game.bonusPool()};
    }

    void beginPass() {
        running =
            std::make_unique<pool_steps::Pass>(*work, parameters(), std::to_string(kBatchTrendLength), bestGroupsText);
    }

    // Reads the history once for all passes and checks the batch's values against it.
    void start() {
        GameReportHistory history = readGameReportHistory(game, historyPath);
        if (!history.ok())
            failure = history.failure;
        else
            failure = checkPoolParameters(parameters(), history.draws.size(), game);
        if (failure) {
            ended = true;
            return;
        }
        work = std::make_unique<pool_steps::SharedWork>(std::move(history.draws), kBatchTrendLength);
        beginPass();
    }

    void finish() {
        ended = true;
        running.reset();
        work.reset();
    }

    // One unit of the pass in progress; true when it began a step. A pass
    // that finishes leaves its result and makes way for the next.
    bool unit(Clock::time_point deadline) {
        if (!work) {
            start();
            if (ended) return false;
        }
        const bool began = running->unit(deadline, action, status);
        if (!running->finished()) return began;
        outcome = running->outcome();
        if (pass < kPassesPerDrawCount) {
            ++pass;
        } else if (followingDraws < kMostFollowingDraws) {
            ++followingDraws;
            pass = 1;
        } else {
            finish();
            return began;
        }
        beginPass();
        return began;
    }
};

PoolBatchJob::PoolBatchJob(std::string historyPath, int bestGroups, std::string bestGroupsText, Game game)
    : state_(std::make_unique<State>()) {
    state_->historyPath = std::move(historyPath);
    state_->game = std::move(game);
    state_->bestGroups = bestGroups;
    state_->bestGroupsText = std::move(bestGroupsText);
}

PoolBatchJob::~PoolBatchJob() = default;

// As a pool run's: at least one unit per call, the slice ending where a step begins.
bool PoolBatchJob::advance(std::chrono::nanoseconds budget) {
    const Clock::time_point deadline = Clock::now() + budget;
    while (!state_->ended) {
        const bool began = state_->unit(deadline);
        if (began || Clock::now() >= deadline) break;
    }
    return state_->ended;
}

void PoolBatchJob::runToEnd() {
    while (!advance(std::chrono::hours(1))) {}
}

// The result of the last finished pass stays.
void PoolBatchJob::stop() {
    if (!state_->ended) state_->finish();
}

bool PoolBatchJob::ended() const { return state_->ended; }
int PoolBatchJob::followingDraws() const { return state_->followingDraws; }
int PoolBatchJob::pass() const { return state_->pass; }
const std::string& PoolBatchJob::action() const { return state_->action; }
const std::string& PoolBatchJob::status() const { return state_->status; }
const std::optional<Notice>& PoolBatchJob::failure() const { return state_->failure; }
const std::optional<PoolOutcome>& PoolBatchJob::outcome() const { return state_->outcome; }

} // namespace orvane
