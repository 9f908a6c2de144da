#include "wheel/WheelStart.h"

#include "support/TempFolder.h"
#include "support/Picks.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace orvane;

namespace {

// An opener that opens the file output and remembers whether it was asked.
OutputOpener fileOpener(const std::string& path, bool& asked) {
    return [path, &asked](int, Notice& failure) -> std::unique_ptr<WheelOutput> {
        asked = true;
        return FileWheelOutput::open(path, DiskMode::Overwrite, false, failure);
    };
}

} // namespace

TEST(WheelStart, RefusesASmallPoolBeforeTouchingHistoryOrOutput) {
    TempFolder folder;
    const std::string output = folder.write("out.TB", "kept\r\n");
    bool asked = false;
    WheelStartRequest request;
    request.pick = range(1, 6);
    request.controls.evensSignatures = 1; // would need a history that does not exist
    request.historyPath = folder.file("absent.HIT");
    request.openOutput = fileOpener(output, asked);
    WheelStart start = startWheel(std::move(request));
    EXPECT_EQ(start.job, nullptr);
    ASSERT_TRUE(start.refusal.has_value());
    EXPECT_EQ(*start.refusal, poolTooSmallNotice());
    EXPECT_FALSE(asked);
    EXPECT_EQ(contentsOf(output), "kept\r\n");
}

TEST(WheelStart, ExactValuesJoinThePickBeforeItsSizeIsChecked) {
    WheelStartRequest request;
    request.pick = range(1, 5);
    request.controls.enableExactValues = 1;
    request.controls.exactValues[0][0] = "30";
    request.controls.exactValues[5][0] = "49";
    EXPECT_EQ(mostSetsOf(request), 7u);
    WheelStart start = startWheel(std::move(request));
    EXPECT_EQ(start.pick, (std::vector<int>{1, 2, 3, 4, 5, 30, 49}));
    ASSERT_NE(start.job, nullptr);
}

TEST(WheelStart, HistoryProblemsRefuseTheRunAndLeaveTheOutputUnopened) {
    TempFolder folder;
    const std::string output = folder.write("out.TB", "kept\r\n");
    const std::string bad = folder.write("bad.HIT", "010199  01 02 03 04 05 06\r\nrubbish\r\n");
    for (int filter = 0; filter < 3; ++filter) {
        bool asked = false;
        WheelStartRequest request;
        request.pick = range(1, 10);
        if (filter == 0) request.controls.rejectLast15Sums = 1;
        if (filter == 1) request.controls.filterAgainstHistory = 1;
        if (filter == 2) request.controls.lastDrawNumMax = "2";
        request.historyPath = bad;
        request.openOutput = fileOpener(output, asked);
        WheelStart start = startWheel(std::move(request));
        EXPECT_EQ(start.job, nullptr) << filter;
        ASSERT_TRUE(start.refusal.has_value()) << filter;
        EXPECT_EQ(start.refusal->title, "History File Problem");
        EXPECT_NE(start.refusal->text.find(bad), std::string::npos) << start.refusal->text;
        EXPECT_FALSE(asked);
    }
    EXPECT_EQ(contentsOf(output), "kept\r\n");
}

TEST(WheelStart, AnUnopenableOutputRefusesTheRun) {
    TempFolder folder;
    bool asked = false;
    const std::string output = folder.file("no-such-folder/out.TB");
    WheelStartRequest request;
    request.pick = range(1, 10);
    request.openOutput = fileOpener(output, asked);
    WheelStart start = startWheel(std::move(request));
    EXPECT_TRUE(asked);
    EXPECT_EQ(start.job, nullptr);
    ASSERT_TRUE(start.refusal.has_value());
    EXPECT_NE(start.refusal->text.find(output), std::string::npos);
}

TEST(WheelStart, SumCorrectionsAreReportedAndTheRunGoesOn) {
    WheelStartRequest request;
    request.pick = range(1, 12);
    request.controls.minSum = "300";
    request.controls.maxSum = "10";
    WheelStart start = startWheel(std::move(request));
    EXPECT_FALSE(start.notices.empty());
    EXPECT_EQ(start.normalised.minSum, "21");
    EXPECT_EQ(start.normalised.maxSum, "279");
    ASSERT_NE(start.job, nullptr);
    start.job->runToEnd();
    EXPECT_EQ(start.job->generated(), 924u);
    EXPECT_EQ(start.job->passing(), 924u);
}

TEST(WheelStart, LastFifteenSumsAreReadFromTheHistoryAtTheStart) {
    // With one draw summing 21, its one set of 1..7 fails; a draw recorded
    // since (summing 22) counts at the next start.
    TempFolder folder;
    const std::string history = folder.write("h.HIT", "010199  01 02 03 04 05 06\r\n");
    std::vector<std::uint64_t> passing;
    for (int start = 0; start < 2; ++start) {
        if (start == 1) folder.write("h.HIT", "010199  01 02 03 04 05 06\r\n020199  01 02 03 04 05 07\r\n");
        WheelStartRequest request;
        request.pick = range(1, 7);
        request.controls.rejectLast15Sums = 1;
        request.historyPath = history;
        WheelStart run = startWheel(std::move(request));
        ASSERT_NE(run.job, nullptr);
        run.job->runToEnd();
        passing.push_back(run.job->passing());
    }
    EXPECT_EQ(passing, (std::vector<std::uint64_t>{6, 5}));
}

TEST(WheelStart, AnUnreadableBoxRefusesTheRunBeforeAnythingIsDone) {
    TempFolder folder;
    const std::string output = folder.write("out.TB", "kept\r\n");
    bool asked = false;
    WheelStartRequest request;
    request.pick = range(1, 5); // too few, but the box is named first
    request.controls.maxDif = "";
    request.controls.minSum = "300"; // a correction that is not made either
    request.controls.enableExactValues = 1;
    request.controls.exactValues[0][0] = "30";
    request.controls.evensSignatures = 1;
    request.historyPath = folder.file("absent.HIT");
    request.openOutput = fileOpener(output, asked);
    WheelStart start = startWheel(std::move(request));
    EXPECT_EQ(start.job, nullptr);
    ASSERT_TRUE(start.refusal.has_value());
    EXPECT_EQ(start.refusal->text, "Maximum Difference (Filters A) is empty: type a number from 0 to 44.");
    EXPECT_TRUE(start.notices.empty());
    EXPECT_EQ(start.pick, range(1, 5));
    EXPECT_EQ(start.normalised.minSum, "300");
    EXPECT_FALSE(asked);
    EXPECT_EQ(contentsOf(output), "kept\r\n");
}
