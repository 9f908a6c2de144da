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

GameReportDraws::GameReportDraws(Game played, std::vector<std::vector<int>> mainNumbers,
                                 std::vector<std::vector<int>> bonusNumbers)
    : game(std::move(played)), numbers(std::move(mainNumbers)), bonus(std::move(bonusNumbers)) {}

GameReportDraws::GameReportDraws(const std::vector<ReportDraw>& lotto649Draws)
    : GameReportDraws(std::span<const ReportDraw>(lotto649Draws)) {}

GameReportDraws::GameReportDraws(std::span<const ReportDraw> lotto649Draws) {
    numbers.reserve(lotto649Draws.size());
    for (const ReportDraw& draw : lotto649Draws) numbers.emplace_back(draw.begin(), draw.end());
    bonus.resize(lotto649Draws.size());
}

GameReportHistory readGameReportHistory(const Game& game, const std::string& path) {
    GameReportHistory result;
    if (game.isLotto649()) {
        ReportHistory read = readReportHistory(path);
        result.failure = std::move(read.failure);
        result.draws = GameReportDraws(read.draws);
        result.draws.game = game;
        return result;
    }
    result.draws.game = game;
    if (!std::ifstream(path, std::ios::binary)) {
        result.failure = historyNotOpenedNotice(path);
        return result;
    }
    GameHistoryRead read = readGameHistory(game, path);
    if (!read.ok()) {
        result.failure = malformedNotice(read.error);
        return result;
    }
    for (GameDraw& draw : read.draws) {
        std::sort(draw.numbers.begin(), draw.numbers.end());
        std::sort(draw.bonus.begin(), draw.bonus.end());
        result.draws.numbers.push_back(std::move(draw.numbers));
        result.draws.bonus.push_back(std::move(draw.bonus));
    }
    return result;
}

} // namespace orvane
