#include "cli/GameOption.h"

#include "core/GameCatalogue.h"

namespace orvane {

CLI::Option* addGameOption(CLI::App& command, GameChoice& choice, const CommandContext& context,
                           std::function<void(const Game&)> chosen) {
    return command
        .add_option_function<std::string>(
            "--game",
            [&choice, paths = context.paths, chosen = std::move(chosen)](const std::string& text) {
                std::vector<Game> games = catalogueGames();
                for (Game& own : readOwnGames(paths).games) games.push_back(std::move(own));
                std::string problem;
                choice.named = findGame(text, games, &problem);
                if (!choice.named) throw CLI::ValidationError("--game", problem);
                if (chosen) chosen(*choice.named);
            },
            "The game: a name that 'orvane games' lists, or a matrix such as 5/39 or 5/69+1/26 (6/49 when left out)")
        ->type_name("GAME")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->trigger_on_parse();   // the game is known before the other options are checked
}

} // namespace orvane
