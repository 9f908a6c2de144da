#include "cover/CoverList.h"

#include "cover/CoverJob.h"

#include <cstdio>

namespace orvane {

namespace {

std::string twoDigits(int number) {
    char text[4];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

} // namespace

std::string coverListText(const std::vector<int>& pool, Guarantee guarantee, const std::vector<Combination>& tickets) {
    std::string text = "Abbreviated wheel: " + coverResultText(tickets.size(), guarantee) + "\r\n";
    text += "Pool (" + std::to_string(pool.size()) + " numbers):";
    for (int number : pool) text += " " + twoDigits(number);
    text += "\r\n\r\n";
    const std::size_t width = std::to_string(tickets.size()).size();
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        std::string count = std::to_string(i + 1);
        text += std::string(width - count.size(), ' ') + count + ":";
        for (int number : tickets[i]) text += " " + twoDigits(number);
        text += "\r\n";
    }
    return text;
}

bool writeCoverTickets(const std::vector<Combination>& tickets, WheelOutput& output, Notice& failure) {
    std::uint64_t count = 0;
    for (const Combination& ticket : tickets) {
        ++count;
        if (!output.record(ticket, count, count)) {
            failure = output.failure();
            output.close();
            return false;
        }
    }
    if (output.close()) return true;
    failure = output.failure();
    return false;
}

} // namespace orvane
