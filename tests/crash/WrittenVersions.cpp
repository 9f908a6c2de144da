#include "WrittenVersions.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <random>

namespace crash {

namespace {

std::string longPath(const std::string& name, int which) {
    return "/data/version-" + std::to_string(which) + "/" + std::string(30000, static_cast<char>('a' + which)) + "/" +
           name;
}

// Six different numbers from 1 to 49, smallest first, the same for the same seed.
std::array<int, 6> drawNumbers(unsigned seed) {
    std::array<int, 49> all{};
    std::iota(all.begin(), all.end(), 1);
    std::mt19937 random(seed);
    std::shuffle(all.begin(), all.end(), random);
    std::array<int, 6> six{};
    std::copy_n(all.begin(), 6, six.begin());
    std::sort(six.begin(), six.end());
    return six;
}

std::chrono::year_month_day dayAfterStart(int days) {
    using namespace std::chrono;
    return year_month_day{sys_days{year{1950} / January / 1} + std::chrono::days{days}};
}

std::string twoDigits(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02u", value % 100);
    return text;
}

std::string recordDate(const std::chrono::year_month_day& date) {
    return twoDigits(static_cast<unsigned>(date.month())) + twoDigits(static_cast<unsigned>(date.day())) +
           twoDigits(static_cast<unsigned>(static_cast<int>(date.year())));
}

std::string recordOf(const std::chrono::year_month_day& date, const std::array<int, 6>& numbers) {
    std::string line = recordDate(date) + " ";
    for (int n : numbers) line += " " + twoDigits(static_cast<unsigned>(n));
    return line;
}

} // namespace

orvane::SettingsFile settingsVersion(int which) {
    orvane::SettingsFile settings;
    settings.historyPath = longPath("FL6-49.HIT", which);
    settings.settingsPath = longPath("VNTB.INI", which);
    settings.wheelOutputPath = longPath("Wheeled.TB", which);
    settings.poolPath = longPath("Pool.GR", which);
    settings.filters.minSum = which == 0 ? "21" : "100";
    settings.filters.maxSum = which == 0 ? "279" : "180";
    settings.filters.enablePairs = which;
    settings.pool.poolSize = which == 0 ? "49" : "18";
    return settings;
}

std::string manualVersion(int which) {
    std::string text;
    for (int line = 0; text.size() < 400'000; ++line)
        text += "Manual " + std::to_string(which) + ", line " + std::to_string(line) +
                ": pick a pool, set the filters and wheel the sets that pass.\n";
    return text;
}

std::vector<std::string> poolArguments(int which, const std::string& history, const std::string& poolFile) {
    return {"pool",    "--trend", "5",         "--groups", "10",     "--size", which == 0 ? "12" : "30", "--draws", "1",
            "--style", "minimum", "--history", history,    "--save", poolFile};
}

std::string historyEveryOtherDay(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += recordOf(dayAfterStart(2 * i), drawNumbers(static_cast<unsigned>(2 * i))) + "\r\n";
    return text;
}

std::string importFileOfSkippedDays(int first, int count) {
    std::string text = "Date,N1,N2,N3,N4,N5,N6\r\n";
    for (int i = first; i < first + count; ++i) {
        const auto date = dayAfterStart(2 * i + 1);
        text += twoDigits(static_cast<unsigned>(date.month())) + "/" + twoDigits(static_cast<unsigned>(date.day())) +
                "/" + std::to_string(static_cast<int>(date.year()));
        for (int n : drawNumbers(static_cast<unsigned>(2 * i + 1))) text += "," + std::to_string(n);
        text += "\r\n";
    }
    return text;
}

namespace {

// The day of the `index`-th recorded draw, counted from 1 January 1950.
int recordedDay(int index) {
    using namespace std::chrono;
    return static_cast<int>((sys_days{year{2000} / January / 1} - sys_days{year{1950} / January / 1}).count()) + index;
}

} // namespace

std::vector<std::string> recordedValues(int index) {
    const auto date = dayAfterStart(recordedDay(index));
    std::vector<std::string> values = {twoDigits(static_cast<unsigned>(date.month())),
                                       twoDigits(static_cast<unsigned>(date.day())),
                                       twoDigits(static_cast<unsigned>(static_cast<int>(date.year())))};
    for (int n : drawNumbers(static_cast<unsigned>(index) + 100000u))
        values.push_back(twoDigits(static_cast<unsigned>(n)));
    return values;
}

std::string recordedLine(int index) {
    return recordOf(dayAfterStart(recordedDay(index)), drawNumbers(static_cast<unsigned>(index) + 100000u));
}

} // namespace crash
