#include "history/DrawEntry.h"

#include "core/NumberText.h"
#include "history/DrawDate.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace orvane {

namespace {

constexpr const char* kEmptyBoxes =
    "There are one or more entry boxes with nothing in them.  Please fill them in and try again.";
constexpr const char* kTwoDigits =
    "All entries must be 2 digits.  If the entry is less than 10, put a zero in front of it.  For example, 03.";
constexpr const char* kRepeated = "There are multiple instances of the same number.  Please try again.";

struct Range {
    EntryBox box;
    int low;
    int high;
    const char* message;
};

// The range checks in the order they run; the year has none. The numbers may
// be typed in any order, so each box takes any number of the game.
constexpr Range kRanges[] = {
    {EntryBox::Month, 1, 12, "Invalid entry for MONTH of draw.  Please enter a number from 1 to 12."},
    {EntryBox::Day, 1, 31, "Invalid entry for DAY of draw.  Please enter a number from 1 to 31."},
    {EntryBox::A, 1, 49, "Invalid entry for Position A.  Please enter a number from 1 to 49."},
    {EntryBox::B, 1, 49, "Invalid entry for Position B.  Please enter a number from 1 to 49."},
    {EntryBox::C, 1, 49, "Invalid entry for Position C.  Please enter a number from 1 to 49."},
    {EntryBox::D, 1, 49, "Invalid entry for Position D.  Please enter a number from 1 to 49."},
    {EntryBox::E, 1, 49, "Invalid entry for Position E.  Please enter a number from 1 to 49."},
    {EntryBox::F, 1, 49, "Invalid entry for Position F.  Please enter a number from 1 to 49."},
};

constexpr const char* kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};

constexpr std::size_t index(EntryBox box) { return static_cast<std::size_t>(box); }
constexpr std::size_t kFirstPosition = index(EntryBox::A);

// Exactly two ASCII digits: the only text a record field may hold, since the
// history's readers take every field as a number and the date by its columns.
bool isTwoDigits(const std::string& text) {
    return text.size() == 2 && text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
}

int twoDigitValue(const std::string& text) { return (text[0] - '0') * 10 + (text[1] - '0'); }

DrawEntryCheck failed(std::string message, std::optional<EntryBox> box) {
    DrawEntryCheck check;
    check.failure = recordingProblem(std::move(message));
    check.boxToEmpty = box;
    return check;
}

} // namespace

Notice recordingProblem(std::string text) { return Notice{std::move(text), "Problem", NoticeIcon::Exclamation}; }

DrawEntryCheck checkDrawEntry(const DrawEntryTexts& texts) {
    for (const std::string& text : texts)
        if (text.empty()) return failed(kEmptyBoxes, std::nullopt);

    // A value of 10 or more passes whatever its length; the range checks below
    // catch a longer text. The year, which has no range, must be two digits here.
    for (std::size_t i = 0; i < kEntryBoxCount; ++i) {
        const auto box = static_cast<EntryBox>(i);
        const bool shortValue = numberInBox(texts[i]) < 10 && texts[i].size() != 2;
        if (shortValue || (box == EntryBox::Year && !isTwoDigits(texts[i]))) return failed(kTwoDigits, box);
    }

    // Only numbers are compared: a text that is not two digits is left to its
    // range check, which names the box at fault.
    for (std::size_t i = kFirstPosition; i < kEntryBoxCount; ++i) {
        for (std::size_t j = i + 1; j < kEntryBoxCount; ++j) {
            if (isTwoDigits(texts[i]) && isTwoDigits(texts[j]) && twoDigitValue(texts[i]) == twoDigitValue(texts[j]))
                return failed(kRepeated, static_cast<EntryBox>(i));
        }
    }

    for (const Range& range : kRanges) {
        const std::string& text = texts[index(range.box)];
        if (!isTwoDigits(text) || twoDigitValue(text) < range.low || twoDigitValue(text) > range.high)
            return failed(range.message, range.box);
    }

    DrawEntryCheck check;
    NewDraw& draw = check.draw;
    draw.month = twoDigitValue(texts[index(EntryBox::Month)]);
    draw.day = twoDigitValue(texts[index(EntryBox::Day)]);
    draw.year = twoDigitValue(texts[index(EntryBox::Year)]);
    const int fullYear = yearFromTwoDigits(draw.year);
    if (const int days = daysInMonth(fullYear, draw.month); draw.day > days) {
        return failed("Invalid entry for DAY of draw.  " + dateTextOf(draw) +
                          " is not a calendar date: " + kMonthNames[draw.month - 1] + " " + std::to_string(fullYear) +
                          " has " + std::to_string(days) + " days.",
                      EntryBox::Day);
    }
    for (std::size_t k = 0; k < draw.numbers.size(); ++k) draw.numbers[k] = twoDigitValue(texts[kFirstPosition + k]);
    std::sort(draw.numbers.begin(), draw.numbers.end());
    check.record = recordLineOf(draw);
    return check;
}

std::string recordLineOf(const NewDraw& draw) {
    char date[40];
    std::snprintf(date, sizeof date, "%02d%02d%02d", draw.month, draw.day, draw.year);
    return std::string(date) + "  " + setDisplayText(draw.numbers);
}

std::string dateTextOf(const NewDraw& draw) {
    char text[40];
    std::snprintf(text, sizeof text, "%02d-%02d-%02d", draw.month, draw.day, draw.year);
    return text;
}

} // namespace orvane
