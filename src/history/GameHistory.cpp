#include "history/GameHistory.h"

#include "core/DataPaths.h"

#include "core/Excerpt.h"
#include "core/FileBytes.h"
#include "history/DrawDate.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <tuple>

namespace orvane {

namespace {

// The text of a line split at blanks; a "+" stands as a field of its own.
std::vector<std::string> wordsOfLine(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    const auto close = [&] {
        if (!word.empty()) words.push_back(word);
        word.clear();
    };
    for (char c : line) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            close();
        } else if (c == '+') {
            close();
            words.emplace_back("+");
        } else {
            word += c;
        }
    }
    close();
    return words;
}

bool readWhole(const std::string& text, int& value) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }))
        return false;
    value = std::stoi(text);
    return true;
}

bool readDrawDate(const std::string& text, GameDraw& draw) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    return readWhole(text.substr(0, 4), draw.year) && readWhole(text.substr(5, 2), draw.month) &&
           readWhole(text.substr(8, 2), draw.day);
}

std::string paddedNumber(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string drawDateText(const GameDraw& draw) {
    std::string year = std::to_string(draw.year);
    while (year.size() < 4) year.insert(year.begin(), '0');
    return year + "-" + paddedNumber(draw.month) + "-" + paddedNumber(draw.day);
}

// Why the numbers are no draw of the game: out of range or twice.
std::string numbersProblem(const std::vector<int>& numbers, int highest, const char* kind) {
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (numbers[i] < 1 || numbers[i] > highest)
            return std::string("the ") + kind + std::to_string(numbers[i]) + ", outside 1 to " +
                   std::to_string(highest);
        if (std::find(numbers.begin(), numbers.begin() + static_cast<long>(i), numbers[i]) !=
            numbers.begin() + static_cast<long>(i))
            return std::string("the ") + kind + std::to_string(numbers[i]) + " twice";
    }
    return {};
}

} // namespace

GameHistoryRead readGameHistoryText(std::string_view text, const Game& game, const std::string& path) {
    GameHistoryRead result;
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start < text.size() && result.ok();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::size_t lineStart = start;
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = end + 1;
        ++lineNumber;
        const std::vector<std::string> words = wordsOfLine(line);
        if (words.empty()) continue;
        const std::string where = "Line " + std::to_string(lineNumber) + " of the history file " + path;
        const auto perTicket = static_cast<std::size_t>(game.perTicket());
        const auto bonusDrawn = static_cast<std::size_t>(game.bonusDrawn());
        const std::size_t expected = 1 + perTicket + (game.hasBonusPool() ? 1 + bonusDrawn : 0);
        GameDraw draw;
        bool shaped = words.size() == expected && readDrawDate(words[0], draw);
        for (std::size_t k = 0; shaped && k < perTicket; ++k) {
            int n = 0;
            shaped = readWhole(words[1 + k], n);
            draw.numbers.push_back(n);
        }
        if (shaped && game.hasBonusPool()) {
            shaped = words[1 + perTicket] == "+";
            for (std::size_t k = 0; shaped && k < bonusDrawn; ++k) {
                int n = 0;
                shaped = readWhole(words[2 + perTicket + k], n);
                draw.bonus.push_back(n);
            }
        }
        if (!shaped) {
            std::string form = "a date YYYY-MM-DD and " + std::to_string(perTicket) + " numbers";
            if (game.hasBonusPool())
                form += ", then + and " + std::to_string(bonusDrawn) +
                        (bonusDrawn == 1 ? " bonus number" : " bonus numbers");
            result.error = where;
            result.error += " is not a draw of " + game.spacedMatrix();
            result.error += " (" + form + "): \"";
            result.error += excerpt(line) + "\".";
            break;
        }
        if (const std::optional<std::string> problem = drawProblem(game, draw)) {
            result.error = where + " holds " + *problem + ".";
            break;
        }
        // A draw typed in another order is read with its numbers sorted, as 6/49's are:
        // the filters that read the history take its numbers by position.
        std::sort(draw.numbers.begin(), draw.numbers.end());
        std::sort(draw.bonus.begin(), draw.bonus.end());
        result.places.emplace_back(lineStart, std::min(start, text.size()));
        result.draws.push_back(std::move(draw));
    }
    if (!result.ok()) {
        result.draws.clear();
        result.places.clear();
    }
    return result;
}

std::optional<std::string> drawProblem(const Game& game, const GameDraw& draw) {
    if (draw.month < 1 || draw.month > 12 || draw.day < 1 || draw.day > daysInMonth(draw.year, draw.month))
        return "the date " + drawDateText(draw) + ", which is not a calendar date";
    std::string problem = numbersProblem(draw.numbers, game.highest(), "number ");
    if (problem.empty()) problem = numbersProblem(draw.bonus, game.bonusPool(), "bonus number ");
    if (!problem.empty()) return problem;
    return std::nullopt;
}

bool drawnBefore(const GameDraw& a, const GameDraw& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

GameHistoryRead readGameHistory(const Game& game, const std::string& path) {
    std::string text;
    if (const int error = readFileBytes(path, text); error != 0) {
        GameHistoryRead result;
        result.error = "The history file " + path + " could not be opened (" + std::strerror(error) + ").";
        return result;
    }
    return readGameHistoryText(text, game, path);
}

std::string gameHistoryLine(const GameDraw& draw) {
    std::string line = drawDateText(draw) + " ";
    for (int n : draw.numbers) line += " " + paddedNumber(n);
    if (!draw.bonus.empty()) {
        line += " +";
        for (int n : draw.bonus) line += " " + paddedNumber(n);
    }
    return line + "\r\n";
}

std::string gameHistoryFileName(const Game& game) { return gameFileName(game, ".HIT"); }

} // namespace orvane
