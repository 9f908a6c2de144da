#include "wheel/PrintedWheelOutput.h"
#include "wheel/WheelOutput.h"
#include "wheel/WheelJob.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace orvane;

namespace {

void wheel(const std::string& path, std::vector<int> pick, DiskMode mode, bool numbered) {
    Notice error;
    auto output = FileWheelOutput::open(path, mode, numbered, error);
    ASSERT_NE(output, nullptr) << error.text;
    WheelJob job(std::move(pick), SetPipeline{}, std::move(output));
    job.runToEnd();
    ASSERT_FALSE(job.failure().has_value());
}

const std::vector<int> kSeven = {1, 2, 3, 4, 5, 9, 12};

} // namespace

TEST(SetLines, PlainAndNumberedForms) {
    const Combination set{5, 12, 23, 34, 41, 49};
    EXPECT_EQ(plainSetLine(set), "5 12 23 34 41 49");
    EXPECT_EQ(numberedFileLine(17, set), "17 : 5 12 23 34 41 49");
    EXPECT_EQ(plainSetLine({1, 2, 3, 4, 5, 9}), "1 2 3 4 5 9");
}

// Printed, the numbers take two digits each so that the columns line up; the
// file keeps its plain form.
TEST(PrintedOutput, SetsArePrintedZeroPaddedAfterTheHeader) {
    for (const bool numbered : {false, true}) {
        std::vector<std::string> lines;
        auto document =
            std::make_unique<PrintedWheelOutput>([&lines](const std::string& line) { lines.push_back(line); }, nullptr,
                                                 7, numbered, "07-04-1999", "18:30:05");
        WheelJob job(kSeven, SetPipeline{}, std::move(document));
        job.runToEnd();
        ASSERT_EQ(lines.size(), 4u + 7u);
        EXPECT_EQ(lines[1], "7 numbers selected for wheeling.");
        EXPECT_EQ(lines[2], "Report generated 07-04-1999 at 18:30:05");
        EXPECT_EQ(lines[4], numbered ? "1: 01 02 03 04 05 09" : "01 02 03 04 05 09");
        EXPECT_EQ(lines[10], numbered ? "7: 02 03 04 05 09 12" : "02 03 04 05 09 12");
    }
    EXPECT_EQ(numberedPrintedLine(245, {5, 12, 23, 34, 41, 49}), "245: 05 12 23 34 41 49");
}

TEST(WheelOutputFile, OverwriteWritesPlainCrLfLines) {
    TempFolder folder;
    const std::string path = folder.file("Wheeled.TB");
    std::ofstream(path) << "old contents\n";
    wheel(path, kSeven, DiskMode::Overwrite, false);
    const std::string text = contentsOf(path);
    EXPECT_EQ(text.substr(0, 27), "1 2 3 4 5 9\r\n1 2 3 4 5 12\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);
    EXPECT_EQ(text.find("old"), std::string::npos);
}

TEST(WheelOutputFile, AppendAddsRunsAndNumberingRestarts) {
    TempFolder folder;
    const std::string path = folder.file("Wheeled.TB");
    wheel(path, kSeven, DiskMode::Append, true);
    wheel(path, kSeven, DiskMode::Append, true);
    const std::string text = contentsOf(path);
    EXPECT_EQ(text.substr(0, 19), "1 : 1 2 3 4 5 9\r\n2 ");
    const std::size_t secondRun = text.find("7 : 2 3 4 5 9 12\r\n") + 18;
    EXPECT_EQ(text.substr(secondRun, 17), "1 : 1 2 3 4 5 9\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 14);
}

TEST(WheelOutputFile, AppendCreatesAMissingFile) {
    TempFolder folder;
    const std::string path = folder.file("new.TB");
    wheel(path, kSeven, DiskMode::Append, false);
    const std::string text = contentsOf(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);
}

TEST(WheelOutputFile, UnopenablePathIsReportedByName) {
    TempFolder folder;
    const std::string path = folder.file("no-such-folder/Wheeled.TB");
    Notice error;
    EXPECT_EQ(FileWheelOutput::open(path, DiskMode::Overwrite, false, error), nullptr);
    EXPECT_NE(error.text.find(path), std::string::npos);
    EXPECT_EQ(error.icon, NoticeIcon::Exclamation);
}

TEST(WheelOutputFile, AFileTheProgramReadsIsNeverTakenAsTheOutput) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", "010199  01 02 03 04 05 06\r\n");
    const std::string settings = folder.write("VNTB.INI", "x\r\n");
    auto refusal = outputOverwritesInput(folder.path() + "/./FL6-49.HIT", history, settings);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_NE(refusal->text.find("is the history file"), std::string::npos);
    refusal = outputOverwritesInput(settings, history, settings);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_NE(refusal->text.find("is the settings file"), std::string::npos);
    // A new file, or inputs that do not exist, are no conflict.
    EXPECT_FALSE(outputOverwritesInput(folder.file("Wheeled.TB"), history, settings).has_value());
    EXPECT_FALSE(outputOverwritesInput(folder.file("Wheeled.TB"), folder.file("none.HIT"), "").has_value());
}

TEST(PrintedOutput, SetsInPickMatchesWhatARunGenerates) {
    for (int poolSize = 6; poolSize <= 20; ++poolSize) {
        std::vector<int> pick(static_cast<std::size_t>(poolSize));
        std::iota(pick.begin(), pick.end(), 1);
        WheelJob job(pick, SetPipeline{}, nullptr);
        job.runToEnd();
        EXPECT_EQ(setsInPick(poolSize), job.generated()) << poolSize;
    }
    EXPECT_EQ(setsInPick(49), 13983816u);
    EXPECT_EQ(setsInPick(5), 0u);
}

TEST(PrintedOutput, OnlyMoreThanTenThousandLinesAreWorthAQuestion) {
    EXPECT_FALSE(largePrintQuestion(setsInPick(16)).has_value()); // 8,008
    EXPECT_FALSE(largePrintQuestion(10000).has_value());
    const auto question = largePrintQuestion(setsInPick(49));
    ASSERT_TRUE(question.has_value());
    EXPECT_NE(question->text.find("13,983,816"), std::string::npos) << question->text;
    EXPECT_EQ(question->icon, NoticeIcon::Question);
    EXPECT_TRUE(largePrintQuestion(10001).has_value());
}
