#include "wheel/FilterBoxes.h"

#include <gtest/gtest.h>

#include <set>

using namespace orvane;

namespace {

// Every filter that has an enable box switched on, the user's own positional limits chosen.
FilterControls everyFilterOn() {
    FilterControls c;
    c.enablePairs = c.enablePosAnalysis = c.enableKeyNumbers = c.enableLocks = c.filterAgainstHistory = 1;
    c.enableGroups = c.enableExactValues = 1;
    c.positionPreset = PositionPreset::UserLimits;
    return c;
}

std::string problemText(const FilterControls& controls) {
    const std::optional<Notice> problem = checkFilterBoxes(controls);
    return problem ? problem->text : std::string();
}

} // namespace

TEST(FilterBoxes, TheDefaultsAndEveryFilterOnWithItsDefaultsAreReadable) {
    EXPECT_FALSE(checkFilterBoxes(FilterControls{}).has_value());
    EXPECT_FALSE(checkFilterBoxes(everyFilterOn()).has_value());
}

TEST(FilterBoxes, AnEmptyOrUnreadableLimitIsNamedWithItsTabAndRange) {
    FilterControls c;
    c.maxDif = "";
    const std::optional<Notice> empty = checkFilterBoxes(c);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->text, "Maximum Difference (Filters A) is empty: type a number from 0 to 44.");
    EXPECT_EQ(empty->icon, NoticeIcon::Exclamation);
    c.maxDif = "   ";
    EXPECT_EQ(problemText(c), "Maximum Difference (Filters A) is empty: type a number from 0 to 44.");
    c.maxDif = "ab";
    EXPECT_EQ(problemText(c), "Maximum Difference (Filters A) holds \"ab\": type a number from 0 to 44.");
    c.maxDif = std::string(500, 'x') + "\x1b";
    EXPECT_EQ(problemText(c),
              "Maximum Difference (Filters A) holds \"" + std::string(40, 'x') + "...\": type a number from 0 to 44.");
    for (const char* unreadable : {"-", ".", "x5", "+"}) {
        c.maxDif = unreadable;
        EXPECT_NE(problemText(c), "") << unreadable;
    }

    FilterControls midpoint;
    midpoint.minAboveMid = "";
    EXPECT_EQ(problemText(midpoint), "Min #s Above Midpoint (Filters B) is empty: type a number from 0 to 6.");
    FilterControls ones;
    ones.ones[3] = "";
    EXPECT_EQ(problemText(ones), "Ones Place Limits 3 (Filters A) is empty: type a number from 0 to 6.");
    FilterControls tens;
    tens.tens[4] = "six";
    EXPECT_EQ(problemText(tens), "Tens Place Limits 40 - 49 (Filters A) holds \"six\": type a number from 0 to 6.");
    FilterControls sums;
    sums.minSum = "";
    EXPECT_EQ(problemText(sums), "Minimum Sum of Set (Filters A) is empty: type a number from 21 to 279.");
}

// Only a box that holds no number is refused: what the run corrects itself
// (sums outside 21..279, a negative or fractional limit) is left to it.
TEST(FilterBoxes, ANumberOutsideALimitsRangeIsLeftToTheRunsCorrections) {
    FilterControls c;
    c.minSum = "5";
    c.maxSum = "300";
    c.maxDif = "-12.8";
    c.tens[0] = "9";
    c.ones[0] = " 7 ";
    c.lastDrawNumMax = "12 apples";
    EXPECT_FALSE(checkFilterBoxes(c).has_value());
}

TEST(FilterBoxes, KeyAndGroupNumbersMayBeEmptyButMustBeNumbersFromOneToFortyNine) {
    FilterControls c = everyFilterOn();
    c.keyNumbers = {"7", "", " ", "49", "1"};
    c.groups[5] = {"1", "", "", "", "", "", "", "49"};
    EXPECT_FALSE(checkFilterBoxes(c).has_value());

    c.keyNumbers[1] = "50";
    EXPECT_EQ(problemText(c), "Key # 02 (Filters B) holds \"50\": type a number from 1 to 49, or leave the box empty.");
    c.keyNumbers[1] = "ab";
    EXPECT_EQ(problemText(c), "Key # 02 (Filters B) holds \"ab\": type a number from 1 to 49, or leave the box empty.");
    c.keyNumbers[1] = "0";
    EXPECT_NE(problemText(c), "");
    c.keyNumbers[1] = "";

    c.groups[5][7] = "50";
    EXPECT_EQ(problemText(c),
              "Group 6, box 8 (Filters C) holds \"50\": type a number from 1 to 49, or leave the box empty.");
    c.groups[5][7] = "x";
    EXPECT_NE(problemText(c), "");
}

// A lock or exact value of 0, or one outside 1..49, names no number and stays
// as it was; only a text that is no number at all is refused.
TEST(FilterBoxes, LocksAndExactValuesRefuseOnlyTextsThatAreNoNumber) {
    FilterControls c = everyFilterOn();
    c.lockedIn[0] = "0";
    c.lockedOut[29] = "-3";
    c.exactValues[5][3] = "55";
    EXPECT_FALSE(checkFilterBoxes(c).has_value());
    c.lockedOut[29] = "ab";
    EXPECT_EQ(problemText(c),
              "Locked Out F, box 5 (Filters B) holds \"ab\": type a number from 1 to 49, or leave the box empty.");
    c.lockedOut[29] = "";
    c.exactValues[2][0] = "?";
    EXPECT_EQ(problemText(c), "Exact Positional Values C, box 1 (Filters C) holds \"?\": type a number from 1 to "
                              "49, or leave the box empty.");
}

// A box whose filter is off does not stop the run, whatever it holds.
TEST(FilterBoxes, BoxesOfAFilterThatIsOffAreNotRead) {
    FilterControls c;
    c.maxConsecutives = "";
    c.positionLimits[3] = "";
    c.keyNumbers[0] = "ab";
    c.lockedIn[2] = "ab";
    c.maxFromHistory = "";
    c.groups[0][0] = "99";
    c.exactValues[0][0] = "ab";
    EXPECT_FALSE(checkFilterBoxes(c).has_value());

    c.enablePosAnalysis = 1; // a preset, not the user's limits
    EXPECT_FALSE(checkFilterBoxes(c).has_value());
    c.positionPreset = PositionPreset::UserLimits;
    EXPECT_EQ(problemText(c), "Positional Limits B Max (Filters A) is empty: type a number from 1 to 49.");
    c.positionLimits[3] = "45";

    const std::vector<std::pair<CheckValue FilterControls::*, std::string>> enables{
        {&FilterControls::enablePairs, "Maximum Consecutive Numbers Limit (Filters A)"},
        {&FilterControls::enableKeyNumbers, "Key # 01 (Filters B)"},
        {&FilterControls::enableLocks, "Locked In C (Filters B)"},
        {&FilterControls::filterAgainstHistory, "Most Numbers Shared With Any Past Draw (Filters B)"},
        {&FilterControls::enableGroups, "Group 1, box 1 (Filters C)"},
        {&FilterControls::enableExactValues, "Exact Positional Values A, box 1 (Filters C)"}};
    for (const auto& [enable, named] : enables) {
        FilterControls on = c;
        on.*enable = 2; // greyed is not on
        EXPECT_FALSE(checkFilterBoxes(on).has_value()) << named;
        on.*enable = 1;
        EXPECT_EQ(problemText(on).rfind(named, 0), 0u) << problemText(on);
    }
}

// The table reads each box of the controls once, under a caption of its own,
// and with every filter on each box alone set to "ab" is refused by name.
TEST(FilterBoxes, EveryBoxIsListedOnceAndNamedByItsOwnCaption) {
    FilterControls c = everyFilterOn();
    const std::vector<FilterBox> boxes = filterBoxes(c);
    // 6 limits, 5 tens, 10 ones, 12 positional, 4 midpoint, 5 keys, 36 locks, 1 history, 48 group, 60 exact.
    EXPECT_EQ(boxes.size(), 187u);
    std::set<const std::string*> texts;
    std::set<std::string> captions;
    for (const FilterBox& box : boxes) {
        texts.insert(box.text);
        captions.insert(box.caption + box.tab);
        EXPECT_TRUE(box.inForce) << box.caption;
    }
    EXPECT_EQ(texts.size(), boxes.size());
    EXPECT_EQ(captions.size(), boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        FilterControls one = c;
        *const_cast<std::string*>(filterBoxes(one)[i].text) = "ab";
        EXPECT_EQ(problemText(one).rfind(boxes[i].caption + " (" + boxes[i].tab + ") holds \"ab\"", 0), 0u)
            << boxes[i].caption;
    }
}

// Every default and range follows the game: hand values for 5/39 and 6/59.
TEST(FilterBoxes, DefaultsAndRangesFollowTheGame) {
    struct Expected {
        const char* matrix;
        const char* minSum;
        const char* maxSum;
        const char* maxDif;
        std::size_t tensClasses;
        std::size_t sums;
        const char* lastTensCaption;
        const char* lastPositionMax;
    };
    for (const Expected& e : {Expected{"5/39", "15", "185", "35", 4, 171, "Tens Place Limits 30 - 39", "39"},
                              Expected{"6/59", "21", "339", "54", 6, 319, "Tens Place Limits 50 - 59", "59"}}) {
        const Game game = *gameFromMatrix(e.matrix);
        const FilterControls c(game);
        EXPECT_EQ(c.minSum, e.minSum);
        EXPECT_EQ(c.maxSum, e.maxSum);
        EXPECT_EQ(c.maxDif, e.maxDif);
        EXPECT_EQ(c.tens.size(), e.tensClasses);
        EXPECT_EQ(c.sumsAccepted.size(), e.sums);
        EXPECT_EQ(c.evensAllowed.size(), static_cast<std::size_t>(game.perTicket() + 1));
        EXPECT_EQ(c.positionLimits.front(), "1");
        EXPECT_EQ(c.positionLimits.back(), e.lastPositionMax);
        EXPECT_EQ(c.lockedOut.size(), static_cast<std::size_t>(5 * game.perTicket()));

        const std::vector<FilterBox> boxes = filterBoxes(c, game);
        auto box = [&](const std::string& caption) {
            for (const FilterBox& b : boxes)
                if (b.caption == caption) return b;
            ADD_FAILURE() << caption;
            return boxes.front();
        };
        EXPECT_EQ(box("Minimum Sum of Set").least, std::stoi(e.minSum));
        EXPECT_EQ(box("Maximum Sum of Set").most, std::stoi(e.maxSum));
        EXPECT_EQ(box("Maximum Difference").most, std::stoi(e.maxDif));
        EXPECT_EQ(box(e.lastTensCaption).most, game.perTicket());
        EXPECT_EQ(box("Key # 01").most, game.highest());
        EXPECT_EQ(box(std::string("Locked In ") + game.positionLetter(game.perTicket() - 1)).most, game.highest());
        EXPECT_FALSE(checkFilterBoxes(c, game)) << "the defaults can be read";

        FilterControls outside = c;
        outside.enableKeyNumbers = 1;
        outside.keyNumbers[0] = std::to_string(game.highest() + 1);
        const std::optional<Notice> refused = checkFilterBoxes(outside, game);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->text, "Key # 01 (Filters B) holds \"" + std::to_string(game.highest() + 1) +
                                     "\": type a number from 1 to " + std::to_string(game.highest()) +
                                     ", or leave the box empty.");
    }
    // The 6/49 captions stay as they were.
    const std::vector<FilterBox> lotto = filterBoxes(FilterControls{});
    EXPECT_EQ(lotto[6].caption, "Tens Place Limits 01 - 09");
    EXPECT_EQ(lotto[10].caption, "Tens Place Limits 40 - 49");
}
