#pragma once

// Changes to the user's own games file (MYGAMES.TXT): a game added, put in
// place of another, or taken out. Only that game's line changes; comments,
// blank lines and lines the program cannot read stay as the user wrote them.
// The file is replaced whole and at once, so a failure leaves it as it was.

#include "core/DataPaths.h"
#include "core/Game.h"

#include <optional>
#include <string>

namespace orvane {

// Adds `game`, or writes it in place of the game named `replacing` when the
// file holds one. Why it failed, naming the file, when it did.
std::optional<std::string> saveOwnGame(const DataPaths& paths, const Game& game, const std::string& replacing = {});

// Takes out the game named `name`; nothing happens when the file holds none.
std::optional<std::string> removeOwnGame(const DataPaths& paths, const std::string& name);

} // namespace orvane
