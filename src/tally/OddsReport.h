#pragma once

// The odds and coverage figures as the command line and the window show them:
// exact counts of draws, with the "1 in N" and the share worked from them.

#include "core/Game.h"
#include "tally/Coverage.h"

#include <string>
#include <vector>

namespace orvane {

struct OddsRow {
    std::string tier;  // "5 + bonus", or "Any prize"
    std::string ways;  // "258 of 13,983,816": the draws in which one ticket wins it
    std::string oneIn; // "1 in 54,200.84"
};
// The odds of each tier for one ticket, then of any prize.
std::vector<OddsRow> tierOddsRows(const Game& game);

struct CoverageRow {
    std::string tier;  // "3 or better"
    std::string draws; // "2,260,681 of 13,983,816"
    std::string share; // "16.1666%"
    std::string oneIn; // "1 in 6.19"
};
// For a file's coverage: for each tier, the draws in which it wins that tier or
// better, then the draws in which it wins nothing.
std::vector<CoverageRow> coverageRows(const Game& game, const CoverageJob& job);

struct GuaranteeTableRow {
    std::string drawnInPool; // "6 of 6"
    std::string least;       // "3"
    std::string typical;     // "3 (82.4% of 13,983,816)"
};
std::vector<GuaranteeTableRow> guaranteeRows(const Game& game, const CoverageJob& job);

// "12.3457%": a share of `total` to four decimals, never rounded to 0 or 100
// when it is neither.
std::string shareText(std::uint64_t part, std::uint64_t total);

} // namespace orvane
