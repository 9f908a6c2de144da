#pragma once

#include <array>
#include <string>
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

// Adds `line` and its CR LF at the end of the history file, creating the file
// when missing. A last line left without its line end gets one first, so the
// new record starts a line of its own. The file is replaced whole, through a
// temporary file, rather than appended to: a program killed during an append
// that spans two of the system's pages can leave half a record, and a half
// record can still read as a draw with a wrong number. When the write fails the
// file is left as it was. Returns an error text naming the file, empty on success.
std::string appendHistoryLine(const std::string& path, const std::string& line);

} // namespace orvane
