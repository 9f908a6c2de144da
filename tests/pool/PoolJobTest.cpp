#include "pool/PoolJob.h"

#include "pool/PoolHistories.h"
#include "support/SampleReportDraws.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace orvane;

namespace {

struct Shown {
    std::string action;
    std::string status;
    bool operator==(const Shown&) const = default;
};

// Runs a job a unit at a time (no budget), keeping the texts after every
// slice that changed them, as a window would show them.
std::vector<Shown> shownSlices(PoolJob& job) {
    std::vector<Shown> shown;
    for (int guard = 0; guard < 100000; ++guard) {
        const bool ended = job.advance(std::chrono::nanoseconds(0));
        const Shown now{job.action(), job.status()};
        if (shown.empty() || !(shown.back() == now)) shown.push_back(now);
        if (ended) break;
    }
    return shown;
}

std::vector<std::string> actionsOf(const std::vector<Shown>& shown) {
    std::vector<std::string> actions;
    for (const Shown& s : shown)
        if (actions.empty() || actions.back() != s.action) actions.push_back(s.action);
    return actions;
}

} // namespace

TEST(PoolJob, ShowsEveryStepInOrderAndEndsWithTheComputedPool) {
    const PoolParameters parameters{5, 10, 49, 1};
    PoolJob job(ORVANE_SAMPLE_HISTORY, parameters, {"5", "10"});
    const std::vector<Shown> shown = shownSlices(job);
    ASSERT_TRUE(job.ended());
    ASSERT_FALSE(job.failure().has_value());
    ASSERT_TRUE(job.outcome().has_value());
    const PoolOutcome expected = generatePool(sampleReportDraws(), parameters);
    EXPECT_EQ(*job.outcome(), expected);

    EXPECT_EQ(actionsOf(shown), (std::vector<std::string>{
                                    "Step 1: Counting total draws in history file.",
                                    "Step 2: Loading last 5 draws into memory.",
                                    "Step 3: Scanning history file for numerically similar groups...",
                                    "Step 4: Seeking the 10 best scoring groups in the history...",
                                    "Gathering requested number pool...",
                                    "All Operations Complete.",
                                }));
    std::vector<std::string> statuses;
    for (const Shown& s : shown) statuses.push_back(s.status);
    // The sample's 588 blocks are scored within one slice: the last block's
    // score shows, records 588 to 592 against the recent draws 594 to 598.
    std::uint64_t lastScore = 0;
    for (int r = 588; r <= 592; ++r)
        for (int w = 594; w <= 598; ++w)
            for (int a : sampleReportDraws()[static_cast<std::size_t>(r - 1)])
                for (int b : sampleReportDraws()[static_cast<std::size_t>(w - 1)]) lastScore += a == b;
    EXPECT_EQ(statuses[0], "599 draws found.");
    EXPECT_EQ(statuses[1], "599 draws found.");
    EXPECT_EQ(statuses[2], "Tested block scores " + std::to_string(lastScore));
    EXPECT_EQ(statuses[3], "Analyzing Records...");
    for (int g = 1; g <= 10; ++g)
        EXPECT_EQ(statuses[static_cast<std::size_t>(3 + g)],
                  "Locating Group " + std::to_string(g) +
                      "\r\nScore: " + std::to_string(expected.bestGroups[static_cast<std::size_t>(g - 1)].score));
    ASSERT_GT(expected.swaps, 0u);
    EXPECT_EQ(statuses[14], "Swapped: " + std::to_string(expected.swaps));
    EXPECT_EQ(statuses[15], "Working...");
    EXPECT_EQ(statuses[16], "All Operations Complete.");
    EXPECT_EQ(statuses.size(), 17u);
}

// A step's title ends its slice, so a window sees each one, while a generous
// budget runs the rest of a step in the same slice.
TEST(PoolJob, SlicesEndWhereAStepBegins) {
    PoolJob job(ORVANE_SAMPLE_HISTORY, {5, 10, 49, 1}, {"5", "10"});
    int slices = 0;
    while (!job.advance(std::chrono::seconds(10))) ++slices;
    EXPECT_EQ(slices + 1, 6);
    EXPECT_EQ(job.status(), "All Operations Complete.");
}

// A long history is scanned over several slices, each showing the score of
// the last block it reached, and the result is the same.
TEST(PoolJob, LongHistoriesAreScannedOverSeveralSlices) {
    TempFolder folder;
    std::mt19937 random(6000);
    const std::vector<ReportDraw> draws = randomDraws(random, 6000);
    const std::string history = folder.write("long.HIT", historyText(draws));
    PoolJob job(history, {3, 20, 10, 2}, {"3", "20"});
    std::size_t scanSlices = 0;
    while (!job.advance(std::chrono::nanoseconds(0)))
        if (job.action().rfind("Step 3:", 0) == 0) ++scanSlices;
    EXPECT_EQ(scanSlices, 6u); // 5,993 blocks
    ASSERT_TRUE(job.outcome().has_value());
    EXPECT_EQ(*job.outcome(), generatePool(draws, {3, 20, 10, 2}));
}

// The history is read once, at the start: a file removed afterwards changes
// nothing, and the run writes nothing beside it.
TEST(PoolJob, ReadsTheHistoryOnceAndWritesNothing) {
    TempFolder folder;
    std::mt19937 random(77);
    const std::vector<ReportDraw> draws = randomDraws(random, 120);
    const std::string history = folder.write("h.HIT", historyText(draws));
    PoolJob job(history, {4, 12, 20, 3}, {"4", "12"});
    job.advance(std::chrono::nanoseconds(0));
    ASSERT_EQ(job.action(), "Step 1: Counting total draws in history file.");
    std::filesystem::remove(history);
    job.runToEnd();
    ASSERT_TRUE(job.outcome().has_value());
    EXPECT_EQ(*job.outcome(), generatePool(draws, {4, 12, 20, 3}));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(PoolJob, RefusesBeforeAnyStep) {
    TempFolder folder;
    const std::string missing = folder.file("absent.HIT");
    PoolJob absent(missing, {5, 10, 49, 1}, {"5", "10"});
    EXPECT_TRUE(absent.advance(std::chrono::milliseconds(15)));
    ASSERT_TRUE(absent.failure().has_value());
    EXPECT_NE(absent.failure()->text.find(missing), std::string::npos) << absent.failure()->text;
    EXPECT_EQ(absent.action(), "");
    EXPECT_FALSE(absent.outcome().has_value());

    const std::string malformed = folder.write("bad.HIT", "050788  15 17 30 42 44 49\r\n051488  11 15 18 19 22\r\n");
    PoolJob bad(malformed, {5, 10, 49, 1}, {"5", "10"});
    bad.runToEnd();
    ASSERT_TRUE(bad.failure().has_value());
    EXPECT_NE(bad.failure()->text.find("2"), std::string::npos) << bad.failure()->text;
    EXPECT_NE(bad.failure()->text.find(malformed), std::string::npos) << bad.failure()->text;
    EXPECT_EQ(bad.action(), "");

    const std::string eleven = folder.write("eleven.HIT", historyText(std::vector<ReportDraw>(11, drawFrom(1))));
    PoolJob short_(eleven, {5, 10, 49, 1}, {"5", "10"});
    short_.runToEnd();
    ASSERT_TRUE(short_.failure().has_value());
    EXPECT_EQ(short_.failure()->title, "VN-Gathra");
    EXPECT_EQ(short_.action(), "");
    const std::string twelve = folder.write("twelve.HIT", historyText(std::vector<ReportDraw>(12, drawFrom(1))));
    PoolJob enough(twelve, {5, 10, 49, 1}, {"5", "10"});
    enough.runToEnd();
    ASSERT_TRUE(enough.outcome().has_value());
    EXPECT_EQ(enough.outcome()->blocksTested, 1u);

    PoolJob zeroGroups(ORVANE_SAMPLE_HISTORY, {5, 0, 49, 1}, {"5", ""});
    zeroGroups.runToEnd();
    ASSERT_TRUE(zeroGroups.failure().has_value());
    EXPECT_NE(zeroGroups.failure()->text.find("best trend groups"), std::string::npos);
}

TEST(PoolJob, StopEndsTheRunWithoutAResult) {
    PoolJob job(ORVANE_SAMPLE_HISTORY, {5, 10, 49, 1}, {"5", "10"});
    for (int i = 0; i < 5; ++i) job.advance(std::chrono::nanoseconds(0));
    ASSERT_FALSE(job.ended());
    const std::string action = job.action();
    job.stop();
    EXPECT_TRUE(job.ended());
    EXPECT_TRUE(job.advance(std::chrono::milliseconds(15)));
    EXPECT_EQ(job.action(), action);
    EXPECT_FALSE(job.outcome().has_value());
    EXPECT_FALSE(job.failure().has_value());

    // Stopping a finished run keeps its result.
    PoolJob finished(ORVANE_SAMPLE_HISTORY, {5, 10, 49, 1}, {"5", "10"});
    finished.runToEnd();
    finished.stop();
    EXPECT_TRUE(finished.outcome().has_value());
}

// Two runs one after the other, with other settings between: each gives
// what a first run with its settings gives.
TEST(PoolJob, RunsAreIndependent) {
    PoolJob first(ORVANE_SAMPLE_HISTORY, {7, 20, 30, 4}, {"7", "20"});
    first.runToEnd();
    PoolJob second(ORVANE_SAMPLE_HISTORY, {5, 10, 49, 1}, {"5", "10"});
    second.runToEnd();
    ASSERT_TRUE(first.outcome() && second.outcome());
    EXPECT_EQ(*first.outcome(), generatePool(sampleReportDraws(), {7, 20, 30, 4}));
    EXPECT_EQ(*second.outcome(), generatePool(sampleReportDraws(), {5, 10, 49, 1}));
}
