#include "history/HistoryFile.h"

#include "core/Excerpt.h"

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

// Calls `visit` with each line of `text` (without its CR LF or LF end) and the
// offset where the line after it starts, until it returns false. A final line
// end does not start another (empty) line.
template <typename Visit> void forEachLine(std::string_view text, Visit visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        if (!visit(text.substr(start, stop - start), next)) return;
        start = next;
    }
}

// Reads the whole file and splits it into lines, accepting CR LF or LF ends.
bool readAllLines(const std::string& path, std::vector<std::string>& lines, std::string& error) {
    std::string text;
    if (!readWholeFile(path, text, error)) return false;
    forEachLine(text, [&lines](std::string_view line, std::size_t) {
        lines.emplace_back(line);
        return true;
    });
    return true;
}

bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string::npos; }

// Splits a record line into its fields, separated by blanks or commas: at
// most `fields.size()` of them are kept; the count says how many there are.
template <std::size_t N> std::size_t fieldsOf(std::string_view line, std::array<std::string_view, N>& fields) {
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

HistoryRead readHistoryText(std::string_view text, const std::string& path, std::vector<RecordPlace>* places) {
    HistoryRead result;
    if (places) places->clear();
    std::size_t lineNumber = 0;
    forEachLine(text, [&](std::string_view line, std::size_t next) {
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
        if (places)
            places->push_back(RecordPlace{lineNumber, static_cast<std::size_t>(line.data() - text.data()), next});
        return true;
    });
    if (!result.ok()) {
        result.draws.clear();
        if (places) places->clear();
    }
    return result;
}

HistoryRead readHistoryRecords(const std::string& path) {
    HistoryRead result;
    std::string text;
    if (!readWholeFile(path, text, result.error)) return result;
    return readHistoryText(text, path);
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

} // namespace orvane
