#include "pool/PoolFile.h"
#include "pool/PoolReport.h"

#include "support/TempFolder.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

PoolFileRead readText(const TempFolder& folder, const std::string& text) {
    return readPoolFile(folder.write("Pool.GR", text));
}

} // namespace

TEST(PoolFile, ReadsMinimumFilesSavedOrNot) {
    TempFolder folder;
    const std::vector<int> seven{7, 12, 19, 23, 31, 40, 44};
    const PoolFileRead listed = readText(folder, "7\r\n12\r\n19\r\n23\r\n31\r\n40\r\n44\r\n\r\n");
    EXPECT_TRUE(listed.ok());
    EXPECT_EQ(listed.style, PoolFileStyle::Minimum);
    EXPECT_EQ(listed.numbers, seven);

    // The output box's text as it stands, and as the save step writes it.
    const std::vector<int> ten{7, 31, 12, 49, 1, 23, 40, 44, 9, 19};
    EXPECT_EQ(readText(folder, minimumPoolText(ten)).numbers, ten);
    const std::string saved = savedPoolText(minimumPoolText(ten));
    const std::vector<std::string> lines = linesOf(saved, "<no line end>");
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines.front(), "7 ");
    EXPECT_EQ(lines[1], " 31 ");
    EXPECT_EQ(lines.back(), "");
    const PoolFileRead reread = readText(folder, saved);
    EXPECT_TRUE(reread.ok());
    EXPECT_EQ(reread.numbers, ten);
}

// The report as the pool window shows it, saved, or with LF line ends: its
// ranked numbers, best first.
TEST(PoolFile, ReadsTheNumbersOfAVerboseReport) {
    TempFolder folder;
    const std::vector<int> seven{7, 31, 12, 49, 1, 23, 40};
    const VerboseHeading heading{{5, 10, 7, 3}, "5", "10", "06/12/99", "21:04:05"};
    const std::string report = verbosePoolText(seven, heading);
    std::string unix = report;
    std::erase(unix, '\r');
    for (const std::string& text : {report, savedPoolText(report), unix, report + "\r\nnotes the user added\r\n"}) {
        const PoolFileRead read = readText(folder, text);
        EXPECT_TRUE(read.ok()) << text;
        EXPECT_EQ(read.style, PoolFileStyle::Verbose);
        EXPECT_EQ(read.numbers, seven);
    }
    // A heading of another wording still ends at its first ranked line.
    EXPECT_EQ(readText(folder, "My pool\r\n\r\n1 - 9\r\n2 -  4 \r\n").numbers, (std::vector<int>{9, 4}));

    // Its heading alone ranks nothing; text that is neither style holds no pool.
    const std::string headingOnly = report.substr(0, report.find("1 - 7"));
    const PoolFileRead cut = readText(folder, headingOnly);
    EXPECT_EQ(cut.error, PoolLoadError::NoPool);
    EXPECT_EQ(cut.style, PoolFileStyle::Verbose);
    for (const std::string& text :
         {std::string("Dear diary\r\n12 13\r\n"), std::string(""), std::string(" \r\n\r\n")}) {
        const PoolFileRead none = readText(folder, text);
        EXPECT_EQ(none.error, PoolLoadError::NoPool) << text;
        EXPECT_EQ(none.style, PoolFileStyle::Unknown) << text;
    }
}

TEST(PoolFile, FieldsEndAtCommasAndAnyLineEnd) {
    TempFolder folder;
    EXPECT_EQ(readText(folder, " 7 , 12,\t19\r\n23").numbers, (std::vector<int>{7, 12, 19, 23}));
    EXPECT_EQ(readText(folder, "7\n12\n").numbers, (std::vector<int>{7, 12}));
    EXPECT_EQ(readText(folder, "7\r12\r").numbers, (std::vector<int>{7, 12}));
    EXPECT_EQ(readText(folder, "07\r\n+8\r\n").numbers, (std::vector<int>{7, 8}));
    // An empty field ends the list, whatever follows.
    const PoolFileRead stopped = readText(folder, "7\r\n\r\n12\r\n");
    EXPECT_TRUE(stopped.ok());
    EXPECT_EQ(stopped.numbers, (std::vector<int>{7}));
    EXPECT_EQ(readText(folder, "7,,12").numbers, (std::vector<int>{7}));
    EXPECT_EQ(readText(folder, "7\r\n   \r\n12").numbers, (std::vector<int>{7}));
    // A list that ends before its first number holds no pool.
    EXPECT_EQ(readText(folder, ",7\r\n").error, PoolLoadError::NoPool);
}

// Each failure keeps the numbers before it and says which kind it was and where.
TEST(PoolFile, FailuresKeepWhatCameBefore) {
    TempFolder folder;
    struct Case {
        std::string text;
        PoolLoadError error;
        std::vector<int> kept;
        int line;
        std::string quoted;
    };
    const std::vector<Case> cases{
        {"7\r\n50\r\n12\r\n", PoolLoadError::OutOfRange, {7}, 2, "50"},
        {"0\r\n", PoolLoadError::OutOfRange, {}, 1, "0"},
        {"-3\r\n", PoolLoadError::OutOfRange, {}, 1, "-3"},
        {"99999999999999999999999\r\n", PoolLoadError::OutOfRange, {}, 1, "99999999999999999999999"},
        {"7\r\n7.5\r\n", PoolLoadError::NotANumber, {7}, 2, "7.5"},
        {"12ab\r\n", PoolLoadError::NotANumber, {}, 1, "12ab"},
        {" 12 13 \r\n", PoolLoadError::NotANumber, {}, 1, "12 13"},
        {"+\r\n", PoolLoadError::NotANumber, {}, 1, "+"},
        {"7\r\n9", PoolLoadError::None, {7, 9}, 0, ""},
        {"7, 8\r\n9x", PoolLoadError::NotANumber, {7, 8}, 2, "9x"},
        // A report's list that breaks off: a rank out of turn, a bad number.
        {"Pool\r\n\r\n1 - 7\r\n3 - 12\r\n", PoolLoadError::NotANumber, {7}, 4, "3 - 12"},
        {"Pool\r\n\r\n1 - 7\r\n2 - 7x\r\n", PoolLoadError::NotANumber, {7}, 4, "2 - 7x"},
        {"Pool\r\n\r\n1 - 7\r\n2 - 50\r\n", PoolLoadError::OutOfRange, {7}, 4, "2 - 50"},
        {"Pool\r\n1 - 0\r\n", PoolLoadError::OutOfRange, {}, 2, "1 - 0"},
    };
    for (const Case& c : cases) {
        const PoolFileRead read = readText(folder, c.text);
        EXPECT_EQ(read.error, c.error) << c.text;
        EXPECT_EQ(read.numbers, c.kept) << c.text;
        EXPECT_EQ(read.line, c.line) << c.text;
        EXPECT_EQ(read.text, c.quoted) << c.text;
    }

    EXPECT_EQ(readPoolFile(folder.file("absent.GR")).error, PoolLoadError::Missing);
    EXPECT_EQ(readPoolFile(folder.path()).error, PoolLoadError::Unreadable);
}

// The message says which style the file is, where it failed, what was
// selected and how to make a pool file that loads.
TEST(PoolFile, LoadNoticeTellsTheStyleAndWhatToDo) {
    TempFolder folder;
    const std::string path = folder.file("Pool.GR");
    auto noticeFor = [&](const std::string& text) {
        folder.write("Pool.GR", text);
        return poolLoadNotice(readPoolFile(path), path);
    };
    EXPECT_FALSE(noticeFor("7\r\n12\r\n\r\n"));

    const VerboseHeading heading{{5, 10, 3, 1}, "5", "10", "06/12/99", "21:04:05"};
    const std::optional<Notice> verbose = noticeFor(savedPoolText(verbosePoolText({7, 31, 12}, heading)));
    ASSERT_TRUE(verbose);
    EXPECT_EQ(verbose->icon, NoticeIcon::Information);
    EXPECT_EQ(verbose->text, "The pool file " + path +
                                 " is a Verbose report of VN-Gathra; the 3 numbers it ranks "
                                 "have been selected.");

    const std::string makeOne = "Run VN-Gathra (Number Selection > Select Numbers With Gathra) with \"Save Output "
                                "To Disk\" checked to save a pool there, then try again.";
    const std::optional<Notice> missing =
        poolLoadNotice(readPoolFile(folder.file("absent.GR")), folder.file("absent.GR"));
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->title, "Unable To Continue");
    EXPECT_EQ(missing->icon, NoticeIcon::Exclamation);
    EXPECT_EQ(missing->text, "There is no pool file " + folder.file("absent.GR") + ".  " + makeOne);

    const std::optional<Notice> none = noticeFor("Dear diary\r\n");
    EXPECT_EQ(none->text, "The file " + path +
                              " holds no pool: it is neither a list of numbers nor a Verbose report "
                              "of VN-Gathra.  " +
                              makeOne);
    EXPECT_NE(noticeFor("VN-Gathra, a Part of VN-Tambril\r\n\r\n")
                  ->text.find("is a Verbose report of VN-Gathra that "
                              "ranks no numbers."),
              std::string::npos);

    EXPECT_EQ(
        noticeFor("7\r\n12\r\n50\r\n")->text,
        "The pool file " + path +
            " is a list of numbers, but on its line 3 \"50\" is not a number from 1 to "
            "49.  The 2 numbers before it have been selected.  Correct the file, or run VN-Gathra again with \"Save "
            "Output To Disk\" checked.");
    EXPECT_NE(noticeFor("7x\r\n")->text.find("No number was selected."), std::string::npos);
    const std::string broken = noticeFor("Pool\r\n\r\n1 - 7\r\n2 - seven\r\n")->text;
    EXPECT_NE(broken.find("is a Verbose report of VN-Gathra, but on its line 4 \"2 - seven\" is not a rank and a "
                          "number such as \"1 - 7\".  The number before it has been selected."),
              std::string::npos)
        << broken;
}
