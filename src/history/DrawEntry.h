#pragma once

#include "core/Combination.h"
#include "core/Notice.h"

#include <array>
#include <optional>
#include <string>

namespace orvane {

// The nine boxes of a new draw, in the order the checks visit them.
enum class EntryBox { Month, Day, Year, A, B, C, D, E, F };
inline constexpr std::size_t kEntryBoxCount = 9;

// The texts of the nine boxes as typed, indexed by EntryBox.
using DrawEntryTexts = std::array<std::string, kEntryBoxCount>;

// A new draw that passed the checks: its date as typed (the year in two
// digits) and its six numbers, smallest first.
struct NewDraw {
    int month = 0;
    int day = 0;
    int year = 0;
    Combination numbers{};
};

// What the checks of a new draw found: the draw and its record line, or the
// first failure's message and the box it empties (none for empty boxes).
struct DrawEntryCheck {
    NewDraw draw;
    std::string record;
    std::optional<Notice> failure;
    std::optional<EntryBox> boxToEmpty;
    bool ok() const { return !failure.has_value(); }
};

// Checks a new draw in this order and stops at the first failure:
//  1. every box filled;
//  2. two digits: a box whose leading number is below 10 must hold exactly two
//     characters ("05"); the year must be two digits ("00" to "99");
//  3. no number given twice, pairs compared A-B, A-C, ... E-F, the earlier box
//     of the pair emptied;
//  4. month 1..12, day 1..31 and each number 1..49, each box holding two digits;
//  5. the date is a calendar date (no 02-30, no 02-29 outside leap years), the
//     day's box emptied.
// The numbers may be typed in any order: the draw holds them ascending, and
// `record` is "MMDDYY  AA BB CC DD EE FF" with them so.
DrawEntryCheck checkDrawEntry(const DrawEntryTexts& texts);

// "MMDDYY  AA BB CC DD EE FF", the history's record of the draw.
std::string recordLineOf(const NewDraw& draw);
// "MM-DD-YY", as the last-draw label shows a date.
std::string dateTextOf(const NewDraw& draw);

// The title and icon of every failure of the entry and of the recording.
Notice recordingProblem(std::string text);

} // namespace orvane
