#pragma once

#include "reports/ReportHistory.h"

#include <vector>

// The draws of the shipped sample history, read once for all the tests of a program.
inline const std::vector<orvane::ReportDraw>& sampleReportDraws() {
    static const std::vector<orvane::ReportDraw> draws = orvane::readReportHistory(ORVANE_SAMPLE_HISTORY).draws;
    return draws;
}
