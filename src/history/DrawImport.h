#pragma once

#include "core/Game.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Importing draws from a downloaded CSV or text file into the history.
//
// A draw line holds a date and then six numbers 1 to 49, separated by commas,
// semicolons, tabs or blanks (fields may be in double quotes); whatever
// follows the six numbers (a bonus ball, a jackpot) is ignored. A line whose
// first field holds no digit is a header or a title and is skipped, as are
// blank lines; any other line that is not a draw is rejected with its reason.
//
// Dates are three groups of digits separated by '/', '-' or '.', or six digits
// in a row (MMDDYY). A date whose first group has four digits is year, month,
// day; for the others the order of month, day and year is the file's date
// form, found from the dates themselves: the form under which the most dates
// are real calendar dates. When two forms fit equally well and read some date
// differently ("01/02/2003"), the file is refused as ambiguous unless the form
// is given.
//
// Years: the history keeps two-digit years, so a draw must fall in 1950 to
// 2049; a two-digit year 50-99 is 19xx and 00-49 is 20xx. Draws are ordered by
// the full date, so 2001 follows 1999.

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// The order a pattern such as "MM/DD/YYYY", "M/D/YY", "DD.MM.YYYY",
// "YYYY-MM-DD" or "MMDDYY" names: its letters (M, D and Y, either case, each
// once or as one run) in order; the separators do not matter. Nothing for a
// pattern that is not of that kind.
std::optional<DateOrder> dateOrderFromPattern(std::string_view pattern);

// "MM/DD/YY", "DD/MM/YY" or "YY/MM/DD": a pattern naming `order`.
std::string dateOrderPattern(DateOrder order);

struct RejectedLine {
    std::size_t line = 0; // 1-based, in the imported file
    std::string reason;
    std::string text; // the line as it stands in the file
};

struct DrawImport {
    enum class Status {
        Imported,          // the history holds every draw added (none may have been)
        SourceUnreadable,  // the file to import could not be read
        HistoryUnreadable, // the history could not be opened or holds a line that is not a draw
        AmbiguousDates,    // the date form must be given; `readings` are the candidates
        HistoryNotWritten, // the new history could not be written; the old one is untouched
    };
    Status status = Status::Imported;
    std::string error; // for every status but Imported: what went wrong, naming the file
    std::size_t added = 0;
    std::size_t skipped = 0; // already in the history, or given twice in the file
    std::vector<RejectedLine> rejected;
    // AmbiguousDates: the forms the dates fit equally, and a line they read differently.
    std::vector<DateOrder> readings;
    std::size_t ambiguousLine = 0;
    bool ok() const { return status == Status::Imported; }
};

// Reads the draws of `sourcePath` and adds those not yet in the history at
// `historyPath` (a missing history counts as an empty one):
// - a draw whose date and numbers are in the history already is skipped;
// - a draw whose date is in the history with other numbers is rejected as a
//   conflict; the history's draw stays. The same holds within the file: its
//   first draw of a date is the one taken.
// When a draw was added, the whole history is written anew, sorted by date,
// oldest first: the records it held keep their own text, new ones are
// "MMDDYY  AA BB CC DD EE FF" with the numbers ascending, every line ending
// in CR LF. The file is replaced only by a complete new one; when nothing is
// added it is not touched at all.
// `order` is the date form of the file's dates; without it the form is found
// from the dates.
// Another game's lines hold its k numbers and then its bonus numbers, and its
// history its own form (GameHistory).
DrawImport importDraws(const std::string& sourcePath, const std::string& historyPath,
                       std::optional<DateOrder> order = std::nullopt, const Game& game = Game::lotto649());

// The counts, then "Line N: reason: text" for the first `maxRejected` rejected
// lines and a line saying how many more there are. Lines end in '\n'.
std::string importSummary(const DrawImport& result, std::size_t maxRejected);

} // namespace orvane
