#include "accessories/ManualFile.h"
#include "accessories/Tips.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvane;

TEST(Tips, EveryLineIsATipBlankOnesToo) {
    TempFolder folder;
    const auto tips = loadTips(folder.write("TIPOFDAY.TXT", "first\r\n\r\nthird\nlast without a line end"));
    ASSERT_TRUE(tips.has_value());
    EXPECT_EQ(*tips, (std::vector<std::string>{"first", "", "third", "last without a line end"}));
    EXPECT_EQ(loadTips(folder.write("one.TXT", "only\r\n")), (std::vector<std::string>{"only"}));
}

TEST(Tips, AMissingOrUnreadableFileIsNoList) {
    TempFolder folder;
    EXPECT_FALSE(loadTips(folder.file("none.TXT")).has_value());
    EXPECT_FALSE(loadTips("").has_value());
    EXPECT_FALSE(loadTips(folder.path()).has_value()); // a folder, not a file
    EXPECT_EQ(missingTipsText(),
              "That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named TIPOFDAY.TXT using NotePad "
              "with 1 tip per line. Then place it in the same directory as the application. ");
}

TEST(Tips, EveryTipCanComeUpAndNoneOutsideTheList) {
    EXPECT_EQ(tipIndexFor(0.0, 5), 0u);
    EXPECT_EQ(tipIndexFor(0.2, 5), 1u);
    EXPECT_EQ(tipIndexFor(0.9999999, 5), 4u);
    EXPECT_EQ(tipIndexFor(1.0, 5), 4u);
    EXPECT_EQ(tipIndexFor(-0.5, 5), 0u);
    EXPECT_EQ(tipIndexFor(0.7, 0), 0u);
    EXPECT_EQ(tipIndexFor(0.7, 1), 0u);
}

TEST(ManualLoad, ReadsInPiecesToTheWholeText) {
    TempFolder folder;
    std::string text;
    for (int i = 0; i < 20'000; ++i) text += "Line " + std::to_string(i) + " of the manual.\r\n";
    const std::string path = folder.write("TB-MANUAL.TXT", text);
    ManualLoadJob job(path);
    int steps = 0;
    while (!job.advance(std::chrono::nanoseconds(0))) ++steps;
    EXPECT_EQ(job.text(), text);
    EXPECT_GT(steps, 10); // one piece per step when the budget is spent at once
    EXPECT_FALSE(job.stopped());
    EXPECT_FALSE(job.problem().has_value());
}

TEST(ManualLoad, StoppingKeepsThePartRead) {
    TempFolder folder;
    const std::string path = folder.write("GR-MANUAL.TXT", std::string(100'000, 'x'));
    ManualLoadJob job(path);
    job.advance(std::chrono::nanoseconds(0));
    job.stop();
    EXPECT_TRUE(job.ended());
    EXPECT_TRUE(job.stopped());
    EXPECT_EQ(job.text(), std::string(ManualLoadJob::kPieceBytes, 'x'));
}

TEST(ManualLoad, EmptyAndMissingManuals) {
    TempFolder folder;
    ManualLoadJob empty(folder.write("empty.TXT", ""));
    empty.runToEnd();
    EXPECT_EQ(empty.text(), "");
    EXPECT_FALSE(empty.problem().has_value());
    ManualLoadJob missing(folder.file("none.TXT"));
    EXPECT_TRUE(missing.ended());
    ASSERT_TRUE(missing.problem().has_value());
    EXPECT_NE(missing.problem()->text.find(folder.file("none.TXT")), std::string::npos);
}

TEST(ManualSave, LineEndsAreCarriageReturnLineFeedAndSavingTwiceChangesNothing) {
    EXPECT_EQ(manualFileText("a\nb"), "a\r\nb\r\n");
    EXPECT_EQ(manualFileText("a\r\nb\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(manualFileText("a\rb\n\n"), "a\r\nb\r\n\r\n");
    EXPECT_EQ(manualFileText(""), "");
    for (const char* text : {"one\ntwo", "x\r\n\r\ny", "last\n"})
        EXPECT_EQ(manualFileText(manualFileText(text)), manualFileText(text)) << text;
}

// The tips and manuals the program ships: plain single-byte text with CR LF
// ends, manuals no wider than 76 columns, enough tips to be worth a window.
TEST(ShippedTexts, TipsAndManualsAreWellFormed) {
    const std::filesystem::path data = std::filesystem::path(ORVANE_SAMPLE_HISTORY).parent_path();
    for (const char* name : {"TIPOFDAY.TXT", "TB-MANUAL.TXT", "GR-MANUAL.TXT"}) {
        const std::string text = contentsOf((data / name).string());
        ASSERT_FALSE(text.empty()) << name;
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name;
        std::size_t lineStart = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            ASSERT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7f)) << name << " at byte " << i;
            if (c == '\n') {
                ASSERT_GT(i, 0u);
                ASSERT_EQ(text[i - 1], '\r') << name << " at byte " << i;
                if (std::string(name) != "TIPOFDAY.TXT") {
                    EXPECT_LE(i - 1 - lineStart, 76u) << name << " at byte " << i;
                }
                lineStart = i + 1;
            }
        }
    }
    const auto tips = loadTips((data / "TIPOFDAY.TXT").string());
    ASSERT_TRUE(tips.has_value());
    EXPECT_GE(tips->size(), 40u);
    for (const std::string& tip : *tips) EXPECT_FALSE(tip.empty());
}
