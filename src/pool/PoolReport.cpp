#include "pool/PoolReport.h"

#include "core/LineEnd.h"
#include "core/Version.h"

namespace orvane {

namespace {

void addLine(std::string& text, std::string_view line) {
    text += line;
    text += kLineEnd;
}

void addMinimumLines(std::string& text, const std::vector<int>& numbers) {
    for (int number : numbers) addLine(text, " " + std::to_string(number) + " ");
}

void addRankedLines(std::string& text, const std::vector<int>& numbers) {
    for (std::size_t rank = 1; rank <= numbers.size(); ++rank)
        addLine(text, std::to_string(rank) + " - " + std::to_string(numbers[rank - 1]));
}

void addBonusHeading(std::string& text) {
    addLine(text, "");
    addLine(text, kBonusPoolHeading);
}

} // namespace

std::string minimumPoolText(const std::vector<int>& pool, const std::vector<int>& bonus) {
    std::string text;
    addMinimumLines(text, pool);
    if (!bonus.empty()) {
        addBonusHeading(text);
        addMinimumLines(text, bonus);
    }
    return text;
}

std::string verbosePoolText(const std::vector<int>& pool, const VerboseHeading& heading,
                            const std::vector<int>& bonus) {
    const PoolParameters& parameters = heading.parameters;
    std::string text;
    addLine(text, "VN-Gathra, a Part of VN-Tambril, Version " + std::to_string(kVersionMajor) + "." +
                      std::to_string(kVersionMinor) + ", Build " + std::to_string(kVersionRevision));
    addLine(text, "For entertainment only; no method changes the odds of a draw.");
    if (!heading.game.isLotto649()) addLine(text, "Game: " + heading.game.title());
    addLine(text, "Requested Pool Size: " + std::to_string(parameters.poolSize));
    if (heading.game.hasBonusPool())
        addLine(text, "Requested Bonus Pool Size: " + std::to_string(parameters.bonusPoolSize));
    addLine(text, "This number pool is good for the next " + std::to_string(parameters.followingDraws) + " draw(s).");
    addLine(text, "User specified trend length used: " + heading.trendLengthText);
    addLine(text, "User requested the use of the top " + heading.bestGroupsText + " comparison groups.");
    addLine(text, "Report Generated " + heading.date + " at " + heading.time);
    addLine(text, "");
    addRankedLines(text, pool);
    if (!bonus.empty()) {
        addBonusHeading(text);
        addRankedLines(text, bonus);
    }
    return text;
}

std::string savedPoolText(std::string_view boxText) {
    // Only blanks go: the line end that closes the box's last line stays, so
    // with the one added the saved file ends with an empty line.
    const std::size_t first = boxText.find_first_not_of(' ');
    std::string saved;
    if (first != std::string_view::npos) {
        const std::size_t last = boxText.find_last_not_of(' ');
        saved = boxText.substr(first, last - first + 1);
    }
    saved += kLineEnd;
    return saved;
}

} // namespace orvane
