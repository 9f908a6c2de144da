#include "core/AtomicFile.h"
#include "history/DrawImport.h"

#include "history/HistoryFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

using namespace orvane;

namespace {

using Status = DrawImport::Status;

// The sample history's draws written as a download would hold them: one line
// per draw with the date made by `date` from (year, month, day), the numbers
// joined by `separator`, and whatever `tail` adds after them.
std::string exportedSample(const std::function<std::string(int, int, int)>& date, const std::string& separator,
                           const std::string& tail = "") {
    const HistoryRead sample = readHistoryRecords(ORVANE_SAMPLE_HISTORY);
    std::string text;
    for (const DrawRecord& draw : sample.draws) {
        const int yy = static_cast<int>(draw.date % 100);
        const int year = yy >= 50 ? 1900 + yy : 2000 + yy;
        std::string line = date(year, static_cast<int>(draw.date / 10000), static_cast<int>(draw.date / 100 % 100));
        for (int n : draw.numbers) line += separator + std::to_string(n);
        text += line + tail + "\r\n";
    }
    return text;
}

std::string printed(const char* format, int a, int b, int c) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// The lines of `text` in reverse order, as result pages list the newest first.
std::string newestFirst(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start + 2));
        start = end + 2;
    }
    std::reverse(lines.begin(), lines.end());
    std::string reversed;
    for (const std::string& line : lines) reversed += line;
    return reversed;
}

std::string linesEndingIn(const std::string& end, std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + end.size()))
        text.replace(at, 2, end);
    return text;
}

const std::string kHistory = "050788  15 17 30 42 44 49\r\n051488  11 15 18 19 22 23\r\n";

std::string reasonsOf(const DrawImport& result) {
    std::string text;
    for (const RejectedLine& line : result.rejected) text += std::to_string(line.line) + ": " + line.reason + "\n";
    return text;
}

} // namespace

TEST(DrawImportRoundTrip, TheSampleInEveryDateFormImportsToTheSameBytes) {
    const std::string sample = contentsOf(ORVANE_SAMPLE_HISTORY);
    struct Form {
        const char* name;
        std::string text;
    };
    const Form forms[] = {
        {"MM/DD/YYYY, commas",
         exportedSample([](int y, int m, int d) { return printed("%02d/%02d/%04d", m, d, y); }, ",")},
        {"M/D/YY, semicolons",
         exportedSample([](int y, int m, int d) { return printed("%d/%d/%02d", m, d, y % 100); }, ";")},
        {"YYYY-MM-DD, tabs",
         exportedSample([](int y, int m, int d) { return printed("%04d-%02d-%02d", y, m, d); }, "\t")},
        {"DD.MM.YYYY, blanks",
         exportedSample([](int y, int m, int d) { return printed("%02d.%02d.%04d", d, m, y); }, " ")},
        {"MMDDYY, comma and blank",
         exportedSample([](int y, int m, int d) { return printed("%02d%02d%02d", m, d, y % 100); }, ", ")},
        {"the history itself", sample},
    };
    for (const Form& form : forms) {
        for (bool reversed : {false, true}) {
            TempFolder folder;
            const std::string source = folder.write("draws.csv", reversed ? newestFirst(form.text) : form.text);
            const std::string history = folder.file("FL6-49.HIT");
            const DrawImport result = importDraws(source, history);
            ASSERT_TRUE(result.ok()) << form.name << ": " << result.error;
            EXPECT_EQ(result.added, 599u) << form.name;
            EXPECT_EQ(result.rejected.size(), 0u) << form.name << "\n" << reasonsOf(result);
            EXPECT_TRUE(contentsOf(history) == sample) << form.name << (reversed ? ", newest first" : "");
        }
    }
}

TEST(DrawImportRoundTrip, LinesMayEndInLfOrALoneCr) {
    const std::string sample = contentsOf(ORVANE_SAMPLE_HISTORY);
    for (const std::string end : {"\n", "\r"}) {
        TempFolder folder;
        const std::string source = folder.write("draws.txt", linesEndingIn(end, sample));
        const std::string history = folder.file("FL6-49.HIT");
        const DrawImport result = importDraws(source, history);
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_EQ(result.added, 599u);
        EXPECT_TRUE(contentsOf(history) == sample);
    }
}

TEST(DrawImportRoundTrip, AnEmptyHistoryFileTakesTheDrawsAsAMissingOneDoes) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", "");
    const DrawImport result = importDraws(ORVANE_SAMPLE_HISTORY, history);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_TRUE(contentsOf(history) == contentsOf(ORVANE_SAMPLE_HISTORY));
}

TEST(DrawImportMerge, DrawsAlreadyPresentAreSkippedAndAnUnchangedHistoryIsNotRewritten) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", contentsOf(ORVANE_SAMPLE_HISTORY));
    const auto written = std::filesystem::last_write_time(history);
    const std::string source = folder.write(
        "draws.csv", exportedSample([](int y, int m, int d) { return printed("%02d/%02d/%04d", m, d, y); }, ","));
    const DrawImport result = importDraws(source, history);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 0u);
    EXPECT_EQ(result.skipped, 599u);
    EXPECT_TRUE(result.rejected.empty());
    EXPECT_TRUE(contentsOf(history) == contentsOf(ORVANE_SAMPLE_HISTORY));
    EXPECT_EQ(std::filesystem::last_write_time(history), written);
}

TEST(DrawImportMerge, NewDrawsGoInDateOrderAndTheHistorysOwnLinesStayAsWritten) {
    TempFolder folder;
    // Recorded by hand: numbers in the order typed, LF ends, a blank line, and
    // the last record out of date order.
    const std::string history =
        folder.write("FL6-49.HIT", "050788  49 44 42 30 17 15\n\n052888  12 13 19 20 36 48\n052188  08 15 22 25 40 47");
    const std::string source = folder.write("draws.csv",
                                            "05/28/1988,12,13,19,20,36,48\r\n" // present
                                            "05/14/1988,23,22,19,18,15,11\r\n" // new, numbers descending
                                            "05/07/1988,15,17,30,42,44,49\r\n" // present, other order
                                            "05/14/1988,11,15,18,19,22,23\r\n" // given twice in the file
                                            "12/31/1999,1,2,3,4,5,6\r\n"
                                            "1/1/00,7,8,9,10,11,12\r\n");
    const DrawImport result = importDraws(source, history);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 3u);
    EXPECT_EQ(result.skipped, 3u);
    EXPECT_TRUE(result.rejected.empty()) << reasonsOf(result);
    EXPECT_EQ(contentsOf(history), "050788  49 44 42 30 17 15\r\n"
                                   "051488  11 15 18 19 22 23\r\n"
                                   "052188  08 15 22 25 40 47\r\n"
                                   "052888  12 13 19 20 36 48\r\n"
                                   "123199  01 02 03 04 05 06\r\n"
                                   "010100  07 08 09 10 11 12\r\n");
}

TEST(DrawImportMerge, AnotherDrawOfAPresentDateIsRejectedAndNeverReplacesIt) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", kHistory);
    const std::string source = folder.write("draws.csv", "05/07/1988,01,02,03,04,05,06\r\n"
                                                         "05/21/1988,08,15,22,25,40,47\r\n"
                                                         "05/21/1988,09,15,22,25,40,47\r\n");
    const DrawImport result = importDraws(source, history);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 1u);
    ASSERT_EQ(result.rejected.size(), 2u);
    EXPECT_EQ(result.rejected[0].line, 1u);
    EXPECT_NE(result.rejected[0].reason.find("050788  15 17 30 42 44 49"), std::string::npos)
        << result.rejected[0].reason;
    EXPECT_EQ(result.rejected[0].text, "05/07/1988,01,02,03,04,05,06");
    EXPECT_EQ(result.rejected[1].line, 3u);
    EXPECT_NE(result.rejected[1].reason.find("line 2"), std::string::npos) << result.rejected[1].reason;
    EXPECT_EQ(contentsOf(history), kHistory + "052188  08 15 22 25 40 47\r\n");
}

TEST(DrawImportLines, HeadersTitlesQuotesAndColumnsAfterTheNumbersAreSkipped) {
    TempFolder folder;
    const std::string source =
        folder.write("draws.csv", "\xEF\xBB\xBF"
                                  "Lotto results\r\n"
                                  "\r\n"
                                  "Draw Date,Ball 1,Ball 2,Ball 3,Ball 4,Ball 5,Ball 6,Bonus,Jackpot\r\n"
                                  "\"05/07/1988\",\"15\",\"17\",\"30\",\"42\",\"44\",\"49\",\"3\",\"$2,000,000\"\r\n"
                                  "05/14/1988;11;15;18;19;22;23;50;X\n"
                                  "Date,Ball 1,Ball 2,Ball 3,Ball 4,Ball 5,Ball 6,Bonus\r\n"
                                  "05/21/1988\t08\t15\t22\t25\t40\t47\t15");
    const std::string history = folder.file("FL6-49.HIT");
    const DrawImport result = importDraws(source, history);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 3u);
    EXPECT_TRUE(result.rejected.empty()) << reasonsOf(result);
    EXPECT_EQ(contentsOf(history), kHistory + "052188  08 15 22 25 40 47\r\n");
}

TEST(DrawImportLines, MalformedLinesAreRejectedWithLineAndReasonAndTheRestImported) {
    TempFolder folder;
    struct Case {
        std::string line;
        std::string says;
    };
    const Case cases[] = {
        {"06/04/1988,03,05,07,13,19", "fewer than six numbers"},
        {"06/04/1988,03,05,07,13,19,50", "\"50\" is not a number from 1 to 49"},
        {"06/04/1988,00,05,07,13,19,20", "\"00\" is not a number from 1 to 49"},
        {"06/04/1988,03,05,7x,13,19,20", "\"7x\" is not a number from 1 to 49"},
        {"06/04/1988,03,05,-7,13,19,20", "\"-7\" is not a number from 1 to 49"},
        {"06/04/1988,03,05,007,13,19,20", "\"007\" is not a number from 1 to 49"},
        {"06/04/1988,03,05,13,13,19,20", "the number 13 is given twice"},
        {"02/30/1988,03,05,07,13,19,20", "02/30/1988 is not a real date"},
        {"02/29/1989,03,05,07,13,19,20", "02/29/1989 is not a real date"},
        {"06/04/2051,03,05,07,13,19,20", "the year 2051 is outside 1950 to 2049"},
        {"06/04/1949,03,05,07,13,19,20", "the year 1949 is outside 1950 to 2049"},
        {"6/4/8,03,05,07,13,19,20", "a year of one digit"},
        {"1988,03,05,07,13,19,20", "\"1988\" is not a date"},
        {"06/04/198,03,05,07,13,19,20", "\"06/04/198\" is not a date"},
        {"06/04-1988,03,05,07,13,19,20", "\"06/04-1988\" is not a date"},
        {"1988-06-04-1,03,05,07,13,19,20", "is not a date"},
        {"06041988,03,05,07,13,19,20", "is not a date"},
    };
    std::string text = kHistory;
    for (const Case& bad : cases) text += bad.line + "\r\n";
    text += "02/29/1988,01,02,03,04,05,06\r\n";
    const std::string source = folder.write("draws.txt", text);
    const std::string history = folder.file("FL6-49.HIT");
    const DrawImport result = importDraws(source, history);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 3u);
    ASSERT_EQ(result.rejected.size(), std::size(cases)) << reasonsOf(result);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(result.rejected[i].line, i + 3);
        EXPECT_EQ(result.rejected[i].text, cases[i].line);
        EXPECT_NE(result.rejected[i].reason.find(cases[i].says), std::string::npos) << result.rejected[i].reason;
    }
    EXPECT_EQ(contentsOf(history), "022988  01 02 03 04 05 06\r\n" + kHistory);
}

TEST(DrawImportDates, AFormThatReadsSomeDateTwoWaysIsRefusedUntilGiven) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", kHistory);
    const std::string source = folder.write("draws.csv", "01/01/2003,1,2,3,4,5,6\r\n"
                                                         "02/03/2003,7,8,9,10,11,12\r\n");
    const DrawImport refused = importDraws(source, history);
    EXPECT_EQ(refused.status, Status::AmbiguousDates);
    EXPECT_EQ(refused.ambiguousLine, 2u);
    EXPECT_EQ(refused.readings, (std::vector{DateOrder::MonthDayYear, DateOrder::DayMonthYear}));
    EXPECT_NE(refused.error.find("MM/DD/YY or DD/MM/YY"), std::string::npos) << refused.error;
    EXPECT_EQ(contentsOf(history), kHistory);

    const DrawImport dayFirst = importDraws(source, history, DateOrder::DayMonthYear);
    ASSERT_TRUE(dayFirst.ok()) << dayFirst.error;
    EXPECT_EQ(contentsOf(history), kHistory + "010103  01 02 03 04 05 06\r\n030203  07 08 09 10 11 12\r\n");
}

TEST(DrawImportDates, TheDatesThemselvesSettleTheFormWhereTheyCan) {
    TempFolder folder;
    struct Case {
        std::string dates; // the first field of two lines
        std::string records;
    };
    const Case cases[] = {
        // One day above 12 reads the whole file day first.
        {"02.03.2003\r\n13.03.2003", "030203  01 02 03 04 05 06\r\n031303  07 08 09 10 11 12\r\n"},
        // Forms that agree on every date are no ambiguity.
        {"01/01/2003\r\n02/02/2003", "010103  01 02 03 04 05 06\r\n020203  07 08 09 10 11 12\r\n"},
        // A four-digit year first reads year, month, day whatever the other lines say.
        {"2003-02-01\r\n03/13/2003", "020103  01 02 03 04 05 06\r\n031303  07 08 09 10 11 12\r\n"},
        // Six digits: the day 31 rules out day first and year first.
        {"123199\r\n010200", "123199  01 02 03 04 05 06\r\n010200  07 08 09 10 11 12\r\n"},
    };
    for (const Case& c : cases) {
        const std::size_t split = c.dates.find("\r\n");
        const std::string source = folder.write("draws.csv", c.dates.substr(0, split) + ",1,2,3,4,5,6\r\n" +
                                                                 c.dates.substr(split + 2) + ",7,8,9,10,11,12\r\n");
        const std::string history = folder.file("new.HIT");
        std::filesystem::remove(history);
        const DrawImport result = importDraws(source, history);
        ASSERT_TRUE(result.ok()) << c.dates << ": " << result.error;
        EXPECT_TRUE(result.rejected.empty()) << c.dates << "\n" << reasonsOf(result);
        EXPECT_EQ(contentsOf(history), c.records) << c.dates;
    }
}

TEST(DrawImportDates, AGivenFormRejectsTheDatesItCannotRead) {
    TempFolder folder;
    const std::string source = folder.write("draws.csv", "05/07/1988,15,17,30,42,44,49\r\n"
                                                         "05/14/1988,11,15,18,19,22,23\r\n");
    const std::string history = folder.file("FL6-49.HIT");
    const DrawImport result = importDraws(source, history, DateOrder::DayMonthYear);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 1u);
    ASSERT_EQ(result.rejected.size(), 1u);
    EXPECT_NE(result.rejected[0].reason.find("when read as DD/MM/YY"), std::string::npos) << result.rejected[0].reason;
    EXPECT_EQ(contentsOf(history), "070588  15 17 30 42 44 49\r\n");
}

TEST(DrawImportDates, PatternsNameTheOrderOfMonthDayAndYear) {
    for (const char* monthFirst : {"MM/DD/YYYY", "M/D/YY", "mmddyy", "MDY", "mm-dd-yyyy"})
        EXPECT_EQ(dateOrderFromPattern(monthFirst), DateOrder::MonthDayYear) << monthFirst;
    for (const char* dayFirst : {"DD.MM.YYYY", "DD/MM/YY", "dmy"})
        EXPECT_EQ(dateOrderFromPattern(dayFirst), DateOrder::DayMonthYear) << dayFirst;
    for (const char* yearFirst : {"YYYY-MM-DD", "YY/MM/DD", "ymd"})
        EXPECT_EQ(dateOrderFromPattern(yearFirst), DateOrder::YearMonthDay) << yearFirst;
    for (const char* bad : {"", "MM/DD", "MM/DD/MM", "MM/DD/YYYY HH", "month/day/year", "M/D/Y/M", "MMDMYY"})
        EXPECT_EQ(dateOrderFromPattern(bad), std::nullopt) << bad;
    for (DateOrder order : {DateOrder::MonthDayYear, DateOrder::DayMonthYear, DateOrder::YearMonthDay})
        EXPECT_EQ(dateOrderFromPattern(dateOrderPattern(order)), order);
}

TEST(DrawImportFailures, AFailedWriteLeavesTheHistoryAsItWas) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", kHistory);
    // A folder where the temporary file would go: the new history cannot be written.
    std::filesystem::create_directory(temporaryPathFor(history));
    std::ofstream(temporaryPathFor(history) + "/kept.txt") << "kept";
    const std::string source = folder.write("draws.csv", "05/21/1988,08,15,22,25,40,47\r\n");
    const DrawImport result = importDraws(source, history);
    EXPECT_EQ(result.status, Status::HistoryNotWritten);
    EXPECT_NE(result.error.find(history), std::string::npos) << result.error;
    EXPECT_TRUE(contentsOf(history) == kHistory);

    const std::string nowhere = folder.file("no-folder/FL6-49.HIT");
    const DrawImport missingFolder = importDraws(source, nowhere);
    EXPECT_EQ(missingFolder.status, Status::HistoryNotWritten);
    EXPECT_FALSE(std::filesystem::exists(folder.file("no-folder")));
}

TEST(DrawImportFailures, AnUnreadableFileOrHistoryImportsNothing) {
    TempFolder folder;
    const std::string source = folder.write("draws.csv", "05/21/1988,08,15,22,25,40,47\r\n");

    const std::string history = folder.write("FL6-49.HIT", kHistory);
    const DrawImport missing = importDraws(folder.file("absent.csv"), history);
    EXPECT_EQ(missing.status, Status::SourceUnreadable);
    EXPECT_NE(missing.error.find(folder.file("absent.csv")), std::string::npos) << missing.error;
    EXPECT_EQ(importDraws(folder.path(), history).status, Status::SourceUnreadable);
    EXPECT_EQ(contentsOf(history), kHistory);

    const std::string broken = kHistory + "052188  08 15 22 25 40\r\n";
    const std::string bad = folder.write("bad.HIT", broken);
    const DrawImport unreadable = importDraws(source, bad);
    EXPECT_EQ(unreadable.status, Status::HistoryUnreadable);
    EXPECT_NE(unreadable.error.find("Line 3"), std::string::npos) << unreadable.error;
    EXPECT_EQ(contentsOf(bad), broken);
}

TEST(DrawImportSummary, CountsThenTheFirstRejectedLinesAndHowManyMore) {
    DrawImport result;
    result.added = 2;
    result.skipped = 5;
    for (std::size_t line = 1; line <= 3; ++line)
        result.rejected.push_back(RejectedLine{line, "reason " + std::to_string(line), "text"});
    EXPECT_EQ(importSummary(result, 2), "Draws added: 2\n"
                                        "Draws already in the history: 5\n"
                                        "Lines rejected: 3\n"
                                        "Line 1: reason 1: text\n"
                                        "Line 2: reason 2: text\n"
                                        "... and 1 more rejected lines.\n");
    EXPECT_EQ(importSummary(result, 3).find("more"), std::string::npos);
}

// A rejected line of a damaged file is shown by its start, so the summary of
// a file of megabyte-long lines stays short; a tab between fields stays.
TEST(DrawImportSummary, ALongRejectedLineIsShownByItsStart) {
    DrawImport result;
    result.rejected.push_back(RejectedLine{1, "no date", "05/07/1988\t15\t17"});
    result.rejected.push_back(RejectedLine{2, "no date", std::string(std::size_t{1} << 20, 'x')});
    const std::string summary = importSummary(result, 2);
    EXPECT_NE(summary.find("Line 1: no date: 05/07/1988\t15\t17\n"), std::string::npos);
    EXPECT_NE(summary.find("Line 2: no date: " + std::string(200, 'x') + "...\n"), std::string::npos);
    EXPECT_LT(summary.size(), 400u);
}
