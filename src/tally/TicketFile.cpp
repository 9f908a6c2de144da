#include "tally/TicketFile.h"

#include "core/FileBytes.h"
#include "tally/WinTally.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr std::string_view kListHeading = "Abbreviated wheel:";

} // namespace

TicketFileRead readTicketText(std::string_view text, const Game& game, const std::string& path) {
    TicketFileRead read;
    std::size_t at = 0;
    std::size_t number = 0;
    const auto nextLine = [&](std::string_view& line) {
        if (at >= text.size()) return false;
        const std::size_t end = std::min(text.find('\n', at), text.size());
        line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at = end + 1;
        ++number;
        return true;
    };
    std::string_view line;
    if (text.substr(0, kListHeading.size()) == kListHeading)
        while (nextLine(line) && !line.empty()) {}
    while (nextLine(line)) {
        const std::optional<GameLine> parsed = gameLineOf(line, game);
        if (!parsed) {
            read.lines.clear();
            read.failure = Notice{"Line " + std::to_string(number) + " of the ticket file " + path +
                                      " does not hold a line of " + game.title() + ", so the file cannot be checked.",
                                  "Ticket File", NoticeIcon::Exclamation};
            return read;
        }
        read.lines.push_back(*parsed);
    }
    return read;
}

TicketFileRead readTicketFile(const std::string& path, const Game& game) {
    std::string bytes;
    if (readFileBytes(path, bytes) != 0) {
        TicketFileRead read;
        read.failure = outputFileNotOpenedNotice(path);
        return read;
    }
    return readTicketText(bytes, game, path);
}

} // namespace orvane
