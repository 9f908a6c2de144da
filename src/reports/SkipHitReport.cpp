#include "reports/SkipHitReport.h"

#include <algorithm>

namespace orvane {

namespace {

std::size_t digitsOf(std::uint64_t value) { return std::to_string(value).size(); }

void appendRight(std::string& line, const std::string& value, std::size_t width) {
    if (value.size() < width) line.append(width - value.size(), ' ');
    line += value;
}

std::string tenthsText(std::uint64_t tenths) { return std::to_string(tenths / 10) + '.' + std::to_string(tenths % 10); }

} // namespace

std::vector<NumberSkips> skipsOfNumbers(const GameReportDraws& draws) {
    // Per number: the index of its latest draw (1-based, 0 for none), and
    // every skip oldest first.
    const int highest = draws.game.highest();
    const auto numbers = static_cast<std::size_t>(highest);
    std::vector<std::uint64_t> latest(numbers, 0);
    std::vector<std::uint64_t> drawn(numbers, 0);
    std::vector<std::vector<std::uint64_t>> skips(numbers);

    std::uint64_t index = 0;
    for (std::span<const int> draw : draws.numbers) {
        ++index;
        for (int number : draw) {
            if (number < 1 || number > highest) continue;
            const auto slot = static_cast<std::size_t>(number - 1);
            // The same number twice in one draw counts the draw once.
            if (latest[slot] == index) continue;
            if (latest[slot] != 0) skips[slot].push_back(index - latest[slot] - 1);
            latest[slot] = index;
            ++drawn[slot];
        }
    }

    const std::uint64_t total = index;
    std::vector<NumberSkips> result;
    result.reserve(numbers);
    for (std::size_t slot = 0; slot < numbers; ++slot) {
        const std::vector<std::uint64_t>& own = skips[slot];
        NumberSkips figures;
        figures.number = static_cast<int>(slot) + 1;
        figures.drawn = drawn[slot];
        figures.current = total - latest[slot];
        figures.longest = figures.current;
        std::uint64_t sum = 0;
        for (std::uint64_t skip : own) {
            figures.longest = std::max(figures.longest, skip);
            sum += skip;
        }
        if (!own.empty()) {
            const std::uint64_t count = own.size();
            figures.averageTenths = (sum * 20 + count) / (count * 2);
        }
        const std::size_t listed = std::min(own.size(), kListedSkips);
        figures.lastSkips.assign(own.rbegin(), own.rbegin() + static_cast<std::ptrdiff_t>(listed));
        result.push_back(std::move(figures));
    }
    return result;
}

SkipHitReport skipHitReport(const GameReportDraws& draws) {
    SkipHitReport report;
    report.draws = draws.size();
    report.numbers = skipsOfNumbers(draws);

    const std::string drawnHeading = "Drawn";
    const std::string currentHeading = "Current";
    const std::string longestHeading = "Longest";
    const std::string averageHeading = "Average";
    // No count exceeds the number of draws, and no average has more whole digits.
    const std::size_t digits = digitsOf(report.draws);
    const std::size_t drawnWidth = std::max(drawnHeading.size(), digits);
    const std::size_t currentWidth = std::max(currentHeading.size(), digits);
    const std::size_t longestWidth = std::max(longestHeading.size(), digits);
    const std::size_t averageWidth = std::max(averageHeading.size(), digits + 2);
    // The listed skips are as wide as the widest of them, so a history's usual
    // line fits a printed page at the report window's font.
    std::uint64_t widestSkip = 0;
    for (const NumberSkips& figures : report.numbers)
        for (std::uint64_t skip : figures.lastSkips) widestSkip = std::max(widestSkip, skip);
    const std::size_t skipWidth = std::max<std::size_t>(2, digitsOf(widestSkip));

    std::string& text = report.text;
    text += "Skip/Hit Report of " + std::to_string(report.draws) + " draws in the history file.\r\n\r\n";
    std::string heading = "No";
    for (const auto& [name, width] :
         {std::pair{drawnHeading, drawnWidth}, std::pair{currentHeading, currentWidth},
          std::pair{longestHeading, longestWidth}, std::pair{averageHeading, averageWidth}}) {
        heading += "  ";
        appendRight(heading, name, width);
    }
    heading += "  Last ten skips, newest first";
    text += heading + "\r\n";
    report.columnHeading = heading;

    for (const NumberSkips& figures : report.numbers) {
        std::string line = figures.number < 10 ? "0" : "";
        line += std::to_string(figures.number);
        line += "  ";
        appendRight(line, std::to_string(figures.drawn), drawnWidth);
        line += "  ";
        appendRight(line, std::to_string(figures.current), currentWidth);
        line += "  ";
        appendRight(line, std::to_string(figures.longest), longestWidth);
        line += "  ";
        appendRight(line, figures.averageTenths ? tenthsText(*figures.averageTenths) : "-", averageWidth);
        // The first skip's field starts under the first letter of its heading.
        if (!figures.lastSkips.empty()) line += ' ';
        for (std::uint64_t skip : figures.lastSkips) {
            line += ' ';
            appendRight(line, std::to_string(skip), skipWidth);
        }
        line += "\r\n";
        text += line;
        report.currentSkips.emplace_back(figures.number, figures.current);
    }
    return report;
}

} // namespace orvane
