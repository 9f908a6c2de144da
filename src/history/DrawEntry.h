#pragma once

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

// What the checks of a new draw found: the record line to append, or the first
// failure's message and the box it empties (none for empty boxes).
struct DrawEntryCheck {
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
//  4. month 1..12, day 1..31 and the positions' ranges (A 1..44 ... F 6..49),
//     each box holding two digits.
// The numbers are not sorted: the record keeps them in the order typed.
// On success `record` is "MMDDYY  AA BB CC DD EE FF" from the texts as typed.
DrawEntryCheck checkDrawEntry(const DrawEntryTexts& texts);

// "MM-DD-YY" from the typed date boxes, as the last-draw label shows it.
std::string entryDateText(const DrawEntryTexts& texts);

// The title and icon of every failure of the entry and of the append.
Notice recordingProblem(std::string text);

} // namespace orvane
