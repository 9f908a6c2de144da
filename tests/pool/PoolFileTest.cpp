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
    const PoolFileRead empty = readText(folder, "");
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.numbers.empty());
}

// Each failure keeps the numbers before it and says which kind it was.
TEST(PoolFile, FailuresKeepWhatCameBefore) {
    TempFolder folder;
    struct Case {
        std::string text;
        PoolLoadError error;
        std::vector<int> kept;
    };
    const std::vector<Case> cases{
        {"7\r\n50\r\n12\r\n", PoolLoadError::OutOfRange, {7}},
        {"0\r\n", PoolLoadError::OutOfRange, {}},
        {"-3\r\n", PoolLoadError::OutOfRange, {}},
        {"99999999999999999999999\r\n", PoolLoadError::OutOfRange, {}},
        {"7\r\n7.5\r\n", PoolLoadError::NotANumber, {7}},
        {"12ab\r\n", PoolLoadError::NotANumber, {}},
        {"12 13\r\n", PoolLoadError::NotANumber, {}},
        {"+\r\n", PoolLoadError::NotANumber, {}},
        {"7\r\n9", PoolLoadError::None, {7, 9}},
        {"7\r\n9x", PoolLoadError::NotANumber, {7}},
    };
    for (const Case& c : cases) {
        const PoolFileRead read = readText(folder, c.text);
        EXPECT_EQ(read.error, c.error) << c.text;
        EXPECT_EQ(read.numbers, c.kept) << c.text;
    }

    VerboseHeading heading{{5, 10, 7, 3}, "5", "10", "06/12/99", "21:04:05"};
    const PoolFileRead verbose = readText(folder, savedPoolText(verbosePoolText({7, 31, 12, 49, 1, 23, 40}, heading)));
    EXPECT_EQ(verbose.error, PoolLoadError::NotANumber);
    EXPECT_TRUE(verbose.numbers.empty());

    EXPECT_EQ(readPoolFile(folder.file("absent.GR")).error, PoolLoadError::Unreadable);
    EXPECT_EQ(readPoolFile(folder.path()).error, PoolLoadError::Unreadable);
}

TEST(PoolFile, LoadNoticeNamesTheErrorCode) {
    const Notice notice = poolLoadNotice(PoolLoadError::OutOfRange);
    EXPECT_EQ(notice.title, "Unable To Continue");
    EXPECT_EQ(notice.icon, NoticeIcon::Exclamation);
    EXPECT_EQ(notice.text, "A problem has ocurred: Either the output file from Gathra cannot be found or it was saved "
                           "in Verbose format.  Please correct the problem and try again.  Error code 3 reported.");
    EXPECT_NE(poolLoadNotice(PoolLoadError::Unreadable).text.find("Error code 1 reported."), std::string::npos);
    EXPECT_NE(poolLoadNotice(PoolLoadError::NotANumber).text.find("Error code 2 reported."), std::string::npos);
}
