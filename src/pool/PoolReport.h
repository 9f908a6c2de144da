#pragma once

#include "pool/PoolGeneration.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The line that opens a pool's bonus numbers, after an empty line.
inline constexpr std::string_view kBonusPoolHeading = "Bonus numbers, best first:";

// The pool as the output box shows it in the Minimum style: one number per
// line in free numeric format (" 7 "), best first, every line ended by CR LF.
// Bonus numbers, when there are any, follow in the same form after an empty
// line and the bonus heading.
std::string minimumPoolText(const std::vector<int>& pool, const std::vector<int>& bonus = {});

// What the Verbose report's heading lines quote.
struct VerboseHeading {
    PoolParameters parameters;
    std::string trendLengthText; // cboTrendLength's text
    std::string bestGroupsText;  // cboBestGroups's text
    std::string date;            // the report's date and time in the user's formats
    std::string time;
    Game game = Game::lotto649();
};

// The Verbose report: the version line, the one-line notice, the requested
// size, the draws it is good for, the trend length, the comparison groups,
// "Report Generated DATE at TIME", an empty line, then "1 - 7", "2 - 31", ...
// Another game than 6/49 is named after the notice, and a game with a bonus
// pool has its requested bonus pool size after the pool's and its bonus
// numbers ranked the same way after an empty line and the bonus heading.
// Every line ended by CR LF.
std::string verbosePoolText(const std::vector<int>& pool, const VerboseHeading& heading,
                            const std::vector<int>& bonus = {});

// The pool file's saved form: the output box's text with the blanks at its
// very start and very end removed, then one CR LF.
std::string savedPoolText(std::string_view boxText);

} // namespace orvane
