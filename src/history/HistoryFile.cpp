#include "history/HistoryFile.h"

#include "core/AtomicFile.h"
#include "core/Excerpt.h"
#include "core/FileBytes.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>

namespace orvane {

namespace {

std::string cannotOpen(const std::string& path) {
    return "The history file " + path + " could not be opened (" + std::strerror(errno) + ").";
}

bool readWholeFile(const std::string& path, std::string& text, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = cannotOpen(path);
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        error = "The history file " + path + " could not be read.";
        return false;
    }
    text = std::move(content).str();
    return true;
}

// Calls `visit` with each line of `text` (without its CR LF or LF end) until
// it returns false. A final line end does not start another (empty) line.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        if (!visit(text.substr(start, stop - start))) return;
        start = next;
    }
}

// Reads the whole file and splits it into lines, accepting CR LF or LF ends.
bool readAllLines(const std::string& path, std::vector<std::string>& lines, std::string& error) {
    std::string text;
    if (!readWholeFile(path, text, error)) return false;
    forEachLine(text, [&lines](std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
    return true;
}

bool isBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

// Splits a record line into its fields, separated by blanks or commas: at
// most `fields.size()` of them are kept; the count says how many there are.
template <std::size_t N>
std::size_t fieldsOf(std::string_view line, std::array<std::string_view, N>& fields) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ',')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ',') ++i;
        if (i > start) {
            if (count < N) fields[count] = line.substr(start, i - start);
            ++count;
        }
    }
    return count;
}

bool parseWhole(std::string_view field, long& value) {
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return ec == std::errc() && end == field.data() + field.size();
}

} // namespace

HistoryRead readHistoryRecords(const std::string& path) {
    HistoryRead result;
    std::string text;
    if (!readWholeFile(path, text, result.error)) return result;
    std::size_t lineNumber = 0;
    forEachLine(text, [&](std::string_view line) {
        ++lineNumber;
        if (isBlankLine(line)) return true;
        const auto where = [&] { return "Line " + std::to_string(lineNumber) + " of the history file " + path; };
        std::array<std::string_view, 7> fields;
        DrawRecord record;
        bool numeric = fieldsOf(line, fields) == 7 && parseWhole(fields[0], record.date);
        for (int k = 0; numeric && k < 6; ++k) {
            long n = 0;
            numeric = parseWhole(fields[static_cast<std::size_t>(k) + 1], n);
            if (numeric && (n < 1 || n > 49)) {
                result.error = where() + " holds the number " + std::to_string(n) + ", outside 1 to 49.";
                return false;
            }
            record.numbers[static_cast<std::size_t>(k)] = static_cast<int>(n);
        }
        if (!numeric) {
            result.error = where() + " is not a draw record (a date and six numbers): \"" + excerpt(line) + "\".";
            return false;
        }
        result.draws.push_back(record);
        return true;
    });
    if (!result.ok()) result.draws.clear();
    return result;
}

LastDrawDate readLastDrawDate(const std::string& path) {
    LastDrawDate result;
    std::vector<std::string> lines;
    if (!readAllLines(path, lines, result.error)) return result;
    while (!lines.empty() && isBlankLine(lines.back())) lines.pop_back();
    if (lines.empty()) {
        result.error = "The history file " + path + " holds no draw.";
        return result;
    }
    const std::string& last = lines.back();
    if (last.size() < 6) {
        result.error = "The last line of the history file " + path + " is too short to hold a draw date.";
        return result;
    }
    result.text = last.substr(0, 2) + "-" + last.substr(2, 2) + "-" + last.substr(4, 2);
    return result;
}

HistoryLines readHistoryLines(const std::string& path) {
    HistoryLines result;
    readAllLines(path, result.lines, result.error);
    return result;
}

namespace {

// What must precede a new line so that it starts a line of its own: nothing
// after a line end or in an empty (or missing) file, the LF after a lone CR,
// else a whole CR LF.
std::string lineEndOwedAfter(const std::string& text) {
    if (text.empty() || text.back() == '\n') return {};
    return text.back() == '\r' ? "\n" : "\r\n";
}

std::string notWritten(const std::string& path, int error) {
    return "The history file " + path + " could not be written (" + std::strerror(error) +
           "). The draw was not recorded.";
}

} // namespace

std::string appendHistoryLine(const std::string& path, const std::string& line) {
    // A missing history is an empty one: the first record creates it.
    std::string text;
    if (const int error = readFileBytes(path, text); error != 0 && error != ENOENT) return notWritten(path, error);
    text += lineEndOwedAfter(text) + line + "\r\n";
    int error = 0;
    if (writeFileAtomically(path, text, &error)) return notWritten(path, error);
    return {};
}

} // namespace orvane
