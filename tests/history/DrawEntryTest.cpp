#include "history/DrawEntry.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

const std::string kEmptyBoxes =
    "There are one or more entry boxes with nothing in them.  Please fill them in and try again.";
const std::string kTwoDigits =
    "All entries must be 2 digits.  If the entry is less than 10, put a zero in front of it.  For example, 03.";
const std::string kRepeated = "There are multiple instances of the same number.  Please try again.";
const std::string kMonthRange = "Invalid entry for MONTH of draw.  Please enter a number from 1 to 12.";
const std::string kDayRange = "Invalid entry for DAY of draw.  Please enter a number from 1 to 31.";

// A valid draw: 12 June 1999, 3 11 24 30 41 49.
DrawEntryTexts goodDraw() { return {"06", "12", "99", "03", "11", "24", "30", "41", "49"}; }

DrawEntryTexts with(DrawEntryTexts texts, EntryBox box, std::string text) {
    texts[static_cast<std::size_t>(box)] = std::move(text);
    return texts;
}

std::string positionRange(char position) {
    return std::string("Invalid entry for Position ") + position + ".  Please enter a number from 1 to 49.";
}

// The failure's text and the box it empties, for comparing in one line.
struct Outcome {
    std::string text;
    std::optional<EntryBox> box;
    bool operator==(const Outcome&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    return out << '"' << outcome.text << "\" box "
               << (outcome.box ? std::to_string(static_cast<int>(*outcome.box)) : std::string("none"));
}

Outcome outcomeOf(const DrawEntryTexts& texts) {
    DrawEntryCheck check = checkDrawEntry(texts);
    if (check.ok()) return Outcome{"accepted: " + check.record, std::nullopt};
    EXPECT_EQ(check.failure->title, "Problem");
    EXPECT_EQ(check.failure->icon, NoticeIcon::Exclamation);
    EXPECT_TRUE(check.record.empty());
    return Outcome{check.failure->text, check.boxToEmpty};
}

} // namespace

TEST(DrawEntryChecks, AGoodDrawGivesTheRecordLine) {
    DrawEntryCheck check = checkDrawEntry(goodDraw());
    ASSERT_TRUE(check.ok()) << check.failure->text;
    EXPECT_EQ(check.record, "061299  03 11 24 30 41 49");
    EXPECT_EQ(check.draw.month, 6);
    EXPECT_EQ(check.draw.day, 12);
    EXPECT_EQ(check.draw.year, 99);
    EXPECT_EQ(check.draw.numbers, (Combination{3, 11, 24, 30, 41, 49}));
    EXPECT_EQ(dateTextOf(check.draw), "06-12-99");
}

TEST(DrawEntryChecks, NumbersTypedInAnyOrderAreRecordedAscending) {
    DrawEntryCheck check = checkDrawEntry({"01", "02", "03", "40", "30", "20", "10", "09", "08"});
    ASSERT_TRUE(check.ok()) << check.failure->text;
    EXPECT_EQ(check.record, "010203  08 09 10 20 30 40");
    EXPECT_EQ(check.draw.numbers, (Combination{8, 9, 10, 20, 30, 40}));
    // The largest number first: any box takes any number.
    check = checkDrawEntry({"06", "12", "99", "49", "03", "41", "11", "30", "24"});
    ASSERT_TRUE(check.ok()) << check.failure->text;
    EXPECT_EQ(check.record, "061299  03 11 24 30 41 49");
}

TEST(DrawEntryChecks, TheChecksRunInTheirOrderAndStopAtTheFirstFailure) {
    // Empty boxes come before everything and empty no box.
    EXPECT_EQ(outcomeOf(with(with(goodDraw(), EntryBox::Month, "13"), EntryBox::F, "")), (Outcome{kEmptyBoxes, {}}));
    // Two digits before ranges: the day "5" is caught although the month "13" is out of range.
    EXPECT_EQ(outcomeOf(with(with(goodDraw(), EntryBox::Month, "13"), EntryBox::Day, "5")),
              (Outcome{kTwoDigits, EntryBox::Day}));
    // Repeated numbers before ranges.
    EXPECT_EQ(outcomeOf(with(with(goodDraw(), EntryBox::Month, "13"), EntryBox::C, "11")),
              (Outcome{kRepeated, EntryBox::B}));
    EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::Month, "13")), (Outcome{kMonthRange, EntryBox::Month}));
    // Within a check, the boxes' order: month before day, A before F.
    EXPECT_EQ(outcomeOf(with(with(goodDraw(), EntryBox::Day, "5"), EntryBox::Month, "5")),
              (Outcome{kTwoDigits, EntryBox::Month}));
    EXPECT_EQ(outcomeOf(with(with(goodDraw(), EntryBox::Day, "32"), EntryBox::A, "50")),
              (Outcome{kDayRange, EntryBox::Day}));
    EXPECT_EQ(outcomeOf(with(with(goodDraw(), EntryBox::F, "50"), EntryBox::A, "00")),
              (Outcome{positionRange('A'), EntryBox::A}));
    // The calendar comes after every range.
    EXPECT_EQ(outcomeOf(with(with(with(goodDraw(), EntryBox::Month, "02"), EntryBox::Day, "30"), EntryBox::F, "50")),
              (Outcome{positionRange('F'), EntryBox::F}));
}

TEST(DrawEntryChecks, TwoDigitsAreNeededBelowTen) {
    EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::Month, "5")), (Outcome{kTwoDigits, EntryBox::Month}));
    EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::Month, "05")), (Outcome{"accepted: 051299  03 11 24 30 41 49", {}}));
    EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::A, "3")), (Outcome{kTwoDigits, EntryBox::A}));
    EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::F, " ")), (Outcome{kTwoDigits, EntryBox::F}));
    // Longer texts can only come from the command line: below ten they fail here.
    EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::C, "007")), (Outcome{kTwoDigits, EntryBox::C}));
    // "00" is two digits; the day's range then rejects it.
    EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::Day, "00")), (Outcome{kDayRange, EntryBox::Day}));
}

TEST(DrawEntryChecks, TheYearMustBeTwoDigits) {
    for (const char* year : {" 9", "9 ", "ab", "-5", "+5", "1a", "9", "123", "9."})
        EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::Year, year)), (Outcome{kTwoDigits, EntryBox::Year}))
            << "year \"" << year << '"';
    EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::Year, "00")), (Outcome{"accepted: 061200  03 11 24 30 41 49", {}}));
    EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::Year, "99")), (Outcome{"accepted: 061299  03 11 24 30 41 49", {}}));
}

TEST(DrawEntryChecks, TextThatIsNotTwoDigitsGetsItsBoxsRangeMessage) {
    struct Case {
        EntryBox box;
        const char* text;
        std::string message;
    };
    const Case cases[] = {
        {EntryBox::Month, "ab", kMonthRange},    {EntryBox::Month, "-1", kMonthRange},
        {EntryBox::Day, " 5", kDayRange},        {EntryBox::Day, "5 ", kDayRange},
        {EntryBox::Day, "1x", kDayRange},        {EntryBox::A, "-3", positionRange('A')},
        {EntryBox::D, "3.", positionRange('D')}, {EntryBox::F, "100", positionRange('F')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(outcomeOf(with(goodDraw(), c.box, c.text)), (Outcome{c.message, c.box})) << '"' << c.text << '"';
    // Two such texts are not "the same number": the first box gets its range message.
    EXPECT_EQ(outcomeOf(with(with(goodDraw(), EntryBox::A, "ab"), EntryBox::B, "cd")),
              (Outcome{positionRange('A'), EntryBox::A}));
}

TEST(DrawEntryChecks, RepeatedNumbersEmptyThePairsEarlierBoxInPairOrder) {
    // A-B is the first pair compared.
    EXPECT_EQ(outcomeOf({"06", "12", "99", "07", "07", "24", "30", "41", "49"}), (Outcome{kRepeated, EntryBox::A}));
    // B-F comes before C-D.
    EXPECT_EQ(outcomeOf({"06", "12", "99", "03", "11", "24", "24", "41", "11"}), (Outcome{kRepeated, EntryBox::B}));
    EXPECT_EQ(outcomeOf({"06", "12", "99", "03", "11", "24", "30", "41", "41"}), (Outcome{kRepeated, EntryBox::E}));
    // Repeats are found before any range failure, even of numbers out of every range.
    EXPECT_EQ(outcomeOf({"06", "12", "99", "00", "11", "24", "30", "00", "49"}), (Outcome{kRepeated, EntryBox::A}));
    // The date boxes are not compared with the numbers.
    EXPECT_TRUE(checkDrawEntry({"11", "12", "24", "03", "11", "24", "30", "41", "49"}).ok());
}

TEST(DrawEntryChecks, EachBoxTakesANumberFromOneToFortyNine) {
    // Numbers none of the cases' values can repeat.
    const DrawEntryTexts spread = {"06", "12", "99", "20", "21", "22", "23", "24", "25"};
    const char positions[] = "ABCDEF";
    for (std::size_t k = 0; k < 6; ++k) {
        const auto box = static_cast<EntryBox>(static_cast<std::size_t>(EntryBox::A) + k);
        const Outcome rejected{positionRange(positions[k]), box};
        EXPECT_EQ(outcomeOf(with(spread, box, "00")), rejected);
        EXPECT_EQ(outcomeOf(with(spread, box, "50")), rejected);
        EXPECT_TRUE(checkDrawEntry(with(spread, box, "01")).ok()) << positions[k];
        EXPECT_TRUE(checkDrawEntry(with(spread, box, "49")).ok()) << positions[k];
    }
    EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::Month, "00")), (Outcome{kMonthRange, EntryBox::Month}));
    EXPECT_TRUE(checkDrawEntry(with(goodDraw(), EntryBox::Month, "12")).ok());
    EXPECT_TRUE(checkDrawEntry(with(with(goodDraw(), EntryBox::Month, "12"), EntryBox::Day, "31")).ok());
}

TEST(DrawEntryChecks, TheDateMustBeACalendarDateAndTheDayBoxIsEmptied) {
    const auto dated = [](const char* month, const char* day, const char* year) {
        return with(with(with(goodDraw(), EntryBox::Month, month), EntryBox::Day, day), EntryBox::Year, year);
    };
    const auto noSuchDay = [](const std::string& date, const std::string& month, int days) {
        return Outcome{"Invalid entry for DAY of draw.  " + date + " is not a calendar date: " + month + " has " +
                           std::to_string(days) + " days.",
                       EntryBox::Day};
    };
    EXPECT_EQ(outcomeOf(dated("02", "30", "00")), noSuchDay("02-30-00", "February 2000", 29));
    EXPECT_EQ(outcomeOf(dated("04", "31", "99")), noSuchDay("04-31-99", "April 1999", 30));
    EXPECT_EQ(outcomeOf(dated("11", "31", "88")), noSuchDay("11-31-88", "November 1988", 30));
    // 29 February: two-digit years 00-49 are 2000-2049 and 50-99 are 1950-1999.
    EXPECT_TRUE(checkDrawEntry(dated("02", "29", "00")).ok()); // 2000, a leap year
    EXPECT_TRUE(checkDrawEntry(dated("02", "29", "48")).ok());
    EXPECT_TRUE(checkDrawEntry(dated("02", "29", "96")).ok());
    EXPECT_EQ(outcomeOf(dated("02", "29", "99")), noSuchDay("02-29-99", "February 1999", 28));
    EXPECT_EQ(outcomeOf(dated("02", "29", "50")), noSuchDay("02-29-50", "February 1950", 28));
    EXPECT_EQ(outcomeOf(dated("02", "29", "49")), noSuchDay("02-29-49", "February 2049", 28));
    EXPECT_TRUE(checkDrawEntry(dated("12", "31", "49")).ok());
    EXPECT_TRUE(checkDrawEntry(dated("01", "31", "50")).ok());
}
