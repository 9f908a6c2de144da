#include "pool/PoolFile.h"

#include "pool/PoolReport.h"

#include <filesystem>
#include <fstream>
#include <string_view>

namespace orvane {

namespace {

// As much of a bad field or line as a message quotes.
constexpr std::size_t kQuoted = 24;
// A ranked line is short; a longer line is kept only this far, which is
// enough to tell that it is none.
constexpr std::size_t kLongestPoolLine = 256;

constexpr int kEnd = std::char_traits<char>::eof();

bool isBlank(int c) { return c == ' ' || c == '\t'; }
bool isDigit(int c) { return c >= '0' && c <= '9'; }

// One field of a Minimum file as it is read, character by character: blanks
// around it, an optional sign, digits. Anything else makes it not a whole number.
struct Field {
    bool started = false; // a character other than a blank was met
    bool closed = false;  // a blank followed the field's characters
    bool negative = false;
    bool digits = false;
    bool malformed = false;
    long long value = 0;
    std::string text; // its start, for a message

    void take(char c) {
        if (isBlank(c)) {
            closed = started;
            if (started && text.size() < kQuoted) text += c;
            return;
        }
        if (text.size() < kQuoted) text += c;
        // A character after the field's blank is as malformed as one that is no digit.
        if (!closed && !started && (c == '-' || c == '+')) {
            negative = c == '-';
        } else if (!closed && isDigit(c)) {
            digits = true;
            // Enough to tell any number outside the game's, without overflow.
            if (value < 1000) value = value * 10 + (c - '0');
        } else
            malformed = true;
        started = true;
    }
};

enum class FieldEnd { Taken, Empty, Failed };

void fail(PoolFileRead& read, PoolLoadError error, int line, std::string text) {
    while (!text.empty() && isBlank(text.back())) text.pop_back();
    read.error = error;
    read.line = line;
    read.text = std::move(text);
}

bool inRange(long long number, int highest) { return number >= 1 && number <= highest; }

// Takes a finished field into `kept`: an empty one ends the list, a number
// is range-checked against 1 to `highest` before it is kept.
FieldEnd endField(const Field& field, int line, int highest, PoolFileRead& read, std::vector<int>& kept) {
    if (!field.started) return FieldEnd::Empty;
    if (field.malformed || !field.digits) {
        fail(read, PoolLoadError::NotANumber, line, field.text);
        return FieldEnd::Failed;
    }
    const long long number = field.negative ? -field.value : field.value;
    if (!inRange(number, highest)) {
        fail(read, PoolLoadError::OutOfRange, line, field.text);
        return FieldEnd::Failed;
    }
    kept.push_back(static_cast<int>(number));
    return FieldEnd::Taken;
}

// Takes a line end (CR LF, LF or CR) whose first character `c` was just read.
void finishLineEnd(std::istream& in, int c) {
    if (c == '\r' && in.peek() == '\n') in.get();
}

// Reads the list; gives the number of the line read next.
int readMinimum(std::istream& in, PoolFileRead& read, int highest) {
    read.style = PoolFileStyle::Minimum;
    Field field;
    int line = 1;
    // Fields end at a comma or a line end; the end of the file ends the last
    // one only if it holds something.
    for (int c = in.get(); c != kEnd; c = in.get()) {
        if (c == ',' || c == '\n' || c == '\r') {
            finishLineEnd(in, c);
            if (endField(field, line, highest, read, read.numbers) != FieldEnd::Taken)
                return c == ',' ? line : line + 1;
            field = Field{};
            if (c != ',') ++line;
            continue;
        }
        field.take(static_cast<char>(c));
    }
    if (in.bad()) {
        read.error = PoolLoadError::Unreadable;
        return line;
    }
    if (field.started) endField(field, line, highest, read, read.numbers);
    return line + 1;
}

// The next line, without its line end, kept to kLongestPoolLine characters; false
// at the end of the file.
bool nextLine(std::istream& in, std::string& line) {
    line.clear();
    int c = in.get();
    if (c == kEnd) return false;
    for (; c != kEnd && c != '\n' && c != '\r'; c = in.get())
        if (line.size() < kLongestPoolLine) line += static_cast<char>(c);
    finishLineEnd(in, c);
    return true;
}

// "12 - 7" as the rank 12 and the number 7, blanks around each part allowed.
struct Ranked {
    long long rank = 0;
    long long number = 0;
};
std::optional<Ranked> rankedLine(std::string_view line) {
    std::size_t at = 0;
    auto skipBlanks = [&] {
        while (at < line.size() && isBlank(line[at])) ++at;
    };
    auto wholeNumber = [&]() -> std::optional<long long> {
        if (at >= line.size() || !isDigit(line[at])) return std::nullopt;
        long long value = 0;
        for (; at < line.size() && isDigit(line[at]); ++at)
            if (value < 1'000'000) value = value * 10 + (line[at] - '0');
        return value;
    };
    skipBlanks();
    const std::optional<long long> rank = wholeNumber();
    skipBlanks();
    if (!rank || at >= line.size() || line[at] != '-') return std::nullopt;
    ++at;
    skipBlanks();
    const std::optional<long long> number = wholeNumber();
    skipBlanks();
    if (!number || at != line.size()) return std::nullopt;
    return Ranked{*rank, *number};
}

bool blankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// The report's heading ends where its first ranked line, "1 - n", starts the
// list; the list runs to an empty line or the end of the file. Gives the
// number of the line read next.
int readVerbose(std::istream& in, PoolFileRead& read, int highest) {
    std::string line;
    int lineNumber = 0;
    bool listed = false;
    while (nextLine(in, line)) {
        ++lineNumber;
        if (lineNumber == 1 && line.rfind("VN-Gathra", 0) == 0) read.style = PoolFileStyle::Verbose;
        const std::optional<Ranked> ranked = rankedLine(line);
        if (!listed) {
            if (!ranked || ranked->rank != 1) continue;
            listed = true;
            read.style = PoolFileStyle::Verbose;
        } else if (blankLine(line)) {
            break;
        } else if (!ranked || ranked->rank != static_cast<long long>(read.numbers.size()) + 1) {
            fail(read, PoolLoadError::NotANumber, lineNumber, line.substr(0, kQuoted));
            return lineNumber;
        }
        if (!inRange(ranked->number, highest)) {
            fail(read, PoolLoadError::OutOfRange, lineNumber, line.substr(0, kQuoted));
            return lineNumber;
        }
        read.numbers.push_back(static_cast<int>(ranked->number));
    }
    if (in.bad()) read.error = PoolLoadError::Unreadable;
    return lineNumber + 1;
}

std::string_view trimmedLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

// One line of Minimum bonus numbers: fields separated by commas; false when
// the list ends here (an empty field) or fails.
bool readMinimumBonusLine(std::string_view line, int lineNumber, int highest, PoolFileRead& read) {
    Field field;
    for (std::size_t at = 0; at <= line.size(); ++at) {
        if (at < line.size() && line[at] != ',') {
            field.take(line[at]);
            continue;
        }
        if (endField(field, lineNumber, highest, read, read.bonus) != FieldEnd::Taken) return false;
        field = Field{};
    }
    return true;
}

// The bonus numbers after the list: the lines up to the bonus heading are
// passed over, then its numbers are read in the list's style up to an empty
// line or the end of the file. `lineNumber` is the number of the line read next.
void readBonus(std::istream& in, PoolFileRead& read, int lineNumber, int highest) {
    std::string line;
    bool headed = false;
    for (; !headed && nextLine(in, line); ++lineNumber) headed = trimmedLine(line) == kBonusPoolHeading;
    if (!headed) return;
    for (; nextLine(in, line); ++lineNumber) {
        if (blankLine(line)) break;
        if (read.style == PoolFileStyle::Minimum) {
            if (!readMinimumBonusLine(line, lineNumber, highest, read)) break;
            continue;
        }
        const std::optional<Ranked> ranked = rankedLine(line);
        if (!ranked || ranked->rank != static_cast<long long>(read.bonus.size()) + 1)
            fail(read, PoolLoadError::NotANumber, lineNumber, line.substr(0, kQuoted));
        else if (!inRange(ranked->number, highest))
            fail(read, PoolLoadError::OutOfRange, lineNumber, line.substr(0, kQuoted));
        else
            read.bonus.push_back(static_cast<int>(ranked->number));
        if (!read.ok()) break;
    }
    read.inBonus = !read.ok();
    if (in.bad()) read.error = PoolLoadError::Unreadable;
}

// The first character that is not a blank or a line end, the file left at its start.
int firstMark(std::istream& in) {
    int c = in.get();
    while (c != kEnd && (isBlank(c) || c == '\r' || c == '\n')) c = in.get();
    in.clear();
    in.seekg(0);
    return c;
}

} // namespace

PoolFileRead readPoolFile(const std::string& path, const Game& game) {
    PoolFileRead read;
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        read.error = PoolLoadError::Missing;
        return read;
    }
    std::ifstream in;
    if (!std::filesystem::is_regular_file(path, ignored) || (in.open(path, std::ios::binary), !in)) {
        read.error = PoolLoadError::Unreadable;
        return read;
    }
    const int first = firstMark(in);
    // A saved Minimum file starts with its first number; the report starts
    // with its heading's text.
    int next = 0;
    if (isDigit(first) || first == '+' || first == '-' || first == ',')
        next = readMinimum(in, read, game.highest());
    else if (first != kEnd)
        next = readVerbose(in, read, game.highest());
    if (read.ok() && read.numbers.empty()) read.error = PoolLoadError::NoPool;
    if (read.ok() && game.hasBonusPool()) readBonus(in, read, next, game.bonusPool());
    return read;
}

namespace {

const std::string kMakeOne = "  Run VN-Gathra (Number Selection > Select Numbers With Gathra) with \"Save Output To "
                             "Disk\" checked to save a pool there, then try again.";

std::string numbersText(std::size_t count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

std::string selectedBefore(const PoolFileRead& read) {
    const std::size_t count = read.numbers.size();
    if (read.inBonus)
        return "  The " + numbersText(count, "number") + " of its pool" +
               (read.bonus.empty() ? std::string()
                                   : " and the " + numbersText(read.bonus.size(), "bonus number") + " before it") +
               (count + read.bonus.size() == 1 ? " has" : " have") + " been selected.";
    if (count == 0) return "  No number was selected.";
    if (count == 1) return "  The number before it has been selected.";
    return "  The " + std::to_string(count) + " numbers before it have been selected.";
}

} // namespace

std::optional<Notice> poolLoadNotice(const PoolFileRead& read, const std::string& path, const Game& game) {
    const std::string title = "Unable To Continue";
    const bool verbose = read.style == PoolFileStyle::Verbose;
    switch (read.error) {
    case PoolLoadError::None:
        if (!verbose) return std::nullopt;
        return Notice{
            "The pool file " + path + " is a Verbose report of VN-Gathra; the " + std::to_string(read.numbers.size()) +
                " numbers" +
                (read.bonus.empty() ? std::string() : " and " + numbersText(read.bonus.size(), "bonus number")) +
                " it ranks have been selected.",
            "Gathra's Picks Loaded", NoticeIcon::Information};
    case PoolLoadError::Missing:
        return Notice{"There is no pool file " + path + "." + kMakeOne, title, NoticeIcon::Exclamation};
    case PoolLoadError::Unreadable:
        return Notice{"The pool file " + path +
                          " could not be read: it is a folder, or a file this program may not "
                          "read.  Choose another with Save Gathra's Output As... (File menu).",
                      title, NoticeIcon::Exclamation};
    case PoolLoadError::NoPool:
        return Notice{"The file " + path +
                          (verbose ? " is a Verbose report of VN-Gathra that ranks no numbers."
                                   : " holds no pool: it is neither a list of numbers nor a Verbose report of "
                                     "VN-Gathra.") +
                          kMakeOne,
                      title, NoticeIcon::Exclamation};
    case PoolLoadError::NotANumber:
    case PoolLoadError::OutOfRange: break;
    }
    const std::string what = read.error == PoolLoadError::OutOfRange
                                 ? (read.inBonus ? "is not a bonus number from 1 to " + std::to_string(game.bonusPool())
                                                 : "is not a number from 1 to " + std::to_string(game.highest()))
                             : verbose ? "is not a rank and a number such as \"1 - 7\""
                                       : "is not a whole number";
    return Notice{"The pool file " + path + (verbose ? " is a Verbose report of VN-Gathra" : " is a list of numbers") +
                      ", but on its line " + std::to_string(read.line) + " \"" + read.text + "\" " + what + "." +
                      selectedBefore(read) +
                      "  Correct the file, or run VN-Gathra again with \"Save Output To Disk\" "
                      "checked.",
                  title, NoticeIcon::Exclamation};
}

} // namespace orvane
