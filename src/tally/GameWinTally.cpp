#include "tally/GameWinTally.h"

#include "core/NumberText.h"
#include "tally/PrizeTiers.h"
#include "tally/WinTally.h"

#include <algorithm>
#include <charconv>
#include <fstream>

namespace orvane {

namespace {

bool isFieldGap(char c) { return c == ' ' || c == '\t'; }

// Reads the numbers of `text` separated by blanks into `set`: exactly `count`
// different ones from 1 to `highest`.
bool readNumbers(std::string_view text, int count, int highest, NumberSet& set) {
    int read = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isFieldGap(text[i])) ++i;
        if (i == text.size()) break;
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value);
        if (ec != std::errc() || value < 1 || value > highest || set.has(value)) return false;
        set.add(value);
        ++read;
        i = static_cast<std::size_t>(end - text.data());
        if (i < text.size() && !isFieldGap(text[i])) return false;
    }
    return read == count;
}

} // namespace

std::optional<GameLine> gameLineOf(std::string_view line, const Game& game) {
    if (const std::size_t colon = line.find(':'); colon != std::string_view::npos) {
        const std::string_view count = line.substr(0, colon);
        if (count.find_first_not_of("0123456789 \t") != std::string_view::npos) return std::nullopt;
        line.remove_prefix(colon + 1);
    }
    GameLine parsed;
    const std::size_t plus = line.find('+');
    const int bonusCount = plus == std::string_view::npos ? 0 : game.bonusDrawn();
    if (!readNumbers(line.substr(0, plus), game.perTicket(), game.highest(), parsed.numbers)) return std::nullopt;
    if (plus != std::string_view::npos &&
        (!game.hasBonusPool() || !readNumbers(line.substr(plus + 1), bonusCount, game.bonusPool(), parsed.bonus)))
        return std::nullopt;
    return parsed;
}

GameWinTallyJob::GameWinTallyJob(const std::string& path, Game game, NumberSet winning, NumberSet bonusDrawn)
    : path_(path), game_(std::move(game)), winning_(winning), bonusDrawn_(bonusDrawn), in_(path, std::ios::binary) {
    tally_.lines.assign(static_cast<std::size_t>(game_.perTicket()) + 1,
                        std::vector<std::uint64_t>(static_cast<std::size_t>(game_.bonusDrawn()) + 1, 0));
    if (!in_) fail(outputFileNotOpenedNotice(path_));
}

void GameWinTallyJob::fail(Notice notice) {
    tally_.failure = std::move(notice);
    for (auto& row : tally_.lines) row.assign(row.size(), 0);
    stop();
}

void GameWinTallyJob::stop() {
    ended_ = true;
    if (in_.is_open()) in_.close();
}

bool GameWinTallyJob::advance(std::chrono::nanoseconds budget) {
    const auto deadline = std::chrono::steady_clock::now() + budget;
    // Lines read between two looks at the clock.
    constexpr int kLinesPerClockCheck = 4096;
    std::string text;
    while (!ended_) {
        for (int i = 0; i < kLinesPerClockCheck; ++i) {
            if (!std::getline(in_, text)) {
                stop();
                return true;
            }
            ++lineNumber_;
            if (!text.empty() && text.back() == '\r') text.pop_back();
            const std::optional<GameLine> line = gameLineOf(text, game_);
            if (!line) {
                fail(Notice{"Line " + std::to_string(lineNumber_) + " of the wheel output file " + path_ +
                                " does not hold a line of " + game_.title() + ", so the file cannot be checked.",
                            "Wheel Output File", NoticeIcon::Exclamation});
                return true;
            }
            ++tally_.lines[static_cast<std::size_t>(line->numbers.shared(winning_))]
                          [static_cast<std::size_t>(line->bonus.shared(bonusDrawn_))];
            lastLine_ = text;
        }
        if (std::chrono::steady_clock::now() >= deadline) break;
    }
    return ended_;
}

GameWinTally tallyGameFile(const std::string& path, const Game& game, const NumberSet& winning,
                           const NumberSet& bonusDrawn) {
    GameWinTallyJob job(path, game, winning, bonusDrawn);
    while (!job.advance(std::chrono::hours(1))) {}
    return job.tally();
}

std::vector<std::pair<std::string, std::uint64_t>> hitRows(const Game& game, const GameWinTally& tally,
                                                           bool bonusKnown) {
    std::vector<std::pair<std::string, std::uint64_t>> rows;
    const std::string ofK = " of " + std::to_string(game.perTicket());
    for (std::size_t hits = 0; hits < tally.lines.size(); ++hits) {
        const std::vector<std::uint64_t>& byBonus = tally.lines[hits];
        if (!bonusKnown || !game.hasBonusPool()) {
            std::uint64_t lines = 0;
            for (std::uint64_t count : byBonus) lines += count;
            rows.emplace_back(std::to_string(hits) + ofK, lines);
            continue;
        }
        for (std::size_t b = 0; b < byBonus.size(); ++b)
            rows.emplace_back(std::to_string(hits) + ofK + " + " + std::to_string(b) + " of " +
                                  std::to_string(game.bonusDrawn()) + " bonus",
                              byBonus[b]);
    }
    return rows;
}

std::vector<std::pair<std::string, std::uint64_t>> tierRows(const Game& game, const GameWinTally& tally) {
    const std::vector<std::uint64_t> byTier = linesByTier(game, tally.lines);
    std::vector<std::pair<std::string, std::uint64_t>> rows;
    for (std::size_t t = 0; t < game.tiers().size(); ++t)
        rows.emplace_back(Game::tierLabel(game.tiers()[t]), byTier[t]);
    return rows;
}

TypedNumbers readTypedNumbers(const std::vector<std::string>& boxes, int highest, const std::string& what) {
    TypedNumbers typed;
    std::vector<int> values;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        std::string_view text = boxes[i];
        while (!text.empty() && isFieldGap(text.front())) text.remove_prefix(1);
        while (!text.empty() && isFieldGap(text.back())) text.remove_suffix(1);
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        std::string name = what + " " + std::to_string(i + 1);
        if (!name.empty() && name.front() >= 'a' && name.front() <= 'z')
            name.front() = static_cast<char>(name.front() - 'a' + 'A');
        if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 1 || value > highest) {
            typed.faultAt = i;
            const std::string range = "a number from 1 to " + std::to_string(highest);
            typed.problem = name;
            if (text.empty()) {
                typed.problem += " is empty: type ";
            } else {
                typed.problem += " (";
                typed.problem += text;
                typed.problem += ") is not ";
            }
            typed.problem += range;
            typed.problem += '.';
            return typed;
        }
        if (typed.numbers.has(value)) {
            const auto earlier =
                static_cast<std::size_t>(std::find(values.begin(), values.end(), value) - values.begin());
            typed.faultAt = i;
            typed.problem = name;
            typed.problem += " (" + std::to_string(value) + ") repeats ";
            typed.problem += what;
            typed.problem += " " + std::to_string(earlier + 1);
            typed.problem += ": each number of a draw is drawn once.";
            return typed;
        }
        typed.numbers.add(value);
        values.push_back(value);
    }
    return typed;
}

} // namespace orvane
