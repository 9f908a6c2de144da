#include "pool/PoolBatch.h"

#include "pool/PoolHistories.h"
#include "support/SampleReportDraws.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace orvane;

// The batch ends where a run with T = 5, P = 49 and N = 5 ends.
TEST(PoolBatch, EndsWithTheRunForFiveFollowingDraws) {
    PoolBatchJob batch(ORVANE_SAMPLE_HISTORY, 10, "10");
    batch.runToEnd();
    ASSERT_TRUE(batch.ended());
    ASSERT_FALSE(batch.failure().has_value());
    ASSERT_TRUE(batch.outcome().has_value());
    PoolJob run(ORVANE_SAMPLE_HISTORY, {5, 10, 49, 5}, {"5", "10"});
    run.runToEnd();
    ASSERT_TRUE(run.outcome().has_value());
    EXPECT_EQ(*batch.outcome(), *run.outcome());
    EXPECT_EQ(batch.outcome()->pool.size(), 49u);
    EXPECT_EQ(batch.followingDraws(), 5);
    EXPECT_EQ(batch.pass(), PoolBatchJob::kPassesPerDrawCount);
    EXPECT_EQ(batch.action(), "All Operations Complete.");
    EXPECT_EQ(batch.status(), "All Operations Complete.");
}

// Every pass shows the steps of a run, 25 passes for each N in turn, and each
// finished pass leaves the result of a run with its N.
TEST(PoolBatch, StepsThroughEveryPass) {
    TempFolder folder;
    std::mt19937 random(125);
    const std::vector<ReportDraw> draws = randomDraws(random, 80);
    const std::string history = folder.write("h.HIT", historyText(draws));
    PoolBatchJob batch(history, 3, "3");
    std::vector<std::pair<int, int>> passes;
    int stepOnes = 0, stepTwos = 0, completions = 0;
    std::string lastAction;
    for (int guard = 0; guard < 100000; ++guard) {
        const int n = batch.followingDraws();
        const int pass = batch.pass();
        const bool ended = batch.advance(std::chrono::nanoseconds(0));
        if (passes.empty() || passes.back() != std::make_pair(n, pass)) passes.emplace_back(n, pass);
        if (batch.action() != lastAction) {
            lastAction = batch.action();
            stepOnes += lastAction == "Step 1: Counting total draws in history file.";
            stepTwos += lastAction == "Step 2: Loading last 5 draws into memory.";
            completions += lastAction == "All Operations Complete.";
        }
        if (batch.action() == "All Operations Complete.") {
            ASSERT_TRUE(batch.outcome().has_value());
            EXPECT_EQ(*batch.outcome(), generatePool(draws, {5, 3, 49, n})) << "N " << n << ", pass " << pass;
        }
        if (ended) break;
    }
    ASSERT_TRUE(batch.ended());
    ASSERT_EQ(passes.size(), 125u);
    for (std::size_t i = 0; i < passes.size(); ++i)
        EXPECT_EQ(passes[i], std::make_pair(static_cast<int>(i / 25) + 1, static_cast<int>(i % 25) + 1)) << i;
    EXPECT_EQ(stepOnes, 125);
    EXPECT_EQ(stepTwos, 125);
    EXPECT_EQ(completions, 125);
}

TEST(PoolBatch, ReadsTheHistoryOnce) {
    TempFolder folder;
    std::mt19937 random(5);
    const std::vector<ReportDraw> draws = randomDraws(random, 200);
    const std::string history = folder.write("h.HIT", historyText(draws));
    PoolBatchJob batch(history, 20, "20");
    batch.advance(std::chrono::nanoseconds(0));
    std::filesystem::remove(history);
    batch.runToEnd();
    ASSERT_TRUE(batch.outcome().has_value());
    EXPECT_EQ(*batch.outcome(), generatePool(draws, {5, 20, 49, 5}));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(PoolBatch, RefusesWhatARunRefuses) {
    TempFolder folder;
    PoolBatchJob absent(folder.file("absent.HIT"), 10, "10");
    absent.runToEnd();
    ASSERT_TRUE(absent.failure().has_value());
    EXPECT_NE(absent.failure()->text.find(folder.file("absent.HIT")), std::string::npos);
    EXPECT_FALSE(absent.outcome().has_value());

    const std::string eleven = folder.write("eleven.HIT", historyText(std::vector<ReportDraw>(11, drawFrom(1))));
    PoolBatchJob short_(eleven, 10, "10");
    short_.runToEnd();
    ASSERT_TRUE(short_.failure().has_value());
    EXPECT_NE(short_.failure()->text.find("trend length"), std::string::npos);
    EXPECT_EQ(short_.action(), "");

    PoolBatchJob noGroups(ORVANE_SAMPLE_HISTORY, 0, "0");
    noGroups.runToEnd();
    ASSERT_TRUE(noGroups.failure().has_value());
    EXPECT_NE(noGroups.failure()->text.find("best trend groups"), std::string::npos);
}

// Stopped between passes, the batch keeps the last finished pass's result.
TEST(PoolBatch, StopKeepsTheLastFinishedPass) {
    PoolBatchJob batch(ORVANE_SAMPLE_HISTORY, 10, "10");
    while (batch.followingDraws() < 3) batch.advance(std::chrono::nanoseconds(0));
    batch.advance(std::chrono::nanoseconds(0));
    batch.stop();
    EXPECT_TRUE(batch.ended());
    EXPECT_EQ(batch.followingDraws(), 3);
    ASSERT_TRUE(batch.outcome().has_value());
    EXPECT_EQ(*batch.outcome(), generatePool(sampleReportDraws(), {5, 10, 49, 2}));
    EXPECT_TRUE(batch.advance(std::chrono::milliseconds(15)));
}
