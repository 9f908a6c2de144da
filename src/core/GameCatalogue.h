#pragma once

// The games known by name: the catalogue shipped with the program and the
// user's own games (MYGAMES.TXT in the data folder, which the program reads
// but never writes), in one form: a game a line, "name | matrix | extra | tiers".

#include "core/DataPaths.h"
#include "core/Game.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct GameList {
    std::vector<Game> games;
    std::vector<std::string> problems;   // "MYGAMES.TXT, line 4: ..." for each line left out
};

// Reads a catalogue's text; `fileName` names it in the problems. A bad line is
// left out and named; the good ones are kept.
GameList readGameList(std::string_view text, std::string_view fileName);

// The catalogue shipped with the program, built into it.
const std::vector<Game>& catalogueGames();

// The user's own games file in the data folder.
std::string ownGamesPath(const DataPaths& paths);
// The user's own games; a missing file holds none.
GameList readOwnGames(const DataPaths& paths);

// The game `text` names among `games`: a name (in any letter case), else a
// matrix ("5/39", "5/69+1/26"), which takes the first game of that matrix or,
// with none, the matrix alone with the usual tiers. Nothing, and why, when it
// names no game.
std::optional<Game> findGame(std::string_view text, const std::vector<Game>& games, std::string* problem = nullptr);

} // namespace orvane
