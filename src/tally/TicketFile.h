#pragma once

// The lines of a ticket file of a game: a wheel output file (plain or numbered
// lines, "5 12 23 34 41 + 7" for a game with a bonus pool) or an abbreviated
// wheel's list, whose heading (up to its first empty line) is passed over.

#include "core/Game.h"
#include "core/Notice.h"
#include "tally/GameWinTally.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct TicketFileRead {
    std::vector<GameLine> lines;
    std::optional<Notice> failure; // names the file, and the line that holds no line of the game
};

TicketFileRead readTicketText(std::string_view text, const Game& game, const std::string& path);
TicketFileRead readTicketFile(const std::string& path, const Game& game);

} // namespace orvane
