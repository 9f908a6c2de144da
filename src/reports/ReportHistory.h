#pragma once

#include "core/Game.h"
#include "core/Notice.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <utility>
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

// Rows of the same count of numbers kept end to end in one array: a long
// history costs no allocation per draw.
class NumberRows {
public:
    explicit NumberRows(std::size_t numbersPerRow = 0) : width_(numbersPerRow) {}
    // Adds a row of the rows' count of numbers (a longer one is cut, a shorter one padded with 0).
    void add(std::span<const int> row);
    void reserve(std::size_t rows) { numbers_.reserve(rows * width_); }
    // Adds `count` rows of zeros and gives their numbers, end to end, to be filled.
    std::span<int> appendRows(std::size_t count);
    std::size_t size() const { return rows_; }
    std::span<const int> operator[](std::size_t row) const { return {numbers_.data() + row * width_, width_}; }

    class Iterator {
    public:
        Iterator(const NumberRows& rows, std::size_t row) : rows_(&rows), row_(row) {}
        std::span<const int> operator*() const { return (*rows_)[row_]; }
        Iterator& operator++() {
            ++row_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return row_ == other.row_; }

    private:
        const NumberRows* rows_;
        std::size_t row_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, size()}; }

    bool operator==(const NumberRows&) const = default;

private:
    std::size_t width_;
    std::size_t rows_ = 0;
    std::vector<int> numbers_;
};

// The draws of any game as the reports see them, oldest first. The game is
// given to the constructor, which sizes the rows by it.
struct GameReportDraws {
    Game game;
    NumberRows numbers; // each draw's k main numbers, ascending
    NumberRows bonus;   // each draw's bonus-pool numbers, ascending; empty rows without a pool

    GameReportDraws() : GameReportDraws(Game::lotto649()) {}
    explicit GameReportDraws(Game played)
        : game(std::move(played)), numbers(static_cast<std::size_t>(game.perTicket())),
          bonus(static_cast<std::size_t>(game.bonusDrawn())) {}
    // 6/49 draws: implicit, so that 6/49 code passes its draws as they are.
    GameReportDraws(const std::vector<ReportDraw>& lotto649Draws); // NOLINT(google-explicit-constructor)
    GameReportDraws(std::span<const ReportDraw> lotto649Draws);    // NOLINT(google-explicit-constructor)

    void add(std::span<const int> mainNumbers, std::span<const int> bonusNumbers) {
        numbers.add(mainNumbers);
        bonus.add(bonusNumbers);
    }
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
