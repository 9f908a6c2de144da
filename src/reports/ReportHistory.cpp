#include "reports/ReportHistory.h"

#include "history/GameHistory.h"
#include "history/HistoryFile.h"

#include <algorithm>
#include <fstream>

namespace orvane {

namespace {

Notice malformedNotice(std::string text) { return Notice{std::move(text), "History File", NoticeIcon::Exclamation}; }

// The line of the file that holds the record at `recordIndex`: the record
// reader passes over blank lines, so they are passed over here too.
std::size_t lineOfRecord(const std::string& path, std::size_t recordIndex) {
    const HistoryLines read = readHistoryLines(path);
    std::size_t records = 0;
    for (std::size_t i = 0; i < read.lines.size(); ++i) {
        if (read.lines[i].find_first_not_of(" \t") == std::string::npos) continue;
        if (records == recordIndex) return i + 1;
        ++records;
    }
    return recordIndex + 1;
}

} // namespace

Notice historyNotOpenedNotice(const std::string& path) {
    return Notice{"The file " + path +
                      " could not be opened.  It may not exist, has been renamed, or is currently in use by some "
                      "other process.",
                  "Cannot Execute Command", NoticeIcon::Exclamation};
}

namespace {

// Reads the 6/49 history: `reserve(n)` once the n records are read, then
// `keep(i, draw)` for each record's numbers, sorted and checked. Gives the
// notice that stops the reading; what was kept is to be dropped then.
template <typename Reserve, typename Keep>
std::optional<Notice> readSortedDraws(const std::string& path, Reserve reserve, Keep keep) {
    if (!std::ifstream(path, std::ios::binary)) return historyNotOpenedNotice(path);
    HistoryRead read = readHistoryRecords(path);
    if (!read.ok()) return malformedNotice(read.error);
    reserve(read.draws.size());
    for (std::size_t i = 0; i < read.draws.size(); ++i) {
        ReportDraw draw = read.draws[i].numbers;
        std::sort(draw.begin(), draw.end());
        const auto repeated = std::adjacent_find(draw.begin(), draw.end());
        if (repeated != draw.end())
            return malformedNotice("Line " + std::to_string(lineOfRecord(path, i)) + " of the history file " + path +
                                   " holds the number " + std::to_string(*repeated) + " twice.");
        keep(i, draw);
    }
    return std::nullopt;
}

} // namespace

ReportHistory readReportHistory(const std::string& path) {
    ReportHistory result;
    result.failure = readSortedDraws(
        path, [&](std::size_t count) { result.draws.reserve(count); },
        [&](std::size_t, const ReportDraw& draw) { result.draws.push_back(draw); });
    if (result.failure) result.draws.clear();
    return result;
}

void NumberRows::add(std::span<const int> row) {
    const std::size_t kept = std::min(row.size(), width_);
    numbers_.insert(numbers_.end(), row.begin(), row.begin() + static_cast<std::ptrdiff_t>(kept));
    numbers_.resize(numbers_.size() + width_ - kept, 0);
    ++rows_;
}

GameReportDraws::GameReportDraws(const std::vector<ReportDraw>& lotto649Draws)
    : GameReportDraws(std::span<const ReportDraw>(lotto649Draws)) {}

std::span<int> NumberRows::appendRows(std::size_t count) {
    const std::size_t first = numbers_.size();
    numbers_.resize(first + count * width_);
    rows_ += count;
    return {numbers_.data() + first, count * width_};
}

// One copy of the whole history: a long 6/49 history converts at the speed of reading it.
GameReportDraws::GameReportDraws(std::span<const ReportDraw> lotto649Draws) : GameReportDraws() {
    constexpr std::size_t kWidth = std::tuple_size_v<ReportDraw>;
    const std::span<int> filled = numbers.appendRows(lotto649Draws.size());
    for (std::size_t d = 0; d < lotto649Draws.size(); ++d)
        std::copy(lotto649Draws[d].begin(), lotto649Draws[d].end(),
                  filled.begin() + static_cast<std::ptrdiff_t>(d * kWidth));
    bonus.appendRows(lotto649Draws.size());
}

GameReportHistory readGameReportHistory(const Game& game, const std::string& path) {
    GameReportHistory result{GameReportDraws(game), std::nullopt};
    if (game.isLotto649()) {
        // Straight into the rows: a long history is not copied twice.
        constexpr std::size_t kWidth = std::tuple_size_v<ReportDraw>;
        std::span<int> filled;
        result.failure = readSortedDraws(
            path,
            [&](std::size_t count) {
                filled = result.draws.numbers.appendRows(count);
                result.draws.bonus.appendRows(count);
            },
            [&](std::size_t i, const ReportDraw& draw) {
                std::copy(draw.begin(), draw.end(), filled.begin() + static_cast<std::ptrdiff_t>(i * kWidth));
            });
        if (result.failure) result.draws = GameReportDraws(game);
        return result;
    }
    if (!std::ifstream(path, std::ios::binary)) {
        result.failure = historyNotOpenedNotice(path);
        return result;
    }
    GameHistoryRead read = readGameHistory(game, path);
    if (!read.ok()) {
        result.failure = malformedNotice(read.error);
        return result;
    }
    result.draws.numbers.reserve(read.draws.size());
    result.draws.bonus.reserve(read.draws.size());
    for (GameDraw& draw : read.draws) {
        std::sort(draw.numbers.begin(), draw.numbers.end());
        std::sort(draw.bonus.begin(), draw.bonus.end());
        result.draws.add(draw.numbers, draw.bonus);
    }
    return result;
}

} // namespace orvane
