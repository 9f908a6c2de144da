#include "wheel/GameWheelStart.h"

#include "core/SetWalk.h"
#include "wheel/FilterBoxes.h"
#include "wheel/GameRunPreparation.h"
#include "wheel/RunPreparation.h"

#include <cstdio>
#include <filesystem>

namespace orvane {

namespace {
GameWheelStart refuse(GameWheelStart start, Notice why) {
    start.refusal = std::move(why);
    return start;
}
Notice startProblem(std::string text) { return Notice{std::move(text), "Problem", NoticeIcon::Exclamation}; }
} // namespace

int minimumPoolSize(const Game& game) { return game.perTicket() + 1; }

std::uint64_t mostOutputBytes(const Game& game, std::uint64_t sets, std::uint64_t linesPerSet, bool numbered) {
    const std::uint64_t lines = sets * linesPerSet;
    // "90 " a number, " + " and "26 " a bonus number, CR LF; "N : " in front when numbered.
    std::uint64_t perLine = 3 * static_cast<std::uint64_t>(game.perTicket()) + 2;
    if (game.hasBonusPool()) perLine += 2 + 3 * static_cast<std::uint64_t>(game.bonusDrawn());
    if (numbered) perLine += std::to_string(lines).size() + 3;
    return lines * perLine;
}

std::optional<Notice> outputWouldNotFit(const std::string& path, std::uint64_t bytes) {
    std::error_code failed;
    std::filesystem::path folder = std::filesystem::absolute(path, failed).parent_path();
    const std::filesystem::space_info space = std::filesystem::space(folder, failed);
    if (failed || bytes <= space.available) return std::nullopt;
    auto gigabytes = [](std::uint64_t n) {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(n) / 1e9);
        return std::string(text);
    };
    return Notice{"The sets of this pick could take up to " + gigabytes(bytes) + " in the wheel output file " + path +
                      ", more than the " + gigabytes(space.available) +
                      " free on its disk. Pick fewer numbers, or send the output nowhere.",
                  "Output File Error", NoticeIcon::Exclamation};
}

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
            return refuse(std::move(start),
                          startProblem("The number " + std::to_string(n) + " is no number of " + game.title() +
                                       ", whose numbers run from 1 to " + std::to_string(game.highest()) + "."));
    if (std::optional<Notice> bonus = bonusPickProblem(game, request.pickedBonus))
        return refuse(std::move(start), *bonus);

    GameRunTables tables;
    if (auto history = readGameRunTables(start.normalised, game, request.historyPath, tables))
        return refuse(std::move(start), *history);

    std::unique_ptr<WheelOutput> output;
    if (request.openOutput) {
        Notice failure;
        const std::uint64_t linesPerSet =
            request.pickedBonus.empty() ? 1 : bonusParts(request.pickedBonus, game.bonusDrawn()).size();
        output = request.openOutput(
            mostOutputBytes(game, game.setsOfPick(static_cast<int>(start.pick.size())), linesPerSet, true), failure);
        if (!output && !failure.text.empty()) return refuse(std::move(start), failure);
    }
    start.job = std::make_unique<GameWheel>(game, start.pick, request.pickedBonus,
                                            compileGameRules(game, start.normalised, tables), std::move(output),
                                            isChecked(start.normalised.enableRavelin));
    return start;
}

} // namespace orvane
