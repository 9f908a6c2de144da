#include "core/OwnGamesFile.h"

#include "core/AtomicFile.h"
#include "core/FileBytes.h"
#include "core/GameCatalogue.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace orvane {

namespace {

constexpr const char* kNewFileHeading = "# Your own games, one a line: name | matrix | extra ball | prize tiers,\n"
                                        "# as in the catalogue of games that comes with Orvane.\n";

struct OwnGamesText {
    std::vector<std::string> lines; // each with its own line end
    std::string lineEnd = "\n";     // the file's own, for a line added
};

std::optional<std::string> readText(const std::string& path, OwnGamesText& text) {
    std::string bytes;
    const int error = readFileBytes(path, bytes);
    if (error == ENOENT)
        bytes = kNewFileHeading;
    else if (error != 0)
        return path + " could not be read (" + std::strerror(error) + "); nothing was changed.";
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        text.lines.push_back(bytes.substr(start, end - start));
        start = end;
    }
    if (bytes.find("\r\n") != std::string::npos) text.lineEnd = "\r\n";
    return std::nullopt;
}

// The line holding the game named `name`, or lines.size().
std::size_t lineOfGame(const OwnGamesText& text, const std::string& name) {
    for (std::size_t i = 0; i < text.lines.size(); ++i) {
        const GameList one = readGameList(text.lines[i], "");
        if (one.games.size() == 1 && sameGameName(one.games.front().name(), name)) return i;
    }
    return text.lines.size();
}

std::optional<std::string> writeText(const std::string& path, const OwnGamesText& text) {
    std::string bytes;
    for (const std::string& line : text.lines) bytes += line;
    if (const std::optional<std::string> failure = writeFileAtomically(path, bytes))
        return path + " could not be written (" + *failure + "); it is as it was.";
    return std::nullopt;
}

} // namespace

std::optional<std::string> saveOwnGame(const DataPaths& paths, const Game& game, const std::string& replacing) {
    const std::string path = ownGamesPath(paths);
    OwnGamesText text;
    if (std::optional<std::string> failure = readText(path, text)) return failure;
    const std::size_t at = replacing.empty() ? text.lines.size() : lineOfGame(text, replacing);
    if (at < text.lines.size()) {
        text.lines[at] = gameLine(game) + text.lineEnd;
    } else {
        if (!text.lines.empty() && text.lines.back().back() != '\n') text.lines.back() += text.lineEnd;
        text.lines.push_back(gameLine(game) + text.lineEnd);
    }
    return writeText(path, text);
}

std::optional<std::string> removeOwnGame(const DataPaths& paths, const std::string& name) {
    const std::string path = ownGamesPath(paths);
    OwnGamesText text;
    if (std::optional<std::string> failure = readText(path, text)) return failure;
    const std::size_t at = lineOfGame(text, name);
    if (at == text.lines.size()) return std::nullopt;
    text.lines.erase(text.lines.begin() + static_cast<std::ptrdiff_t>(at));
    return writeText(path, text);
}

} // namespace orvane
