#include "wheel/GameWheelStart.h"

#include "wheel/FilterBoxes.h"
#include "wheel/GameRunPreparation.h"
#include "wheel/RunPreparation.h"

namespace orvane {

namespace {
GameWheelStart refuse(GameWheelStart start, Notice why) {
    start.refusal = std::move(why);
    return start;
}
Notice startProblem(std::string text) { return Notice{std::move(text), "Problem", NoticeIcon::Exclamation}; }
} // namespace

int minimumPoolSize(const Game& game) { return game.perTicket() + 1; }

Notice poolTooSmallNotice(const Game& game) {
    return startProblem("Not enough numbers have been selected.  You must select at least " +
                   std::to_string(minimumPoolSize(game)) + " numbers in order to wheel them.");
}

std::optional<Notice> bonusPickProblem(const Game& game, const std::vector<int>& pickedBonus) {
    if (pickedBonus.empty()) return std::nullopt;
    if (!game.hasBonusPool())
        return startProblem("The game " + game.title() + " has no bonus pool, so no bonus numbers can be picked.");
    for (int n : pickedBonus)
        if (n < 1 || n > game.bonusPool())
            return startProblem("The bonus number " + std::to_string(n) + " lies outside the bonus numbers 1 to " +
                           std::to_string(game.bonusPool()) + ".");
    if (static_cast<int>(pickedBonus.size()) < game.bonusDrawn())
        return startProblem("A line of " + game.title() + " holds " + std::to_string(game.bonusDrawn()) +
                       " bonus numbers: pick at least " + std::to_string(game.bonusDrawn()) +
                       ", or none to write the main sets alone.");
    return std::nullopt;
}

GameWheelStart startGameWheel(GameWheelRequest request) {
    GameWheelStart start;
    const Game& game = request.game;
    if (std::optional<Notice> boxProblem = checkFilterBoxes(request.controls, game)) {
        start.normalised = std::move(request.controls);
        start.pick = std::move(request.pick);
        return refuse(std::move(start), *boxProblem);
    }
    start.normalised = std::move(request.controls);
    start.pick = gamePickWithExactValues(request.pick, start.normalised, game);
    start.notices = normaliseForRun(start.normalised, game);
    if (static_cast<int>(start.pick.size()) < minimumPoolSize(game))
        return refuse(std::move(start), poolTooSmallNotice(game));
    for (int n : start.pick)
        if (n < 1 || n > game.highest())
            return refuse(std::move(start), startProblem("The number " + std::to_string(n) + " is no number of " +
                                                    game.title() + ", whose numbers run from 1 to " +
                                                    std::to_string(game.highest()) + "."));
    if (std::optional<Notice> bonus = bonusPickProblem(game, request.pickedBonus))
        return refuse(std::move(start), *bonus);

    GameRunTables tables;
    if (auto history = readGameRunTables(start.normalised, game, request.historyPath, tables))
        return refuse(std::move(start), *history);

    std::unique_ptr<FileWheelOutput> output;
    if (request.openOutput) {
        Notice failure;
        output = request.openOutput(failure);
        if (!output && !failure.text.empty()) return refuse(std::move(start), failure);
    }
    start.job = std::make_unique<GameWheel>(game, start.pick, request.pickedBonus,
                                            compileGameRules(game, start.normalised, tables), std::move(output),
                                            isChecked(start.normalised.enableRavelin));
    return start;
}

} // namespace orvane
