#pragma once

#include "core/Combination.h"
#include "core/Game.h"
#include "core/Notice.h"
#include "cover/Guarantee.h"
#include "wheel/WheelOutput.h"

#include <string>
#include <vector>

namespace orvane {

// An abbreviated wheel as the window shows and prints it, CR LF lines:
//   Abbreviated wheel: 15 tickets; guarantee 3 if 3 verified
//   Pool (12 numbers): 01 02 03 ...
//   (blank)
//    1: 01 02 04 07 08 11
// A game with a bonus pool shows each ticket with the bonus numbers it is
// written with (" 1: 01 02 03 04 05 + 7"), as gameCoverLines pairs them.
std::string coverListText(const std::vector<int>& pool, Guarantee guarantee,
                          const std::vector<std::vector<int>>& tickets, const Game& game = Game::lotto649(),
                          const std::vector<int>& pickedBonus = {});

// Records the tickets to a wheel output, each counted as a passing set, and
// closes it. False, with `failure` filled, when the output could not be written.
bool writeCoverTickets(const std::vector<Combination>& tickets, WheelOutput& output, Notice& failure);

// The tickets of another game's list as its output lines, "1 2 3 4 5 + 7". A
// game with a bonus pool takes the choices of the picked bonus numbers in turn,
// ticket by ticket, so that each is on as many tickets as any other, give or
// take one; with none picked the tickets are written alone.
std::vector<std::string> gameCoverLines(const std::vector<std::vector<int>>& tickets, const Game& game,
                                        const std::vector<int>& pickedBonus);
// Records the lines to a wheel output, each counted as a passing line, and closes it.
bool writeCoverLines(const std::vector<std::string>& lines, WheelOutput& output, Notice& failure);
// The list of the game as its output: 6/49's as six-number sets (writeCoverTickets), another game's as
// its lines (gameCoverLines).
bool writeCoverList(const std::vector<std::vector<int>>& tickets, const Game& game, const std::vector<int>& pickedBonus,
                    WheelOutput& output, Notice& failure);

} // namespace orvane
