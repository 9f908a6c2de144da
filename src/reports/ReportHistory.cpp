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

ReportHistory readReportHistory(const std::string& path) {
    ReportHistory result;
    if (!std::ifstream(path, std::ios::binary)) {
        result.failure = historyNotOpenedNotice(path);
        return result;
    }
    HistoryRead read = readHistoryRecords(path);
    if (!read.ok()) {
        result.failure = malformedNotice(read.error);
        return result;
    }
    result.draws.reserve(read.draws.size());
    for (std::size_t i = 0; i < read.draws.size(); ++i) {
        ReportDraw draw = read.draws[i].numbers;
        std::sort(draw.begin(), draw.end());
        const auto repeated = std::adjacent_find(draw.begin(), draw.end());
        if (repeated != draw.end()) {
            result.draws.clear();
            result.failure = malformedNotice("Line " + std::to_string(lineOfRecord(path, i)) + " of the history file " +
                                             path + " holds the number " + std::to_string(*repeated) + " twice.");
            return result;
        }
        result.draws.push_back(draw);
    }
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

GameReportDraws::GameReportDraws(std::span<const ReportDraw> lotto649Draws) : GameReportDraws() {
    numbers.reserve(lotto649Draws.size());
    for (const ReportDraw& draw : lotto649Draws) add(draw, {});
}

GameReportHistory readGameReportHistory(const Game& game, const std::string& path) {
    GameReportHistory result{GameReportDraws(game), std::nullopt};
    if (game.isLotto649()) {
        ReportHistory read = readReportHistory(path);
        result.failure = std::move(read.failure);
        result.draws.numbers.reserve(read.draws.size());
        for (const ReportDraw& draw : read.draws) result.draws.add(draw, {});
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
