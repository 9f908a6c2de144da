#pragma once

#include "core/Game.h"
#include "history/DrawRecording.h"
#include "history/GameHistory.h"

#include <string>

namespace orvane {

// Records `draw` in the history file of `game` at `path` (created when
// missing), as recording a 6/49 draw does: the numbers smallest first, a draw
// later than every other at the end, an earlier one just after the last draw
// dated before it with every other byte as it was, a date the history holds
// already refused, and the file replaced whole through a temporary file or
// left as it was. `placedBefore` is "YYYY-MM-DD".
DrawRecording recordGameDraw(const std::string& path, const Game& game, GameDraw draw);

} // namespace orvane
