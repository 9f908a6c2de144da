#pragma once

#include "core/Notice.h"
#include "wheel/FilterControls.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// One number box of the filter tabs as the user sees it, with the numbers it
// takes, read from a FilterControls.
struct FilterBox {
    std::string caption;     // its label, as "Maximum Difference" or "Key # 01"
    const char* tab;         // "Filters A", "Filters B" or "Filters C"
    int least, most;         // the numbers the box takes, as its message says
    bool emptyMeansNone;     // an empty box is allowed and names no number
    bool outsideRefused;     // a number outside least..most is refused too
    bool inForce;            // the run reads the box with these controls
    const std::string* text; // the text as typed, inside the controls read
};

// Every number box of the three tabs, in tab order. A box whose filter is off
// is listed with inForce false.
// The ranges follow the game: sums of k numbers, positions and numbers 1 to N.
std::vector<FilterBox> filterBoxes(const FilterControls& controls, const Game& game = Game::lotto649());

// The first box in force that the run cannot read: empty where a number is
// needed, a text that does not start with a number, or (a number drawn, such as
// a key or group number) a number outside 1 to 49. The message names the box
// and its tab; the run does not start. Numbers the run corrects itself (sums
// outside 21 to 279, tens and ones above 6) are left to those corrections.
std::optional<Notice> checkFilterBoxes(const FilterControls& controls, const Game& game = Game::lotto649());

} // namespace orvane
