#include "history/DrawImport.h"

#include "core/AtomicFile.h"
#include "core/Excerpt.h"
#include "core/FileBytes.h"
#include "core/NumberText.h"
#include "history/DrawDate.h"
#include "history/GameHistory.h"
#include "history/HistoryFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>

namespace orvane {

namespace {

constexpr std::array<DateOrder, 3> kOrders = {DateOrder::MonthDayYear, DateOrder::DayMonthYear,
                                              DateOrder::YearMonthDay};

bool allDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), isDigit); }

int valueOf(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

// ---- Dates ------------------------------------------------------------------

// A date field split into its three groups of digits, in the order written.
struct DateGroups {
    std::array<std::string_view, 3> group;
    bool yearFirst() const { return group[0].size() == 4; }
    bool yearLast() const { return group[2].size() == 4; }
};

// Three groups of one, two or four digits separated by one kind of '/', '-'
// or '.' (four digits only for a year at either end), or six digits in a row.
std::optional<DateGroups> dateGroupsOf(std::string_view field) {
    DateGroups date;
    if (field.size() == 6 && allDigits(field)) {
        date.group = {field.substr(0, 2), field.substr(2, 2), field.substr(4, 2)};
        return date;
    }
    const std::size_t first = field.find_first_of("/-.");
    if (first == std::string_view::npos) return std::nullopt;
    const char separator = field[first];
    const std::size_t second = field.find(separator, first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    date.group = {field.substr(0, first), field.substr(first + 1, second - first - 1), field.substr(second + 1)};
    for (std::string_view group : date.group)
        if (!allDigits(group) || group.size() == 3 || group.size() > 4) return std::nullopt;
    if (date.group[1].size() == 4 || (date.yearFirst() && date.yearLast())) return std::nullopt;
    return date;
}

struct DateReading {
    FullDate date = 0;
    std::string problem; // empty when the date is a real one the history can hold
};

DateReading readDate(const DateGroups& date, DateOrder order, std::string_view field) {
    DateReading reading;
    if (date.yearFirst())
        order = DateOrder::YearMonthDay;
    else if (date.yearLast() && order == DateOrder::YearMonthDay) {
        reading.problem = "the date " + std::string(field) + " does not have the form YY/MM/DD";
        return reading;
    }
    std::size_t y = 2, m = 0, d = 1;
    if (order == DateOrder::DayMonthYear) m = 1, d = 0;
    if (order == DateOrder::YearMonthDay) y = 0, m = 1, d = 2;
    int year = valueOf(date.group[y]);
    const int month = valueOf(date.group[m]);
    const int day = valueOf(date.group[d]);
    if (date.group[y].size() != 4) {
        if (date.group[y].size() != 2) {
            reading.problem = "the date " + std::string(field) + " has a year of one digit";
            return reading;
        }
        year = yearFromTwoDigits(year);
    } else if (year < 1950 || year > 2049) {
        reading.problem = "the year " + std::to_string(year) +
                          " is outside 1950 to 2049, the years the history's two-digit dates can hold";
        return reading;
    }
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
        reading.problem = "the date " + std::string(field) + " is not a real date";
        if (!date.yearFirst()) reading.problem += " when read as " + dateOrderPattern(order);
        return reading;
    }
    reading.date = year * 10000 + month * 100 + day;
    return reading;
}

std::string recordDateGroup(FullDate date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d", date / 100 % 100, date % 100, date / 10000 % 100);
    return text;
}

// ---- Lines of the imported file ---------------------------------------------

// A draw's numbers, ascending, and its bonus numbers as given (none for 6/49).
struct Numbers {
    std::vector<int> main;
    std::vector<int> bonus;
    bool operator==(const Numbers&) const = default;
};

std::string countWord(int count) {
    static const char* const kWords[] = {"no", "one", "two", "three", "four", "five", "six", "seven", "eight"};
    return count >= 0 && count <= 8 ? kWords[count] : std::to_string(count);
}

// One line of the imported file, split into fields.
struct SourceLine {
    std::size_t number = 0;
    std::string text;
    std::vector<std::string_view> fields; // views into `text`
};

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    const auto separator = [](char c) { return c == ',' || c == ';' || c == '\t' || c == ' '; };
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && separator(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !separator(line[i])) ++i;
        std::string_view field = line.substr(start, i - start);
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
        if (!field.empty()) fields.push_back(field);
    }
    return fields;
}

// A header or title line: its first field holds no digit (blank lines too).
bool isHeading(const SourceLine& line) {
    return line.fields.empty() || std::none_of(line.fields[0].begin(), line.fields[0].end(), isDigit);
}

// The game's numbers after the date, ascending, then its bonus numbers, or
// the reason there are none; the columns after them are ignored.
std::optional<Numbers> numbersOf(const SourceLine& line, const Game& game, std::string& problem) {
    const auto k = static_cast<std::size_t>(game.perTicket()), b = static_cast<std::size_t>(game.bonusDrawn());
    if (line.fields.size() < 1 + k + b) {
        problem =
            "it holds fewer than " + countWord(game.perTicket()) + " numbers" +
            (b > 0 ? " and " + countWord(game.bonusDrawn()) + (b == 1 ? " bonus number" : " bonus numbers") : "") +
            " after the date";
        return std::nullopt;
    }
    Numbers numbers;
    for (std::size_t i = 0; i < k + b; ++i) {
        const std::string_view field = line.fields[i + 1];
        const bool bonus = i >= k;
        const int highest = bonus ? game.bonusPool() : game.highest();
        const int value = allDigits(field) && field.size() <= 2 ? valueOf(field) : 0;
        if (value < 1 || value > highest) {
            problem = "\"" + std::string(field) + "\" is not a " + (bonus ? "bonus " : "") + "number from 1 to " +
                      std::to_string(highest);
            return std::nullopt;
        }
        (bonus ? numbers.bonus : numbers.main).push_back(value);
    }
    for (std::vector<int>* part : {&numbers.main, &numbers.bonus}) {
        std::sort(part->begin(), part->end());
        if (const auto twice = std::adjacent_find(part->begin(), part->end()); twice != part->end()) {
            problem = std::string(part == &numbers.bonus ? "the bonus number " : "the number ") +
                      std::to_string(*twice) + " is given twice";
            return std::nullopt;
        }
    }
    return numbers;
}

// The history's line of a new draw: "MMDDYY  AA BB CC DD EE FF" for 6/49,
// "YYYY-MM-DD  n1 .. + b1" for another game.
std::string recordLine(FullDate date, const Numbers& numbers, const Game& game) {
    if (!game.isLotto649()) {
        std::string line =
            gameHistoryLine(GameDraw{date / 10000, date / 100 % 100, date % 100, numbers.main, numbers.bonus});
        return line.substr(0, line.size() - 2); // without its CR LF
    }
    std::string line = recordDateGroup(date) + " ";
    char number[4];
    for (int n : numbers.main) {
        std::snprintf(number, sizeof number, " %02d", n);
        line += number;
    }
    return line;
}

std::vector<SourceLine> linesOf(std::string text) {
    // A byte order mark, as spreadsheet programs write before a CSV file.
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    std::vector<SourceLine> lines;
    // Lines end in CR LF, LF or a lone CR (as older spreadsheet programs write).
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::size_t next = end + 1;
        if (end < text.size() && text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
        SourceLine line;
        line.number = lines.size() + 1;
        line.text = text.substr(start, end - start);
        lines.push_back(std::move(line));
        start = next;
    }
    // The views point into each line's own text, so they are taken once the
    // lines have stopped moving.
    for (SourceLine& line : lines) line.fields = fieldsOf(line.text);
    return lines;
}

// ---- The date form of a file ------------------------------------------------

struct DatedLine {
    const SourceLine* line;
    DateGroups date;
};

// The date form under which the most dates of `lines` are real dates. When
// several fit equally and some date reads differently under them, the result
// is AmbiguousDates with those forms.
DateOrder findDateOrder(const std::vector<DatedLine>& lines, DrawImport& result) {
    std::array<std::size_t, 3> fits{};
    for (const DatedLine& dated : lines) {
        if (dated.date.yearFirst()) continue; // reads one way only
        for (std::size_t o = 0; o < kOrders.size(); ++o)
            if (readDate(dated.date, kOrders[o], dated.line->fields[0]).problem.empty()) ++fits[o];
    }
    const std::size_t best = *std::max_element(fits.begin(), fits.end());
    std::vector<DateOrder> tied;
    for (std::size_t o = 0; o < kOrders.size(); ++o)
        if (fits[o] == best) tied.push_back(kOrders[o]);
    if (tied.size() == 1 || best == 0) return tied.front();

    for (const DatedLine& dated : lines) {
        if (dated.date.yearFirst()) continue;
        std::vector<FullDate> readings;
        for (DateOrder order : tied) {
            const DateReading reading = readDate(dated.date, order, dated.line->fields[0]);
            if (reading.problem.empty()) readings.push_back(reading.date);
        }
        if (std::adjacent_find(readings.begin(), readings.end(), std::not_equal_to<>()) != readings.end()) {
            result.status = DrawImport::Status::AmbiguousDates;
            result.readings = tied;
            result.ambiguousLine = dated.line->number;
            return tied.front();
        }
    }
    return tied.front(); // the forms agree on every date
}

// ---- The history --------------------------------------------------------------

struct HistoryEntry {
    FullDate date = 0;
    Numbers numbers{};          // ascending
    std::string text;           // the record's line as written
    std::size_t sourceLine = 0; // 0 for a record of the history
};

// Another game's history: its draws and the text of each line.
bool readGameHistoryEntries(const std::string& path, const Game& game, std::vector<HistoryEntry>& entries,
                            std::string& error) {
    std::string text;
    if (const int failure = readFileBytes(path, text)) {
        error = "The history file " + path + " could not be opened (" + std::strerror(failure) + ").";
        return false;
    }
    const GameHistoryRead read = readGameHistoryText(text, game, path);
    if (!read.ok()) {
        error = read.error;
        return false;
    }
    for (std::size_t i = 0; i < read.draws.size(); ++i) {
        const GameDraw& draw = read.draws[i];
        std::string line = text.substr(read.places[i].first, read.places[i].second - read.places[i].first);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        entries.push_back(HistoryEntry{draw.year * 10000 + draw.month * 100 + draw.day,
                                       Numbers{draw.numbers, draw.bonus}, std::move(line), 0});
    }
    return true;
}

bool readHistory(const std::string& path, const Game& game, std::vector<HistoryEntry>& entries, std::string& error) {
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) return true;
    if (!game.isLotto649()) return readGameHistoryEntries(path, game, entries, error);
    const HistoryRead records = readHistoryRecords(path);
    if (!records.ok()) {
        error = records.error;
        return false;
    }
    const HistoryLines lines = readHistoryLines(path);
    if (!lines.ok()) {
        error = lines.error;
        return false;
    }
    std::size_t next = 0;
    for (const std::string& line : lines.lines) {
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        if (next == records.draws.size()) break;
        const DrawRecord& record = records.draws[next++];
        HistoryEntry entry;
        entry.date = fullDateOfRecord(record.date);
        entry.numbers.main.assign(record.numbers.begin(), record.numbers.end());
        std::sort(entry.numbers.main.begin(), entry.numbers.main.end());
        entry.text = line;
        entries.push_back(std::move(entry));
    }
    if (next != records.draws.size() || entries.size() != records.draws.size()) {
        error = "The history file " + path + " changed while it was read.";
        return false;
    }
    return true;
}

std::string historyText(std::vector<HistoryEntry> entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const HistoryEntry& a, const HistoryEntry& b) { return a.date < b.date; });
    std::string text;
    for (const HistoryEntry& entry : entries) text += entry.text + "\r\n";
    return text;
}

} // namespace

std::optional<DateOrder> dateOrderFromPattern(std::string_view pattern) {
    std::string letters;
    for (char c : pattern) {
        const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (upper >= 'A' && upper <= 'Z') {
            if (upper != 'M' && upper != 'D' && upper != 'Y') return std::nullopt;
            if (!letters.empty() && letters.back() == upper) continue;
            if (letters.find(upper) != std::string::npos) return std::nullopt;
            letters += upper;
        } else if (!letters.empty() && letters.back() != ' ') {
            letters += ' '; // a separator ends a run of letters
        }
    }
    std::erase(letters, ' ');
    if (letters == "MDY") return DateOrder::MonthDayYear;
    if (letters == "DMY") return DateOrder::DayMonthYear;
    if (letters == "YMD") return DateOrder::YearMonthDay;
    return std::nullopt;
}

std::string dateOrderPattern(DateOrder order) {
    switch (order) {
    case DateOrder::MonthDayYear: return "MM/DD/YY";
    case DateOrder::DayMonthYear: return "DD/MM/YY";
    case DateOrder::YearMonthDay: return "YY/MM/DD";
    }
    return {};
}

DrawImport importDraws(const std::string& sourcePath, const std::string& historyPath, std::optional<DateOrder> order,
                       const Game& game) {
    DrawImport result;
    std::string source;
    if (const int error = readFileBytes(sourcePath, source)) {
        result.status = DrawImport::Status::SourceUnreadable;
        result.error = "The file " + sourcePath + " could not be read (" + std::strerror(error) + ").";
        return result;
    }
    std::vector<HistoryEntry> entries;
    if (!readHistory(historyPath, game, entries, result.error)) {
        result.status = DrawImport::Status::HistoryUnreadable;
        return result;
    }

    const std::vector<SourceLine> lines = linesOf(std::move(source));
    std::vector<DatedLine> dated;
    const auto reject = [&result](const SourceLine& line, std::string reason) {
        result.rejected.push_back(RejectedLine{line.number, std::move(reason), line.text});
    };
    for (const SourceLine& line : lines) {
        if (isHeading(line)) continue;
        if (const std::optional<DateGroups> date = dateGroupsOf(line.fields[0]))
            dated.push_back(DatedLine{&line, *date});
        else
            reject(line, "\"" + std::string(line.fields[0]) + "\" is not a date");
    }
    if (!order) {
        order = findDateOrder(dated, result);
        if (result.status == DrawImport::Status::AmbiguousDates) {
            result.rejected.clear();
            std::string forms;
            for (DateOrder reading : result.readings)
                forms += (forms.empty() ? "" : " or ") + dateOrderPattern(reading);
            result.error = "The dates of " + sourcePath + " can be read as " + forms + " (line " +
                           std::to_string(result.ambiguousLine) + "); the date form must be given.";
            return result;
        }
    }

    // The draws of each date: the history's first, then those taken from the file.
    std::multimap<FullDate, std::size_t> byDate;
    for (std::size_t i = 0; i < entries.size(); ++i) byDate.emplace(entries[i].date, i);
    for (const DatedLine& line : dated) {
        const DateReading reading = readDate(line.date, *order, line.line->fields[0]);
        if (!reading.problem.empty()) {
            reject(*line.line, reading.problem);
            continue;
        }
        std::string problem;
        const std::optional<Numbers> numbers = numbersOf(*line.line, game, problem);
        if (!numbers) {
            reject(*line.line, problem);
            continue;
        }
        const auto [first, last] = byDate.equal_range(reading.date);
        const auto same =
            std::find_if(first, last, [&](const auto& at) { return entries[at.second].numbers == *numbers; });
        if (same != last) {
            ++result.skipped;
            continue;
        }
        if (first != last) {
            const HistoryEntry& held = entries[first->second];
            reject(*line.line, held.sourceLine == 0
                                   ? "the history holds another draw of that date: " + held.text
                                   : "line " + std::to_string(held.sourceLine) + " gives another draw of that date");
            continue;
        }
        byDate.emplace(reading.date, entries.size());
        entries.push_back(
            HistoryEntry{reading.date, *numbers, recordLine(reading.date, *numbers, game), line.line->number});
        ++result.added;
    }
    std::sort(result.rejected.begin(), result.rejected.end(),
              [](const RejectedLine& a, const RejectedLine& b) { return a.line < b.line; });

    if (result.added == 0) return result;
    if (const std::optional<std::string> failure = writeFileAtomically(historyPath, historyText(std::move(entries)))) {
        result.status = DrawImport::Status::HistoryNotWritten;
        result.error =
            "The history file " + historyPath + " could not be written (" + *failure + "). No draw was imported.";
    }
    return result;
}

std::string importSummary(const DrawImport& result, std::size_t maxRejected) {
    std::string text = "Draws added: " + std::to_string(result.added) + "\n" +
                       "Draws already in the history: " + std::to_string(result.skipped) + "\n" +
                       "Lines rejected: " + std::to_string(result.rejected.size()) + "\n";
    const std::size_t shown = std::min(maxRejected, result.rejected.size());
    for (std::size_t i = 0; i < shown; ++i) {
        const RejectedLine& line = result.rejected[i];
        // A damaged file's line may be megabytes long: its start tells which it is.
        text += "Line " + std::to_string(line.line) + ": " + line.reason + ": " + excerpt(line.text, 200) + "\n";
    }
    if (shown < result.rejected.size())
        text += "... and " + std::to_string(result.rejected.size() - shown) + " more rejected lines.\n";
    return text;
}

} // namespace orvane
