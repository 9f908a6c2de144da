#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// One past draw: its MMDDYY date group read as a number, and positions A to F.
struct DrawRecord {
    long date = 0;
    std::array<int, 6> numbers{};
    bool operator==(const DrawRecord&) const = default;
};

// Every record of the history file, oldest first; `error` names the file (and
// line) when it could not be read, and then `draws` is empty.
struct HistoryRead {
    std::vector<DrawRecord> draws;
    std::string error;
    bool ok() const { return error.empty(); }
};
HistoryRead readHistoryRecords(const std::string& path);

// Where a record stands in the history's text: its line number (from 1), the
// offset where its line starts and the offset where the line after it starts.
struct RecordPlace {
    std::size_t line = 0;
    std::size_t start = 0;
    std::size_t next = 0;
    bool operator==(const RecordPlace&) const = default;
};
// The records of a history's text, read as readHistoryRecords reads a file,
// and each record's place in `places` when given; `path` names the file in
// the error.
HistoryRead readHistoryText(std::string_view text, const std::string& path, std::vector<RecordPlace>* places = nullptr);

// The last draw's date as "MM-DD-YY", from the first six characters of the last line.
struct LastDrawDate {
    std::string text;
    std::string error;
    bool ok() const { return error.empty(); }
};
LastDrawDate readLastDrawDate(const std::string& path);

// Every line of the file unchanged (without its line end), for the history viewer.
struct HistoryLines {
    std::vector<std::string> lines;
    std::string error;
    bool ok() const { return error.empty(); }
};
HistoryLines readHistoryLines(const std::string& path);

} // namespace orvane
