#include "cli/GameOption.h"

#include "cli/CommandLine.h"
#include "core/GameCatalogue.h"
#include "core/PickText.h"

namespace orvane {

CLI::Option* addGameOption(CLI::App& command, GameChoice& choice, const CommandContext& context,
                           std::function<void(const Game&)> chosen) {
    return command
        .add_option_function<std::string>(
            "--game",
            [&choice, paths = context.paths, chosen = std::move(chosen)](const std::string& text) {
                std::string problem;
                choice.named = findGame(text, knownGames(paths), &problem);
                if (!choice.named) throw CLI::ValidationError("--game", problem);
                if (chosen) chosen(*choice.named);
            },
            "The game: a name that 'orvane games' lists, or a matrix such as 5/39 or 5/69+1/26 (6/49 when left out)")
        ->type_name("GAME")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->trigger_on_parse(); // the game is known before the other options are checked
}

std::vector<int> bonusFromList(const Game& game, const std::string& list) {
    std::vector<int> bonus;
    if (list.empty()) return bonus;
    if (!game.hasBonusPool()) throw CLI::ValidationError("--bonus", "the game " + game.title() + " has no bonus pool");
    const std::string error = parsePickList(list, bonus, game.bonusPool());
    if (!error.empty()) throw CLI::ValidationError("--bonus", error);
    return bonus;
}

} // namespace orvane
