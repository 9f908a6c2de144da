#include "history/DrawRecording.h"
#include "history/HistoryFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvane;

namespace {

NewDraw drawOf(int month, int day, int year, Combination numbers) { return NewDraw{month, day, year, numbers}; }

const NewDraw kJune12 = drawOf(6, 12, 99, {3, 11, 24, 30, 41, 49});

// The files in `folder`: a refused or failed recording leaves no temporary behind.
std::size_t filesIn(const TempFolder& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++count;
    return count;
}

} // namespace

TEST(DrawRecording, TheNewestDrawIsAddedAtTheEndWithCrLfAndAMissingFileIsCreated) {
    TempFolder folder;
    const std::string path = folder.file("FL6-49.HIT");
    const DrawRecording first = recordDraw(path, kJune12);
    ASSERT_TRUE(first.ok()) << first.error;
    EXPECT_EQ(first.placedBefore, "");
    ASSERT_TRUE(recordDraw(path, drawOf(6, 19, 99, {1, 2, 3, 4, 5, 6})).ok());
    EXPECT_EQ(contentsOf(path), "061299  03 11 24 30 41 49\r\n061999  01 02 03 04 05 06\r\n");
    EXPECT_EQ(readLastDrawDate(path).text, "06-19-99");
}

TEST(DrawRecording, ALastLineWithoutItsEndIsEndedFirst) {
    TempFolder folder;
    struct Case {
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"010199  01 02 03 04 05 06", "010199  01 02 03 04 05 06\r\n061299  03 11 24 30 41 49\r\n"},
        {"010199  01 02 03 04 05 06\r", "010199  01 02 03 04 05 06\r\n061299  03 11 24 30 41 49\r\n"},
        {"010199  01 02 03 04 05 06\n", "010199  01 02 03 04 05 06\n061299  03 11 24 30 41 49\r\n"},
        {"010199  01 02 03 04 05 06\r\n\r\n", "010199  01 02 03 04 05 06\r\n\r\n061299  03 11 24 30 41 49\r\n"},
        {"", "061299  03 11 24 30 41 49\r\n"},
        {"\r\n", "\r\n061299  03 11 24 30 41 49\r\n"},
    };
    for (const Case& c : cases) {
        const std::string path = folder.write("h.HIT", c.before);
        const DrawRecording recording = recordDraw(path, kJune12);
        ASSERT_TRUE(recording.ok()) << recording.error;
        EXPECT_EQ(contentsOf(path), c.after);
    }
}

TEST(DrawRecording, AnEarlierDrawGoesInDateOrderAndEveryOtherByteStays) {
    TempFolder folder;
    // Two-digit years: 50-99 are 1950-1999 and 00-49 are 2000-2049, so 2000 follows 1999.
    const std::string held =
        "050788  15 17 30 42 44 49\r\n123199  11 20 23 33 37 47\n\r\n020500  01 02 03 04 05 06\r\n";
    const std::string path = folder.write("h.HIT", held);

    DrawRecording recording = recordDraw(path, kJune12);
    ASSERT_TRUE(recording.ok()) << recording.error;
    EXPECT_EQ(recording.placedBefore, "12-31-99");
    std::string expected = "050788  15 17 30 42 44 49\r\n061299  03 11 24 30 41 49\r\n"
                           "123199  11 20 23 33 37 47\n\r\n020500  01 02 03 04 05 06\r\n";
    EXPECT_EQ(contentsOf(path), expected);

    // 1 January 2000: after 31 December 1999, before the blank line that followed it.
    recording = recordDraw(path, drawOf(1, 1, 0, {7, 8, 9, 10, 11, 12}));
    ASSERT_TRUE(recording.ok()) << recording.error;
    EXPECT_EQ(recording.placedBefore, "02-05-00");
    expected = "050788  15 17 30 42 44 49\r\n061299  03 11 24 30 41 49\r\n123199  11 20 23 33 37 47\n"
               "010100  07 08 09 10 11 12\r\n\r\n020500  01 02 03 04 05 06\r\n";
    EXPECT_EQ(contentsOf(path), expected);

    // 1950, the earliest year, goes first; 2049, the latest, last.
    ASSERT_TRUE(recordDraw(path, drawOf(1, 2, 50, {1, 2, 3, 4, 5, 49})).ok());
    ASSERT_TRUE(recordDraw(path, drawOf(12, 31, 49, {1, 2, 3, 4, 5, 48})).ok());
    EXPECT_EQ(contentsOf(path), "010250  01 02 03 04 05 49\r\n" + expected + "123149  01 02 03 04 05 48\r\n");
    const HistoryRead read = readHistoryRecords(path);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.draws.size(), 7u);
    EXPECT_EQ(readLastDrawDate(path).text, "12-31-49");
}

TEST(DrawRecording, ADateRecordedAlreadyIsRefusedAndTheFileUntouched) {
    TempFolder folder;
    // The history's own record of the date may hold its numbers in another order.
    const std::string held = "050788  15 17 30 42 44 49\r\n061299  49 41 30 24 11 03\r\n102399  11 20 23 33 37 47";
    const std::string path = folder.write("h.HIT", held);

    const DrawRecording same = recordDraw(path, kJune12);
    EXPECT_EQ(same.outcome, DrawRecording::Outcome::AlreadyRecorded);
    EXPECT_EQ(same.error,
              "The draw of 06-12-99, 03 11 24 30 41 49, is already recorded, on line 2 of the history file " + path +
                  ".");

    const DrawRecording other = recordDraw(path, drawOf(6, 12, 99, {3, 11, 24, 30, 41, 48}));
    EXPECT_EQ(other.outcome, DrawRecording::Outcome::DateTaken);
    EXPECT_EQ(other.error, "Line 2 of the history file " + path +
                               " records another draw of 06-12-99: 49 41 30 24 11 03. The draw 03 11 24 30 41 48 "
                               "was not recorded.");
    EXPECT_FALSE(other.ok());

    EXPECT_EQ(contentsOf(path), held);
    EXPECT_EQ(filesIn(folder), 1u);
}

TEST(DrawRecording, AHistoryHoldingALineThatIsNotADrawIsNotWritten) {
    TempFolder folder;
    const std::string held = "050788  15 17 30 42 44 49\r\nthe draw of June\r\n";
    const std::string path = folder.write("h.HIT", held);
    const DrawRecording recording = recordDraw(path, kJune12);
    EXPECT_EQ(recording.outcome, DrawRecording::Outcome::Failed);
    EXPECT_EQ(recording.error.rfind("Line 2 of the history file " + path, 0), 0u) << recording.error;
    EXPECT_NE(recording.error.find("The draw was not recorded."), std::string::npos) << recording.error;
    EXPECT_EQ(contentsOf(path), held);
    EXPECT_EQ(filesIn(folder), 1u);
}

TEST(DrawRecording, AnUnwritablePathIsNamedAndNothingIsCreated) {
    TempFolder folder;
    // Paths no write can reach, even as root: under a missing folder, and a folder.
    for (const std::string& path : {folder.file("missing/FL6-49.HIT"), folder.path()}) {
        const DrawRecording recording = recordDraw(path, kJune12);
        EXPECT_EQ(recording.outcome, DrawRecording::Outcome::Failed);
        EXPECT_NE(recording.error.find(path), std::string::npos) << recording.error;
        EXPECT_NE(recording.error.find("not recorded"), std::string::npos) << recording.error;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing")));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(DrawRecording, TheConfirmationNamesTheDrawAndWhereAnEarlierOneWent) {
    DrawRecording newest;
    EXPECT_EQ(recordedText(kJune12, newest), "Recorded 06-12-99: 03 11 24 30 41 49.");
    DrawRecording earlier;
    earlier.placedBefore = "10-23-99";
    EXPECT_EQ(recordedText(kJune12, earlier),
              "Recorded 06-12-99: 03 11 24 30 41 49, in date order before the draw of 10-23-99.");
}
