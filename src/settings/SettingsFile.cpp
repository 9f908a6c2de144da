#include "settings/SettingsFile.h"

#include "core/AtomicFile.h"
#include "core/Excerpt.h"
#include "core/GameCatalogue.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

namespace orvane {

namespace {

// One line of the file: how to write it and how to apply it when read
// (false when the text cannot be converted).
struct Line {
    std::function<std::string()> write;
    std::function<bool(const std::string&)> read;
};

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool readBoolean(const std::string& text, bool& value) {
    std::string word = trimmed(text);
    std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::tolower(c); });
    if (word == "true") return value = true, true;
    if (word == "false") return value = false, true;
    long number = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (word.empty() || ec != std::errc() || end != word.data() + word.size()) return false;
    value = number != 0;
    return true;
}

const char* booleanText(bool value) { return value ? "True" : "False"; }

// A main-window text box: an empty text is kept as "-".
Line textBox(std::string& box) {
    return {[&box] { return box.empty() ? std::string("-") : box; },
            [&box](const std::string& line) {
                box = line == "-" ? std::string() : line;
                return true;
            }};
}

// A path or a combo text, written unchanged; an empty combo line takes its default.
Line plainText(std::string& text, const std::optional<std::string>& whenEmpty = std::nullopt) {
    return {[&text] { return text; },
            [&text, whenEmpty](const std::string& line) {
                text = line.empty() && whenEmpty ? *whenEmpty : line;
                return true;
            }};
}

constexpr std::string_view kGameLineStart = "Game | ";

// "Game | Fantasy 5 | 5/39": the first line of another game's file.
std::string gameLineOf(const Game& game) { return std::string(kGameLineStart) + game.name() + " | " + game.matrix(); }

// The game a first line names: the catalogue's game of that name and matrix,
// else the matrix with the name (or alone); nothing when the line names no game, or is
// no game line at all (`isGameLine` false).
std::optional<Game> gameOfLine(const std::string& line, bool& isGameLine, std::string& problem) {
    isGameLine = line.rfind(kGameLineStart, 0) == 0;
    if (!isGameLine) return std::nullopt;
    const std::string rest = line.substr(kGameLineStart.size());
    const std::size_t bar = rest.rfind(" | ");
    if (bar == std::string::npos) {
        problem = "it names no matrix";
        return std::nullopt;
    }
    const std::string name = trimmed(rest.substr(0, bar));
    std::optional<Game> matrix = gameFromMatrix(trimmed(rest.substr(bar + 3)), &problem);
    if (!matrix) return std::nullopt;
    if (name.empty()) return matrix;
    for (const Game& known : catalogueGames())
        if (known.matrix() == matrix->matrix() && known.name() == name) return known;
    return Game::make(name, matrix->highest(), matrix->perTicket(), matrix->extraBall(), matrix->bonusPool(),
                      matrix->bonusDrawn(), {}, &problem);
}

// A check box: 0, 1 or 2 in free numeric format, " 1 ".
Line checkBox(CheckValue& value) {
    return {[&value] { return " " + std::to_string(value) + " "; },
            [&value](const std::string& line) {
                const std::string word = trimmed(line);
                int number = 0;
                auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), number);
                if (word.empty() || ec != std::errc() || end != word.data() + word.size() || number < 0 || number > 2)
                    return false;
                value = number;
                return true;
            }};
}

// One option button of a group: True when the group's choice is this one.
// Reading True chooses it; reading False leaves the group's choice alone.
template <typename Choice> Line option(Choice& group, Choice mine) {
    return {[&group, mine] { return std::string(booleanText(group == mine)); },
            [&group, mine](const std::string& line) {
                bool selected = false;
                if (!readBoolean(line, selected)) return false;
                if (selected) group = mine;
                return true;
            }};
}

// One flag of a list of them, such as the accepted sums.
Line flag(std::vector<bool>& flags, std::size_t i) {
    return {[&flags, i] { return std::string(booleanText(flags[i])); },
            [&flags, i](const std::string& line) {
                bool value = false;
                if (!readBoolean(line, value)) return false;
                flags[i] = value;
                return true;
            }};
}

std::vector<Line> linesOf(SettingsFile& s) {
    FilterControls& f = s.filters;
    std::vector<Line> lines;
    lines.reserve(kSettingsLineCount);
    if (!s.game.isLotto649())
        lines.push_back({[&s] { return gameLineOf(s.game); }, [](const std::string&) { return true; }});
    lines.push_back(plainText(s.pool.poolSize, std::to_string(s.game.highest())));
    for (int style = 0; style < 2; ++style) lines.push_back(option(s.pool.style, style));
    for (int draws = 0; draws < 5; ++draws) lines.push_back(option(s.pool.draws, draws));
    lines.push_back(plainText(s.pool.trendLength, "5"));
    lines.push_back(plainText(s.pool.bestGroups, "10"));
    lines.push_back(checkBox(s.pool.saveToDisk));
    lines.push_back(checkBox(s.pool.sendToPrinter));
    for (std::string* path : {&s.historyPath, &s.settingsPath, &s.wheelOutputPath, &s.poolPath})
        lines.push_back(plainText(*path));
    for (OutputDestination d : {OutputDestination::Disk, OutputDestination::Printer, OutputDestination::Nothing})
        lines.push_back(option(s.destination, d));
    lines.push_back(option(s.diskMode, DiskMode::Overwrite));
    lines.push_back(option(s.diskMode, DiskMode::Append));
    lines.push_back(checkBox(f.enableRavelin));
    for (CheckValue& evens : f.evensAllowed) lines.push_back(checkBox(evens));
    for (std::string* box : {&f.minSum, &f.maxSum, &f.maxDif, &f.lastDrawNumMax, &f.lastDrawNumMaxPos})
        lines.push_back(textBox(*box));
    lines.push_back(checkBox(f.rejectLast15Sums));
    for (std::string& box : f.tens) lines.push_back(textBox(box));
    for (std::string& box : f.ones) lines.push_back(textBox(box));
    for (CheckValue* box : {&f.enablePairs, &f.allowPairs, &f.allowTwoPairs, &f.allowThreePairs, &f.requirePair})
        lines.push_back(checkBox(*box));
    lines.push_back(textBox(f.maxConsecutives));
    lines.push_back(checkBox(f.evensSignatures));
    lines.push_back(checkBox(f.enablePosAnalysis));
    for (PositionPreset preset : {PositionPreset::Percent99, PositionPreset::Percent98, PositionPreset::Percent90,
                                  PositionPreset::Percent50, PositionPreset::UserLimits})
        lines.push_back(option(f.positionPreset, preset));
    for (std::string& box : f.positionLimits) lines.push_back(textBox(box));
    lines.push_back(checkBox(f.enableLocks));
    for (std::string& box : f.lockedIn) lines.push_back(textBox(box));
    for (std::string& box : f.lockedOut) lines.push_back(textBox(box));
    for (std::string* box : {&f.maxBelowMid, &f.minBelowMid, &f.maxAboveMid, &f.minAboveMid})
        lines.push_back(textBox(*box));
    lines.push_back(checkBox(f.enableKeyNumbers));
    for (KeyRule rule : {KeyRule::RequireAll, KeyRule::RequireAny, KeyRule::AllowOnlyOne})
        lines.push_back(option(f.keyRule, rule));
    for (std::string& box : f.keyNumbers) lines.push_back(textBox(box));
    lines.push_back(checkBox(f.filterAgainstHistory));
    lines.push_back(textBox(f.maxFromHistory));
    lines.push_back(checkBox(f.enableSumPick));
    for (std::size_t sum = 0; sum < f.sumsAccepted.size(); ++sum) lines.push_back(flag(f.sumsAccepted, sum));
    return lines;
}

} // namespace

SettingsFile settingsFor(const Game& game) {
    SettingsFile settings;
    settings.game = game;
    settings.filters = FilterControls(game);
    settings.pool.poolSize = std::to_string(game.highest());
    return settings;
}

std::string settingsText(const SettingsFile& settings) {
    SettingsFile copy = settings; // the line table binds to a mutable file
    std::string text;
    for (const Line& line : linesOf(copy)) text += line.write() + "\r\n";
    return text;
}

std::string saveSettingsFile(const std::string& path, const SettingsFile& settings) {
    if (const std::optional<std::string> reason = writeFileAtomically(path, settingsText(settings)))
        return "The settings file " + path + " could not be written (" + *reason + ").";
    return {};
}

namespace {

enum class LineRead { Whole, TooLong, End };

// Reads the next line without its LF (or CR LF) end, keeping at most
// kLongestSettingsLine characters: a longer line stops the read there.
LineRead nextSettingsLine(std::istream& in, std::string& text) {
    text.clear();
    std::streambuf* source = in.rdbuf();
    bool any = false;
    for (int c = source->sbumpc(); c != std::char_traits<char>::eof(); c = source->sbumpc()) {
        any = true;
        if (c == '\n') break;
        if (text.size() == kLongestSettingsLine + 1) return LineRead::TooLong; // room for a CR before the LF
        text.push_back(static_cast<char>(c));
    }
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.size() > kLongestSettingsLine) return LineRead::TooLong;
    return any ? LineRead::Whole : LineRead::End;
}

} // namespace

std::optional<Game> otherGameOfSettingsFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string first;
    if (!in || nextSettingsLine(in, first) != LineRead::Whole) return std::nullopt;
    bool isGameLine = false;
    std::string problem;
    return gameOfLine(first, isGameLine, problem);
}

SettingsReadResult readSettingsFile(const std::string& path, SettingsFile& settings) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {1, "The settings file " + path + " could not be opened (" + std::strerror(errno) + ")."};
    std::string text;
    // The first line says the game: a line naming one, or none for 6/49.
    LineRead first = nextSettingsLine(in, text);
    bool isGameLine = false;
    std::string problem;
    const std::optional<Game> named = first == LineRead::Whole ? gameOfLine(text, isGameLine, problem) : std::nullopt;
    if (isGameLine && !named)
        return {1, "Line 1 of the settings file " + path + " names no game Orvane knows (" + problem + "): \"" +
                       excerpt(text) + "\"."};
    const Game game = named.value_or(Game::lotto649());
    if (!(game == settings.game)) {
        SettingsFile reset = settingsFor(game);
        reset.historyPath = settings.historyPath;
        reset.settingsPath = settings.settingsPath;
        reset.wheelOutputPath = settings.wheelOutputPath;
        reset.poolPath = settings.poolPath;
        settings = std::move(reset);
    }
    std::vector<Line> lines = linesOf(settings);
    const int lineCount = static_cast<int>(lines.size());
    for (int number = 1; number <= lineCount; ++number) {
        const auto where = [&] { return "Line " + std::to_string(number) + " of the settings file " + path; };
        switch (number == 1 ? first : nextSettingsLine(in, text)) {
        case LineRead::End:
            return {number, "The settings file " + path + " ends before line " + std::to_string(number) + "."};
        case LineRead::TooLong:
            return {number, where() + " is longer than " + std::to_string(kLongestSettingsLine) +
                                " characters, so the file is not a settings file."};
        case LineRead::Whole: break;
        }
        if (!lines[static_cast<std::size_t>(number - 1)].read(text))
            return {number, where() + " cannot be read: \"" + excerpt(text) + "\"."};
    }
    return {};
}

} // namespace orvane
