#include "tally/GameWinTally.h"

#include "core/NumberText.h"
#include "tally/WinTally.h"

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

GameWinTally tallyGameFile(const std::string& path, const Game& game, const NumberSet& winning,
                           const NumberSet& bonusDrawn) {
    GameWinTally tally;
    tally.lines.assign(static_cast<std::size_t>(game.perTicket()) + 1,
                       std::vector<std::uint64_t>(static_cast<std::size_t>(game.bonusDrawn()) + 1, 0));
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        tally.failure = outputFileNotOpenedNotice(path);
        return tally;
    }
    std::string text;
    for (std::uint64_t number = 1; std::getline(in, text); ++number) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const std::optional<GameLine> line = gameLineOf(text, game);
        if (!line) {
            tally.failure = Notice{"Line " + std::to_string(number) + " of the wheel output file " + path +
                                       " does not hold a line of " + game.title() + ", so the file cannot be checked.",
                                   "Wheel Output File", NoticeIcon::Exclamation};
            for (auto& row : tally.lines) row.assign(row.size(), 0);
            return tally;
        }
        ++tally.lines[static_cast<std::size_t>(line->numbers.shared(winning))]
                     [static_cast<std::size_t>(line->bonus.shared(bonusDrawn))];
    }
    return tally;
}

} // namespace orvane
