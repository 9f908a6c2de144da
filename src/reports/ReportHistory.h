#pragma once

#include "core/Game.h"
#include "core/Notice.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// One past draw as the reports see it: its six numbers in ascending order.
using ReportDraw = std::array<int, 6>;

// Every draw of the history file, oldest first, or the notice that stops a
// report (and then `draws` is empty).
struct ReportHistory {
    std::vector<ReportDraw> draws;
    std::optional<Notice> failure;
    bool ok() const { return !failure.has_value(); }
};

// Reads the history for a report. A missing file gives the "Cannot Execute
// Command" notice; a line that is not one record of a date and six different
// numbers from 1 to 49 gives a notice naming the file and the line. A record
// typed in another order is read with its numbers sorted.
ReportHistory readReportHistory(const std::string& path);

// "The file PATH could not be opened. ..." titled "Cannot Execute Command".
Notice historyNotOpenedNotice(const std::string& path);

// The draws of any game as the reports see them, oldest first.
struct GameReportDraws {
    Game game = Game::lotto649();
    std::vector<std::vector<int>> numbers; // each draw's k main numbers, ascending
    std::vector<std::vector<int>> bonus;   // each draw's bonus-pool numbers, ascending; none without a pool

    GameReportDraws() = default;
    GameReportDraws(Game played, std::vector<std::vector<int>> mainNumbers, std::vector<std::vector<int>> bonusNumbers);
    // 6/49 draws: implicit, so that 6/49 code passes its draws as they are.
    GameReportDraws(const std::vector<ReportDraw>& lotto649Draws); // NOLINT(google-explicit-constructor)
    GameReportDraws(std::span<const ReportDraw> lotto649Draws);    // NOLINT(google-explicit-constructor)

    std::size_t size() const { return numbers.size(); }
};

struct GameReportHistory {
    GameReportDraws draws;
    std::optional<Notice> failure;
    bool ok() const { return !failure.has_value(); }
};

// The history of `game` for a report: 6/49's file as readReportHistory reads
// it, another game's as its history file (with the same notice for a file that
// cannot be opened, and one naming the line that is no draw of the game).
GameReportHistory readGameReportHistory(const Game& game, const std::string& path);

} // namespace orvane
