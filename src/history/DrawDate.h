#pragma once

namespace orvane {

// The calendar of the history's dates. The history keeps two-digit years: 50
// to 99 are 1950 to 1999 and 00 to 49 are 2000 to 2049, so draws are ordered by
// the full date and 2001 follows 1999.

int yearFromTwoDigits(int yy);
bool isLeapYear(int year);
// The days of `month` (1 to 12) in `year`.
int daysInMonth(int year, int month);

// A calendar date as one sortable number, yyyymmdd.
using FullDate = int;

// The full date of a history record's MMDDYY group read as a number (61299 for "061299").
FullDate fullDateOfRecord(long mmddyy);

} // namespace orvane
