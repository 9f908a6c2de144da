#include "pool/PoolJob.h"

#include "pool/PoolSteps.h"
#include "reports/ReportHistory.h"

namespace orvane {

using pool_steps::Clock;

struct PoolJob::State {
    std::string historyPath;
    Game game = Game::lotto649();
    PoolParameters parameters;
    PoolRunTexts texts;
    bool ended = false;
    std::unique_ptr<pool_steps::SharedWork> work; // once the history is read
    std::unique_ptr<pool_steps::Pass> pass;
    std::string action;
    std::string status;
    std::optional<Notice> failure;
    std::optional<PoolOutcome> outcome;

    // Reads the history and checks the parameters against it; the run ends
    // here, before any step, when either fails.
    void start() {
        GameReportHistory history = readGameReportHistory(game, historyPath);
        if (!history.ok())
            failure = history.failure;
        else
            failure = checkPoolParameters(parameters, history.draws.size(), game);
        if (failure) {
            ended = true;
            return;
        }
        work = std::make_unique<pool_steps::SharedWork>(std::move(history.draws), parameters.trendLength);
        pass = std::make_unique<pool_steps::Pass>(*work, parameters, texts.trendLength, texts.bestGroups);
    }

    // One unit of the run; true when it began a step.
    bool unit(Clock::time_point deadline) {
        if (!work) {
            start();
            if (ended) return false;
        }
        const bool began = pass->unit(deadline, action, status);
        if (pass->finished()) {
            outcome = pass->outcome();
            ended = true;
            pass.reset();
            work.reset();
        }
        return began;
    }
};

PoolJob::PoolJob(std::string historyPath, PoolParameters parameters, PoolRunTexts texts, Game game)
    : state_(std::make_unique<State>()) {
    state_->historyPath = std::move(historyPath);
    state_->game = std::move(game);
    state_->parameters = parameters;
    state_->texts = std::move(texts);
}

PoolJob::~PoolJob() = default;

// Each call does at least one unit, and ends its slice early where a step
// begins, so that a window showing the texts after every slice shows every
// step's title.
bool PoolJob::advance(std::chrono::nanoseconds budget) {
    const Clock::time_point deadline = Clock::now() + budget;
    while (!state_->ended) {
        const bool began = state_->unit(deadline);
        if (began || Clock::now() >= deadline) break;
    }
    return state_->ended;
}

void PoolJob::runToEnd() {
    while (!advance(std::chrono::hours(1))) {}
}

void PoolJob::stop() {
    if (state_->ended) return;
    state_->ended = true;
    state_->outcome.reset();
    state_->pass.reset();
    state_->work.reset();
}

bool PoolJob::ended() const { return state_->ended; }
const std::string& PoolJob::action() const { return state_->action; }
const std::string& PoolJob::status() const { return state_->status; }
const std::optional<Notice>& PoolJob::failure() const { return state_->failure; }
const std::optional<PoolOutcome>& PoolJob::outcome() const { return state_->outcome; }

} // namespace orvane
