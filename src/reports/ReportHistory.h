#pragma once

#include "core/Notice.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// One past draw as the reports see it: its six numbers in ascending order.
using ReportDraw = std::array<int, 6>;

// Every draw of the history file, oldest first, or the notice that stops a
// report (and then `draws` is empty).
struct ReportHistory {
    std::vector<ReportDraw> draws;
    std::optional<Notice> failure;
    bool ok() const { return !failure.has_value(); }
};

// Reads the history for a report. A missing file gives the "Cannot Execute
// Command" notice; a line that is not one record of a date and six different
// numbers from 1 to 49 gives a notice naming the file and the line. A record
// typed in another order is read with its numbers sorted.
ReportHistory readReportHistory(const std::string& path);

// "The file PATH could not be opened. ..." titled "Cannot Execute Command".
Notice historyNotOpenedNotice(const std::string& path);

} // namespace orvane
