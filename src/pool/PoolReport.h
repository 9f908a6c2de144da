#pragma once

#include "pool/PoolGeneration.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The pool as the output box shows it in the Minimum style: one number per
// line in free numeric format (" 7 "), best first, every line ended by CR LF.
std::string minimumPoolText(const std::vector<int>& pool);

// What the Verbose report's heading lines quote.
struct VerboseHeading {
    PoolParameters parameters;
    std::string trendLengthText; // cboTrendLength's text
    std::string bestGroupsText;  // cboBestGroups's text
    std::string date;            // the report's date and time in the user's formats
    std::string time;
};

// The Verbose report: the version line, the one-line notice, the requested
// size, the draws it is good for, the trend length, the comparison groups,
// "Report Generated DATE at TIME", an empty line, then "1 - 7", "2 - 31", ...
// Every line ended by CR LF.
std::string verbosePoolText(const std::vector<int>& pool, const VerboseHeading& heading);

// The pool file's saved form: the output box's text with the blanks at its
// very start and very end removed, then one CR LF.
std::string savedPoolText(std::string_view boxText);

} // namespace orvane
