#include "history/DrawDate.h"

namespace orvane {

int yearFromTwoDigits(int yy) { return yy >= 50 ? 1900 + yy : 2000 + yy; }

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

FullDate fullDateOfRecord(long mmddyy) {
    const int yy = static_cast<int>(mmddyy % 100);
    const int day = static_cast<int>(mmddyy / 100 % 100);
    const int month = static_cast<int>(mmddyy / 10000);
    return yearFromTwoDigits(yy) * 10000 + month * 100 + day;
}

} // namespace orvane
