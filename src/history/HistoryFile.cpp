#include "history/HistoryFile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvane {

namespace {

std::string cannotOpen(const std::string& path) {
    return "The history file " + path + " could not be opened (" + std::strerror(errno) + ").";
}

// Reads the whole file and splits it into lines, accepting CR LF or LF ends.
// A final line end does not start another (empty) line.
bool readAllLines(const std::string& path, std::vector<std::string>& lines, std::string& error) {
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
    const std::string text = content.str();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.emplace_back(text, start, stop - start);
        start = next;
    }
    return true;
}

bool isBlankLine(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

// Splits a record line into its fields: separated by blanks or commas.
std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ',')) ++i;
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ',') ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

bool parseWhole(std::string_view field, long& value) {
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return ec == std::errc() && end == field.data() + field.size();
}

} // namespace

HistoryRead readHistoryRecords(const std::string& path) {
    HistoryRead result;
    std::vector<std::string> lines;
    if (!readAllLines(path, lines, result.error)) return result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isBlankLine(lines[i])) continue;
        const std::string where = "Line " + std::to_string(i + 1) + " of the history file " + path;
        auto fields = fieldsOf(lines[i]);
        DrawRecord record;
        bool numeric = fields.size() == 7 && parseWhole(fields[0], record.date);
        for (int k = 0; numeric && k < 6; ++k) {
            long n = 0;
            numeric = parseWhole(fields[k + 1], n);
            if (numeric && (n < 1 || n > 49)) {
                result.draws.clear();
                result.error = where + " holds the number " + std::to_string(n) + ", outside 1 to 49.";
                return result;
            }
            record.numbers[k] = static_cast<int>(n);
        }
        if (!numeric) {
            result.draws.clear();
            result.error = where + " is not a draw record (a date and six numbers): \"" + lines[i] + "\".";
            return result;
        }
        result.draws.push_back(record);
    }
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
std::string lineEndOwedBy(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return {};
    int last = EOF;
    if (std::fseek(file, -1, SEEK_END) == 0) last = std::fgetc(file);
    std::fclose(file);
    if (last == EOF || last == '\n') return {};
    return last == '\r' ? "\n" : "\r\n";
}

std::string notWritten(const std::string& path, int error) {
    return "The history file " + path + " could not be written (" + std::strerror(error) +
           "). The draw was not recorded.";
}

} // namespace

std::string appendHistoryLine(const std::string& path, const std::string& line) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    const bool existed = fs::exists(path, ignored);
    std::error_code sizeUnknown;
    const std::uintmax_t sizeBefore = existed ? fs::file_size(path, sizeUnknown) : 0;
    const std::string text = lineEndOwedBy(path) + line + "\r\n";

    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) return notWritten(path, errno);
    // A buffer that holds the whole text keeps it together until the flush
    // hands it to the system in one write.
    std::vector<char> buffer(text.size() + 1);
    std::setvbuf(file, buffer.data(), _IOFBF, buffer.size());
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
    int error = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written) return {};

    // Part of the text may have reached the file (a full disk): take it back.
    if (existed && !sizeUnknown) fs::resize_file(path, sizeBefore, ignored);
    else fs::remove(path, ignored);
    return notWritten(path, error);
}

} // namespace orvane
