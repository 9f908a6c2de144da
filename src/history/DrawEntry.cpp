#include "history/DrawEntry.h"

#include "core/NumberText.h"

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

// The range checks in the order they run; the year has none.
constexpr Range kRanges[] = {
    {EntryBox::Month, 1, 12, "Invalid entry for MONTH of draw.  Please enter a number from 1 to 12."},
    {EntryBox::Day, 1, 31, "Invalid entry for DAY of draw.  Please enter a number from 1 to 31."},
    {EntryBox::A, 1, 44, "Invalid entry for Position A.  Please enter a number from 1 to 44."},
    {EntryBox::B, 2, 45, "Invalid entry for Position B.  Please enter a number from 2 to 45."},
    {EntryBox::C, 3, 46, "Invalid entry for Position C.  Please enter a number from 3 to 46."},
    {EntryBox::D, 4, 47, "Invalid entry for Position D.  Please enter a number from 4 to 47."},
    {EntryBox::E, 5, 48, "Invalid entry for Position E.  Please enter a number from 5 to 48."},
    {EntryBox::F, 6, 49, "Invalid entry for Position F.  Please enter a number from 6 to 49."},
};

constexpr std::size_t index(EntryBox box) { return static_cast<std::size_t>(box); }
constexpr std::size_t kFirstPosition = index(EntryBox::A);

// Exactly two ASCII digits: the only text a record field may hold, since the
// history's readers take every field as a number and the date by its columns.
bool isTwoDigits(const std::string& text) {
    return text.size() == 2 && text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
}

int twoDigitValue(const std::string& text) { return (text[0] - '0') * 10 + (text[1] - '0'); }

DrawEntryCheck failed(const char* message, std::optional<EntryBox> box) {
    DrawEntryCheck check;
    check.failure = recordingProblem(message);
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
    check.record = texts[index(EntryBox::Month)] + texts[index(EntryBox::Day)] + texts[index(EntryBox::Year)] + ' ';
    for (std::size_t i = kFirstPosition; i < kEntryBoxCount; ++i) check.record += ' ' + texts[i];
    return check;
}

std::string entryDateText(const DrawEntryTexts& texts) {
    return texts[index(EntryBox::Month)] + '-' + texts[index(EntryBox::Day)] + '-' + texts[index(EntryBox::Year)];
}

} // namespace orvane
