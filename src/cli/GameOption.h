#pragma once

#include "cli/Command.h"
#include "core/Game.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The game a command works with: the one --game names, 6/49 without it.
struct GameChoice {
    std::optional<Game> named;
    Game game() const { return named.value_or(Game::lotto649()); }
    // A game other than 6/49, which has files and runs of its own.
    bool otherThanLotto649() const { return named && !named->isLotto649(); }
};

// Adds --game GAME: a catalogue or own game by name, or a matrix ("5/39",
// "5/69+1/26"). It is read as soon as it is met, so the checks of the other
// options know the game.
// `chosen`, when given, runs once the game is known.
CLI::Option* addGameOption(CLI::App& command, GameChoice& choice, const CommandContext& context,
                           std::function<void(const Game&)> chosen = {});

// The bonus numbers of --bonus LIST for `game`, ascending; none for an empty
// list. Throws CLI's validation error when the game has no bonus pool or the
// list is not one of its numbers.
std::vector<int> bonusFromList(const Game& game, const std::string& list);

} // namespace orvane
