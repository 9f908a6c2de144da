#include "wheel/FilterBoxes.h"

#include "core/Excerpt.h"
#include "core/NumberText.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr const char* kFiltersA = "Filters A";
constexpr const char* kFiltersB = "Filters B";
constexpr const char* kFiltersC = "Filters C";

// How a box takes part: a limit needs a number; a drawn number (a key or a
// group member) may be left empty but must be one of the game's numbers; a lock or an
// exact value may be left empty, and a number outside them names no number.
enum class Takes { Limit, DrawnNumber, OptionalNumber };

std::string letter(std::size_t position) { return std::string(1, static_cast<char>('A' + position)); }
std::string boxNumber(std::size_t index) { return ", box " + std::to_string(index + 1); }

// "01 - 09", "10 - 19", ... "40 - 49": the numbers of a tens class within the game.
std::string tensCaption(std::size_t tensClass, int highest) {
    auto twoDigits = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    const int first = std::max(1, static_cast<int>(10 * tensClass));
    return twoDigits(first) + " - " + twoDigits(std::min(highest, static_cast<int>(10 * tensClass + 9)));
}

} // namespace

std::vector<FilterBox> filterBoxes(const FilterControls& c, const Game& game) {
    const int k = game.perTicket(), n = game.highest();
    const int smallestSum = game.smallestSum(), largestSum = game.largestSum(), widestGap = n - k + 1;
    std::vector<FilterBox> boxes;
    struct {
        std::vector<FilterBox>& boxes;
        void add(std::string caption, const char* tab, int least, int most, Takes takes, bool inForce,
                 const std::string& text) {
            boxes.push_back(FilterBox{std::move(caption), tab, least, most, takes != Takes::Limit,
                                      takes == Takes::DrawnNumber, inForce, &text});
        }
    } table{boxes};
    const bool always = true;

    // Filters A. The last-draw limits decide by their number whether their
    // filters run, so they are always read.
    table.add("Minimum Sum of Set", kFiltersA, smallestSum, largestSum, Takes::Limit, always, c.minSum);
    table.add("Maximum Sum of Set", kFiltersA, smallestSum, largestSum, Takes::Limit, always, c.maxSum);
    table.add("Maximum Difference", kFiltersA, 0, widestGap, Takes::Limit, always, c.maxDif);
    table.add("Max Numbers From Last Draw", kFiltersA, 0, k, Takes::Limit, always, c.lastDrawNumMax);
    table.add("Max Last Draw #/Pos Shadow", kFiltersA, 0, k, Takes::Limit, always, c.lastDrawNumMaxPos);
    table.add("Maximum Consecutive Numbers Limit", kFiltersA, 0, k, Takes::Limit, isChecked(c.enablePairs),
              c.maxConsecutives);
    for (std::size_t t = 0; t < c.tens.size(); ++t)
        table.add("Tens Place Limits " + tensCaption(t, n), kFiltersA, 0, k, Takes::Limit, always, c.tens[t]);
    for (std::size_t d = 0; d < c.ones.size(); ++d)
        table.add("Ones Place Limits " + std::to_string(d), kFiltersA, 0, k, Takes::Limit, always, c.ones[d]);
    // The twelve boxes count only for the user's own limits; a preset fills the table otherwise.
    const bool userLimits = isChecked(c.enablePosAnalysis) && c.positionPreset == PositionPreset::UserLimits;
    for (std::size_t i = 0; i < c.positionLimits.size(); ++i)
        table.add("Positional Limits " + letter(i / 2) + (i % 2 == 0 ? " Min" : " Max"), kFiltersA, 1, n, Takes::Limit,
                  userLimits, c.positionLimits[i]);

    // Filters B.
    table.add("Max #s Below Midpoint", kFiltersB, 0, k, Takes::Limit, always, c.maxBelowMid);
    table.add("Min #s Below Midpoint", kFiltersB, 0, k, Takes::Limit, always, c.minBelowMid);
    table.add("Max #s Above Midpoint", kFiltersB, 0, k, Takes::Limit, always, c.maxAboveMid);
    table.add("Min #s Above Midpoint", kFiltersB, 0, k, Takes::Limit, always, c.minAboveMid);
    for (std::size_t key = 0; key < c.keyNumbers.size(); ++key)
        table.add("Key # 0" + std::to_string(key + 1), kFiltersB, 1, n, Takes::DrawnNumber,
                  isChecked(c.enableKeyNumbers), c.keyNumbers[key]);
    for (std::size_t p = 0; p < c.lockedIn.size(); ++p)
        table.add("Locked In " + letter(p), kFiltersB, 1, n, Takes::OptionalNumber, isChecked(c.enableLocks),
                  c.lockedIn[p]);
    for (std::size_t i = 0; i < c.lockedOut.size(); ++i)
        table.add("Locked Out " + letter(i / 5) + boxNumber(i % 5), kFiltersB, 1, n, Takes::OptionalNumber,
                  isChecked(c.enableLocks), c.lockedOut[i]);
    table.add("Most Numbers Shared With Any Past Draw", kFiltersB, 0, k, Takes::Limit,
              isChecked(c.filterAgainstHistory), c.maxFromHistory);

    // Filters C.
    for (std::size_t g = 0; g < c.groups.size(); ++g)
        for (std::size_t i = 0; i < c.groups[g].size(); ++i)
            table.add("Group " + std::to_string(g + 1) + boxNumber(i), kFiltersC, 1, n, Takes::DrawnNumber,
                      isChecked(c.enableGroups), c.groups[g][i]);
    for (std::size_t p = 0; p < c.exactValues.size(); ++p)
        for (std::size_t i = 0; i < c.exactValues[p].size(); ++i)
            table.add("Exact Positional Values " + letter(p) + boxNumber(i), kFiltersC, 1, n, Takes::OptionalNumber,
                      isChecked(c.enableExactValues), c.exactValues[p][i]);
    return boxes;
}

std::optional<Notice> checkFilterBoxes(const FilterControls& controls, const Game& game) {
    for (const FilterBox& box : filterBoxes(controls, game)) {
        if (!box.inForce) continue;
        const std::string& text = *box.text;
        const std::string where = box.caption + " (" + box.tab + ")";
        const std::string wanted = "type a number from " + std::to_string(box.least) + " to " +
                                   std::to_string(box.most) + (box.emptyMeansNone ? ", or leave the box empty." : ".");
        std::string problem = where;
        if (isEmptyBox(text)) {
            if (box.emptyMeansNone) continue;
            problem += " is empty: ";
        } else {
            const std::optional<double> number = numberIfAny(text);
            if (number && (!box.outsideRefused || (*number >= box.least && *number <= box.most))) continue;
            // A settings file may hold anything in a box: the message quotes a short, printable start of it.
            problem += " holds \"";
            problem += excerpt(text, 40);
            problem += "\": ";
        }
        problem += wanted;
        return Notice{problem, "Invalid Response", NoticeIcon::Exclamation};
    }
    return std::nullopt;
}

} // namespace orvane
