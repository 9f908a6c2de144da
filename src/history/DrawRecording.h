#pragma once

#include "history/DrawEntry.h"

#include <string>

namespace orvane {

// What recording a new draw into the history file came to.
struct DrawRecording {
    enum class Outcome {
        Recorded,        // the history holds the draw
        AlreadyRecorded, // the history held this draw already; nothing was written
        DateTaken,       // the history holds another draw of that date; nothing was written
        Failed,          // the history could not be read or written; it is as it was
    };
    Outcome outcome = Outcome::Recorded;
    // For every outcome but Recorded: what is wrong, naming the file (and line).
    std::string error;
    // Recorded before a later draw, not as the newest: that draw's date, "MM-DD-YY".
    std::string placedBefore;
    bool ok() const { return outcome == Outcome::Recorded; }
};

// Records `draw` in the history file at `path`, creating the file when missing,
// in date order (two-digit years 50-99 are 1950-1999, 00-49 are 2000-2049):
// - a draw later than every record is added at the end, after a line end for a
//   last line left without one, as "MMDDYY  AA BB CC DD EE FF" and CR LF;
// - an earlier one (a draw that was forgotten) goes just after the last record
//   dated before it, or before the first record when none is; every other byte
//   of the file stays as it was;
// - a date the history holds already is refused, whether with the same numbers
//   or with others, as is a history holding a line that is not a draw record.
// The file is replaced whole, through a temporary file, rather than appended
// to: a program killed during an append that spans two of the system's pages
// can leave half a record, and a half record can still read as a draw with a
// wrong number. When anything fails the file is left as it was.
DrawRecording recordDraw(const std::string& path, const NewDraw& draw);

// The confirmation of a recorded draw: "Recorded 06-12-99: 03 11 24 30 41 49."
std::string recordedText(const NewDraw& draw, const DrawRecording& recording);

} // namespace orvane
