#include "cover/CoverList.h"

#include "core/SetWalk.h"
#include "cover/CoverJob.h"

#include <algorithm>
#include <cstdio>

namespace orvane {

namespace {

std::string twoDigits(int number) {
    char text[4];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

// The bonus part each ticket of the game is written with, in turn; none for
// 6/49 or with no bonus numbers picked.
std::vector<std::string> bonusPartsOf(const Game& game, const std::vector<int>& pickedBonus) {
    if (!game.hasBonusPool() || pickedBonus.empty()) return {};
    return bonusParts(pickedBonus, game.bonusDrawn());
}

// Closes the output after its records; false, with `failure` filled, when a
// record or the close failed.
bool endWriting(WheelOutput& output, bool recorded, Notice& failure) {
    if (!recorded) {
        failure = output.failure();
        output.close();
        return false;
    }
    if (output.close()) return true;
    failure = output.failure();
    return false;
}

} // namespace

std::string coverListText(const std::vector<int>& pool, Guarantee guarantee,
                          const std::vector<std::vector<int>>& tickets, const Game& game,
                          const std::vector<int>& pickedBonus) {
    const std::vector<std::string> parts = bonusPartsOf(game, pickedBonus);
    std::string text = "Abbreviated wheel: " + coverResultText(tickets.size(), guarantee) + "\r\n";
    text += "Pool (" + std::to_string(pool.size()) + " numbers):";
    for (int number : pool) text += " " + twoDigits(number);
    text += "\r\n\r\n";
    const std::size_t width = std::to_string(tickets.size()).size();
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        std::string count = std::to_string(i + 1);
        text += std::string(width - count.size(), ' ') + count + ":";
        for (int number : tickets[i]) text += " " + twoDigits(number);
        if (!parts.empty()) text += parts[i % parts.size()];
        text += "\r\n";
    }
    return text;
}

bool writeCoverTickets(const std::vector<Combination>& tickets, WheelOutput& output, Notice& failure) {
    std::uint64_t count = 0;
    bool recorded = true;
    for (const Combination& ticket : tickets) {
        ++count;
        if (!(recorded = output.record(ticket, count, count))) break;
    }
    return endWriting(output, recorded, failure);
}

std::vector<std::string> gameCoverLines(const std::vector<std::vector<int>>& tickets, const Game& game,
                                        const std::vector<int>& pickedBonus) {
    const std::vector<std::string> parts = bonusPartsOf(game, pickedBonus);
    std::vector<std::string> lines;
    lines.reserve(tickets.size());
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        std::string line;
        for (int number : tickets[i]) {
            if (!line.empty()) line += ' ';
            line += std::to_string(number);
        }
        if (!parts.empty()) line += parts[i % parts.size()];
        lines.push_back(std::move(line));
    }
    return lines;
}

bool writeCoverLines(const std::vector<std::string>& lines, WheelOutput& output, Notice& failure) {
    std::uint64_t count = 0;
    bool recorded = true;
    for (const std::string& line : lines)
        if (!(recorded = output.recordText(line, ++count))) break;
    return endWriting(output, recorded, failure);
}

bool writeCoverList(const std::vector<std::vector<int>>& tickets, const Game& game, const std::vector<int>& pickedBonus,
                    WheelOutput& output, Notice& failure) {
    if (!game.isLotto649()) return writeCoverLines(gameCoverLines(tickets, game, pickedBonus), output, failure);
    std::vector<Combination> sets;
    sets.reserve(tickets.size());
    for (const std::vector<int>& ticket : tickets) {
        Combination set{};
        std::copy_n(ticket.begin(), std::min(ticket.size(), set.size()), set.begin());
        sets.push_back(set);
    }
    return writeCoverTickets(sets, output, failure);
}

} // namespace orvane
