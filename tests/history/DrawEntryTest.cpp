#include "history/DrawEntry.h"
#include "history/HistoryFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

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

std::string positionRange(char position, int low, int high) {
    return std::string("Invalid entry for Position ") + position + ".  Please enter a number from " +
           std::to_string(low) + " to " + std::to_string(high) + ".";
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
    EXPECT_EQ(entryDateText(goodDraw()), "06-12-99");
}

TEST(DrawEntryChecks, NumbersInDescendingOrderAreWrittenAsTyped) {
    DrawEntryCheck check = checkDrawEntry({"01", "02", "03", "40", "30", "20", "10", "09", "08"});
    ASSERT_TRUE(check.ok()) << check.failure->text;
    EXPECT_EQ(check.record, "010203  40 30 20 10 09 08");
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
    EXPECT_EQ(outcomeOf(with(with(goodDraw(), EntryBox::Day, "32"), EntryBox::A, "45")),
              (Outcome{kDayRange, EntryBox::Day}));
    EXPECT_EQ(outcomeOf(with(with(goodDraw(), EntryBox::F, "50"), EntryBox::A, "45")),
              (Outcome{positionRange('A', 1, 44), EntryBox::A}));
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
        {EntryBox::Month, "ab", kMonthRange}, {EntryBox::Month, "-1", kMonthRange},
        {EntryBox::Day, " 5", kDayRange},     {EntryBox::Day, "5 ", kDayRange},
        {EntryBox::Day, "1x", kDayRange},     {EntryBox::A, "-3", positionRange('A', 1, 44)},
        {EntryBox::D, "3.", positionRange('D', 4, 47)}, {EntryBox::F, "100", positionRange('F', 6, 49)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(outcomeOf(with(goodDraw(), c.box, c.text)), (Outcome{c.message, c.box})) << '"' << c.text << '"';
    // Two such texts are not "the same number": the first box gets its range message.
    EXPECT_EQ(outcomeOf(with(with(goodDraw(), EntryBox::A, "ab"), EntryBox::B, "cd")),
              (Outcome{positionRange('A', 1, 44), EntryBox::A}));
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

TEST(DrawEntryChecks, EachPositionKeepsItsRange) {
    struct Case {
        EntryBox box;
        char position;
        int low;
        int high;
    };
    const Case cases[] = {{EntryBox::A, 'A', 1, 44}, {EntryBox::B, 'B', 2, 45}, {EntryBox::C, 'C', 3, 46},
                          {EntryBox::D, 'D', 4, 47}, {EntryBox::E, 'E', 5, 48}, {EntryBox::F, 'F', 6, 49}};
    // Numbers none of the cases' values can repeat.
    const DrawEntryTexts spread = {"06", "12", "99", "20", "21", "22", "23", "24", "25"};
    for (const Case& c : cases) {
        auto twoDigits = [](int n) { return std::string{char('0' + n / 10), char('0' + n % 10)}; };
        const Outcome rejected{positionRange(c.position, c.low, c.high), c.box};
        EXPECT_EQ(outcomeOf(with(spread, c.box, twoDigits(c.low - 1))), rejected);
        EXPECT_EQ(outcomeOf(with(spread, c.box, twoDigits(c.high + 1))), rejected);
        EXPECT_TRUE(checkDrawEntry(with(spread, c.box, twoDigits(c.low))).ok()) << c.position;
        EXPECT_TRUE(checkDrawEntry(with(spread, c.box, twoDigits(c.high))).ok()) << c.position;
    }
    EXPECT_EQ(outcomeOf(with(goodDraw(), EntryBox::Month, "00")), (Outcome{kMonthRange, EntryBox::Month}));
    EXPECT_TRUE(checkDrawEntry(with(goodDraw(), EntryBox::Month, "12")).ok());
    EXPECT_TRUE(checkDrawEntry(with(goodDraw(), EntryBox::Day, "31")).ok());
    // The day is not checked against its month.
    EXPECT_TRUE(checkDrawEntry(with(with(goodDraw(), EntryBox::Month, "02"), EntryBox::Day, "31")).ok());
}

TEST(HistoryAppendLine, AddsTheLineWithCrLfAndCreatesAMissingFile) {
    TempFolder folder;
    const std::string path = folder.file("FL6-49.HIT");
    ASSERT_EQ(appendHistoryLine(path, "061299  03 11 24 30 41 49"), "");
    ASSERT_EQ(appendHistoryLine(path, "061999  01 02 03 04 05 06"), "");
    EXPECT_EQ(contentsOf(path), "061299  03 11 24 30 41 49\r\n061999  01 02 03 04 05 06\r\n");
    EXPECT_EQ(readLastDrawDate(path).text, "06-19-99");
}

TEST(HistoryAppendLine, ALastLineWithoutItsEndIsEndedFirst) {
    TempFolder folder;
    struct Case {
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"010199  01 02 03 04 05 06", "010199  01 02 03 04 05 06\r\n061299  03 11 24 30 41 49\r\n"},
        {"010199  01 02 03 04 05 06\r", "010199  01 02 03 04 05 06\r\n061299  03 11 24 30 41 49\r\n"},
        {"010199  01 02 03 04 05 06\n", "010199  01 02 03 04 05 06\n061299  03 11 24 30 41 49\r\n"},
        {"", "061299  03 11 24 30 41 49\r\n"},
    };
    for (const Case& c : cases) {
        const std::string path = folder.write("h.HIT", c.before);
        ASSERT_EQ(appendHistoryLine(path, "061299  03 11 24 30 41 49"), "");
        EXPECT_EQ(contentsOf(path), c.after);
        EXPECT_EQ(readHistoryRecords(path).draws.size(), c.before.empty() ? 1u : 2u);
    }
}

TEST(HistoryAppendLine, AnUnwritablePathIsNamedAndNothingIsCreated) {
    TempFolder folder;
    // Paths no write can reach, even as root: under a missing folder, and a folder.
    for (const std::string& path : {folder.file("missing/FL6-49.HIT"), folder.path()}) {
        const std::string error = appendHistoryLine(path, "061299  03 11 24 30 41 49");
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_NE(error.find("not recorded"), std::string::npos) << error;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing")));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}
