#pragma once

#include "core/Game.h"
#include "core/Notice.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The two forms the pool generator saves its pool in.
enum class PoolFileStyle {
    Unknown, // neither: empty, or text without a ranked list
    Minimum, // the numbers alone, best first: " 7 ", " 31 ", ...
    Verbose, // the report: its heading, then "1 - 7", "2 - 31", ...
};

// Why the pool file's numbers could not all be loaded.
enum class PoolLoadError {
    None,
    Missing,    // no file at the path
    Unreadable, // a folder, or a file that cannot be read
    NotANumber, // a field that is not a whole number, or a ranked line that is not "rank - number"
    OutOfRange, // a number outside 1 to the game's highest (or the bonus pool's)
    NoPool,     // not one number: an empty file, or text without a ranked list
};

// The numbers of a pool file in file order, best first.
// Minimum style (the file starts with a number): fields separated by commas or
// line ends, blanks around them ignored; an empty field ends the list.
// Verbose style: the ranked lines after the heading, ranks counting from 1,
// up to an empty line or the end of the file.
// In a game with a bonus pool, the bonus numbers follow the list, after the
// line of the bonus heading, in the list's style, up to an empty line or the
// end of the file; a file without that line holds no bonus numbers.
// On a failure `numbers` and `bonus` hold those read before it, and `line`
// and `text` say where (the line from 1, and the start of the field or line).
struct PoolFileRead {
    std::vector<int> numbers;
    std::vector<int> bonus;
    PoolFileStyle style = PoolFileStyle::Unknown;
    PoolLoadError error = PoolLoadError::None;
    bool inBonus = false; // the failure is among the bonus numbers
    int line = 0;
    std::string text;
    bool ok() const { return error == PoolLoadError::None; }
};
PoolFileRead readPoolFile(const std::string& path, const Game& game = Game::lotto649());

// What Load Gathra's Picks tells about the file at `path`: nothing for a
// Minimum list loaded whole; which style it is and how many numbers were
// selected for a Verbose report; for a failure, what went wrong and where,
// what was selected before it, and how to make a pool file that loads.
std::optional<Notice> poolLoadNotice(const PoolFileRead& read, const std::string& path,
                                     const Game& game = Game::lotto649());

} // namespace orvane
