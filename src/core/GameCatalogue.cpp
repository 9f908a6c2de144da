#include "core/GameCatalogue.h"

#include "core/FileBytes.h"
#include "core/GameCatalogueText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace orvane {

namespace {

std::string withoutSpaceAround(std::string_view text) {
    std::size_t first = 0, last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
    return std::string(text.substr(first, last - first));
}

std::vector<std::string> splitAt(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= line.size(); ++at)
        if (at == line.size() || line[at] == separator) {
            fields.push_back(withoutSpaceAround(line.substr(start, at - start)));
            start = at + 1;
        }
    return fields;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// "5", "5+1" (and one bonus number), "5+x" (and the extra ball).
std::optional<PrizeTier> tierOf(const std::string& text) {
    const std::vector<std::string> parts = splitAt(text, '+');
    if (parts.empty() || parts.size() > 2) return std::nullopt;
    const auto whole = [](const std::string& part, int& value) {
        if (part.empty() || part.size() > 2 || !std::all_of(part.begin(), part.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c)) != 0;
            }))
            return false;
        value = std::stoi(part);
        return true;
    };
    PrizeTier tier;
    if (!whole(parts[0], tier.main)) return std::nullopt;
    if (parts.size() == 2) {
        if (sameIgnoringCase(parts[1], "x"))
            tier.extra = true;
        else if (!whole(parts[1], tier.bonus))
            return std::nullopt;
    }
    return tier;
}

std::optional<Game> gameOfLine(std::string_view line, std::string& problem) {
    const std::vector<std::string> fields = splitAt(line, '|');
    if (fields.size() != 4) {
        problem = "a game is \"name | matrix | extra | tiers\", four parts split by |";
        return std::nullopt;
    }
    if (fields[0].empty()) {
        problem = "the game has no name";
        return std::nullopt;
    }
    const std::optional<Game> matrix = gameFromMatrix(fields[1], &problem);
    if (!matrix) return std::nullopt;
    if (!fields[2].empty() && !sameIgnoringCase(fields[2], "extra")) {
        problem = "the third part is \"extra\" for an extra ball, or empty; it holds \"" + fields[2] + "\"";
        return std::nullopt;
    }
    const std::optional<std::vector<PrizeTier>> tiers = tiersOfText(fields[3], &problem);
    if (!tiers) return std::nullopt;
    return Game::make(fields[0], matrix->highest(), matrix->perTicket(), !fields[2].empty(), matrix->bonusPool(),
                      matrix->bonusDrawn(), *tiers, &problem);
}

} // namespace

std::optional<std::vector<PrizeTier>> tiersOfText(std::string_view text, std::string* problem) {
    std::vector<PrizeTier> tiers;
    if (withoutSpaceAround(text).empty()) return tiers;
    for (const std::string& token : splitAt(text, ',')) {
        const std::optional<PrizeTier> tier = tierOf(token);
        if (!tier) {
            if (problem)
                *problem = "\"" + token +
                           "\" is no prize tier: write 5, 5+1 (with a bonus number) or 5+x (with the extra ball)";
            return std::nullopt;
        }
        tiers.push_back(*tier);
    }
    return tiers;
}

std::string tiersText(const std::vector<PrizeTier>& tiers) {
    std::string text;
    for (const PrizeTier& tier : tiers) {
        if (!text.empty()) text += ", ";
        text += std::to_string(tier.main);
        if (tier.extra) text += "+x";
        if (tier.bonus > 0) text += "+" + std::to_string(tier.bonus);
    }
    return text;
}

std::string gameLine(const Game& game) {
    return game.name() + " | " + game.matrix() + " | " + (game.extraBall() ? "extra" : "") + " | " +
           tiersText(game.tiers());
}

bool sameGameName(std::string_view a, std::string_view b) { return sameIgnoringCase(a, b); }

GameList readGameList(std::string_view text, std::string_view fileName) {
    GameList list;
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string line = withoutSpaceAround(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        std::string problem;
        std::optional<Game> game = gameOfLine(line, problem);
        if (game && std::any_of(list.games.begin(), list.games.end(),
                                [&](const Game& known) { return sameIgnoringCase(known.name(), game->name()); })) {
            problem = "a game named \"" + game->name() + "\" comes earlier";
            game.reset();
        }
        if (game)
            list.games.push_back(std::move(*game));
        else
            list.problems.push_back(std::string(fileName) + ", line " + std::to_string(lineNumber) + ": " + problem +
                                    ".");
    }
    return list;
}

const std::vector<Game>& catalogueGames() {
    static const std::vector<Game> games = readGameList(kGameCatalogueText, "GAMES.TXT").games;
    return games;
}

std::string ownGamesPath(const DataPaths& paths) {
    return (std::filesystem::path(paths.folder) / "MYGAMES.TXT").string();
}

GameList readOwnGames(const DataPaths& paths) {
    const std::string path = ownGamesPath(paths);
    std::string text;
    const int error = readFileBytes(path, text);
    if (error == ENOENT) return {};
    if (error != 0) return GameList{{}, {path + " could not be read (" + std::strerror(error) + ")."}};
    return readGameList(text, path);
}

std::vector<Game> knownGames(const DataPaths& paths) {
    std::vector<Game> games = catalogueGames();
    for (Game& own : readOwnGames(paths).games) games.push_back(std::move(own));
    return games;
}

std::optional<Game> findGame(std::string_view text, const std::vector<Game>& games, std::string* problem) {
    const std::string wanted = withoutSpaceAround(text);
    for (const Game& game : games)
        if (sameIgnoringCase(game.name(), wanted)) return game;
    std::string why;
    std::optional<Game> matrix = gameFromMatrix(wanted, &why);
    if (!matrix) {
        if (problem)
            *problem = "\"" + wanted +
                       "\" names no game: give a game's name (orvane games lists them) or its matrix, "
                       "such as 5/39 or 5/69+1/26";
        const bool looksLikeMatrix = wanted.find('/') != std::string::npos;
        if (problem && looksLikeMatrix) *problem = why;
        return std::nullopt;
    }
    for (const Game& game : games)
        if (game.matrix() == matrix->matrix()) return game;
    return matrix;
}

} // namespace orvane
