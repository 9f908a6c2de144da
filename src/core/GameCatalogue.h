#pragma once

// The games known by name: the catalogue shipped with the program and the
// user's own games (MYGAMES.TXT in the data folder, which only Define a Game,
// Edit and Remove write), in one form: a game a line, "name | matrix | extra | tiers".

#include "core/DataPaths.h"
#include "core/Game.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct GameList {
    std::vector<Game> games;
    std::vector<std::string> problems; // "MYGAMES.TXT, line 4: ..." for each line left out
};

// Reads a catalogue's text; `fileName` names it in the problems. A bad line is
// left out and named; the good ones are kept.
GameList readGameList(std::string_view text, std::string_view fileName);

// The prize tiers of a game line's last part, "5+1, 5, 4+x"; nothing, and
// why, when a token is no tier. Empty text gives no tiers.
std::optional<std::vector<PrizeTier>> tiersOfText(std::string_view text, std::string* problem = nullptr);
// The same part written from tiers: "5+1, 5, 4+x".
std::string tiersText(const std::vector<PrizeTier>& tiers);
// A game as its line in a games file: "Powerball | 5/69+1/26 |  | 5+1, 5, ...".
std::string gameLine(const Game& game);
// Whether two game names are the same, letter case aside.
bool sameGameName(std::string_view a, std::string_view b);

// The catalogue shipped with the program, built into it.
const std::vector<Game>& catalogueGames();

// The user's own games file in the data folder.
std::string ownGamesPath(const DataPaths& paths);
// The user's own games; a missing file holds none.
GameList readOwnGames(const DataPaths& paths);
// The catalogue's games, then the user's own (those the file holds that can be read).
std::vector<Game> knownGames(const DataPaths& paths);

// The game `text` names among `games`: a name (in any letter case), else a
// matrix ("5/39", "5/69+1/26"), which takes the first game of that matrix or,
// with none, the matrix alone with the usual tiers. Nothing, and why, when it
// names no game.
std::optional<Game> findGame(std::string_view text, const std::vector<Game>& games, std::string* problem = nullptr);

} // namespace orvane
