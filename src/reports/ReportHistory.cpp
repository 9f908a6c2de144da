#include "reports/ReportHistory.h"

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

} // namespace orvane
