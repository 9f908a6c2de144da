#include "wheel/FilterBoxes.h"

#include "core/Excerpt.h"
#include "core/NumberText.h"

namespace orvane {

namespace {

constexpr const char* kFiltersA = "Filters A";
constexpr const char* kFiltersB = "Filters B";
constexpr const char* kFiltersC = "Filters C";

// How a box takes part: a limit needs a number; a drawn number (a key or a
// group member) may be left empty but must be one of 1 to 49; a lock or an
// exact value may be left empty, and a number outside 1 to 49 names no number.
enum class Takes { Limit, DrawnNumber, OptionalNumber };

std::string letter(std::size_t position) { return std::string(1, static_cast<char>('A' + position)); }
std::string boxNumber(std::size_t index) { return ", box " + std::to_string(index + 1); }

} // namespace

std::vector<FilterBox> filterBoxes(const FilterControls& c) {
    static const char* const kDecades[] = {"01 - 09", "10 - 19", "20 - 29", "30 - 39", "40 - 49"};
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
    table.add("Minimum Sum of Set", kFiltersA, 21, 279, Takes::Limit, always, c.minSum);
    table.add("Maximum Sum of Set", kFiltersA, 21, 279, Takes::Limit, always, c.maxSum);
    table.add("Maximum Difference", kFiltersA, 0, 44, Takes::Limit, always, c.maxDif);
    table.add("Max Numbers From Last Draw", kFiltersA, 0, 6, Takes::Limit, always, c.lastDrawNumMax);
    table.add("Max Last Draw #/Pos Shadow", kFiltersA, 0, 6, Takes::Limit, always, c.lastDrawNumMaxPos);
    table.add("Maximum Consecutive Numbers Limit", kFiltersA, 0, 6, Takes::Limit, isChecked(c.enablePairs),
              c.maxConsecutives);
    for (std::size_t k = 0; k < c.tens.size(); ++k)
        table.add(std::string("Tens Place Limits ") + kDecades[k], kFiltersA, 0, 6, Takes::Limit, always, c.tens[k]);
    for (std::size_t d = 0; d < c.ones.size(); ++d)
        table.add("Ones Place Limits " + std::to_string(d), kFiltersA, 0, 6, Takes::Limit, always, c.ones[d]);
    // The twelve boxes count only for the user's own limits; a preset fills the table otherwise.
    const bool userLimits = isChecked(c.enablePosAnalysis) && c.positionPreset == PositionPreset::UserLimits;
    for (std::size_t i = 0; i < c.positionLimits.size(); ++i)
        table.add("Positional Limits " + letter(i / 2) + (i % 2 == 0 ? " Min" : " Max"), kFiltersA, 1, 49,
                  Takes::Limit, userLimits, c.positionLimits[i]);

    // Filters B.
    table.add("Max #s Below Midpoint", kFiltersB, 0, 6, Takes::Limit, always, c.maxBelowMid);
    table.add("Min #s Below Midpoint", kFiltersB, 0, 6, Takes::Limit, always, c.minBelowMid);
    table.add("Max #s Above Midpoint", kFiltersB, 0, 6, Takes::Limit, always, c.maxAboveMid);
    table.add("Min #s Above Midpoint", kFiltersB, 0, 6, Takes::Limit, always, c.minAboveMid);
    for (std::size_t k = 0; k < c.keyNumbers.size(); ++k)
        table.add("Key # 0" + std::to_string(k + 1), kFiltersB, 1, 49, Takes::DrawnNumber,
                  isChecked(c.enableKeyNumbers), c.keyNumbers[k]);
    for (std::size_t k = 0; k < c.lockedIn.size(); ++k)
        table.add("Locked In " + letter(k), kFiltersB, 1, 49, Takes::OptionalNumber, isChecked(c.enableLocks),
                  c.lockedIn[k]);
    for (std::size_t i = 0; i < c.lockedOut.size(); ++i)
        table.add("Locked Out " + letter(i / 5) + boxNumber(i % 5), kFiltersB, 1, 49, Takes::OptionalNumber,
                  isChecked(c.enableLocks), c.lockedOut[i]);
    table.add("Most Numbers Shared With Any Past Draw", kFiltersB, 0, 6, Takes::Limit,
              isChecked(c.filterAgainstHistory), c.maxFromHistory);

    // Filters C.
    for (std::size_t g = 0; g < c.groups.size(); ++g)
        for (std::size_t i = 0; i < c.groups[g].size(); ++i)
            table.add("Group " + std::to_string(g + 1) + boxNumber(i), kFiltersC, 1, 49, Takes::DrawnNumber,
                      isChecked(c.enableGroups), c.groups[g][i]);
    for (std::size_t k = 0; k < c.exactValues.size(); ++k)
        for (std::size_t i = 0; i < c.exactValues[k].size(); ++i)
            table.add("Exact Positional Values " + letter(k) + boxNumber(i), kFiltersC, 1, 49,
                      Takes::OptionalNumber, isChecked(c.enableExactValues), c.exactValues[k][i]);
    return boxes;
}

std::optional<Notice> checkFilterBoxes(const FilterControls& controls) {
    for (const FilterBox& box : filterBoxes(controls)) {
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
