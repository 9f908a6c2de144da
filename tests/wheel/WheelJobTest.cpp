#include "wheel/WheelJob.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace orvane;

namespace {

// Keeps every recorded set, to look at order and counts.
class RecordingOutput : public WheelOutput {
public:
    explicit RecordingOutput(std::vector<Combination>& sets, bool* closed = nullptr) : sets_(sets), closed_(closed) {}
    bool record(const Combination& set, std::uint64_t passing, std::uint64_t) override {
        sets_.push_back(set);
        EXPECT_EQ(passing, sets_.size());
        return true;
    }
    bool close() override {
        if (closed_) *closed_ = true;
        return true;
    }
    Notice failure() const override { return {}; }

private:
    std::vector<Combination>& sets_;
    bool* closed_;
};

std::vector<int> range(int first, int last) {
    std::vector<int> pick(last - first + 1);
    std::iota(pick.begin(), pick.end(), first);
    return pick;
}

} // namespace

TEST(WheelEnumeration, SevenNumbersGiveSevenSets) {
    std::vector<Combination> sets;
    WheelJob job({3, 9, 12, 20, 33, 41, 49}, SetPipeline{}, std::make_unique<RecordingOutput>(sets));
    job.runToEnd();
    EXPECT_TRUE(job.ended());
    EXPECT_EQ(job.generated(), 7u);
    EXPECT_EQ(job.passing(), 7u);
    ASSERT_EQ(sets.size(), 7u);
    EXPECT_EQ(sets.front(), (Combination{3, 9, 12, 20, 33, 41}));
    EXPECT_EQ(sets.back(), (Combination{9, 12, 20, 33, 41, 49}));
}

TEST(WheelEnumeration, SetsComeInAscendingLexicographicOrder) {
    std::vector<Combination> sets;
    WheelJob job(range(1, 12), SetPipeline{}, std::make_unique<RecordingOutput>(sets));
    job.runToEnd();
    ASSERT_EQ(sets.size(), 924u); // 12 choose 6
    EXPECT_TRUE(std::is_sorted(sets.begin(), sets.end()));
    EXPECT_EQ(std::adjacent_find(sets.begin(), sets.end()), sets.end());
    for (const Combination& set : sets) EXPECT_TRUE(std::is_sorted(set.begin(), set.end()));
    EXPECT_EQ(sets[1], (Combination{1, 2, 3, 4, 5, 7}));
    EXPECT_EQ(sets.back(), (Combination{7, 8, 9, 10, 11, 12}));
}

TEST(WheelEnumeration, FullPickGivesEverySet) {
    WheelJob job(range(1, 49), SetPipeline{}, nullptr);
    job.runToEnd();
    EXPECT_EQ(job.generated(), 13'983'816u);
    EXPECT_EQ(job.passing(), 13'983'816u);
    EXPECT_EQ(job.currentSet(), (Combination{44, 45, 46, 47, 48, 49}));
}

TEST(WheelEnumeration, PoolTooSmallForASetGeneratesNothing) {
    WheelJob job({1, 2, 3, 4, 5}, SetPipeline{}, nullptr);
    job.runToEnd();
    EXPECT_EQ(job.generated(), 0u);
    EXPECT_FALSE(job.hasSet());
}

TEST(WheelSlices, SlicedRunMatchesOneGo) {
    std::vector<Combination> sliced;
    WheelJob job(range(5, 20), SetPipeline{}, std::make_unique<RecordingOutput>(sliced));
    int slices = 0;
    while (!job.advance(std::chrono::nanoseconds(0))) ++slices;
    EXPECT_GT(slices, 1);
    EXPECT_EQ(job.generated(), 8008u); // 16 choose 6
    EXPECT_EQ(job.passing(), 8008u);
    EXPECT_EQ(sliced.size(), 8008u);
    EXPECT_TRUE(std::is_sorted(sliced.begin(), sliced.end()));
}

TEST(WheelSlices, StopLeavesTheSetOnDisplayUnfiltered) {
    std::vector<Combination> sets;
    bool closed = false;
    WheelJob job(range(1, 30), SetPipeline{}, std::make_unique<RecordingOutput>(sets, &closed));
    ASSERT_FALSE(job.advance(std::chrono::nanoseconds(0)));
    const Combination shown = job.currentSet();
    job.stop();
    EXPECT_TRUE(job.ended());
    EXPECT_TRUE(closed);
    EXPECT_EQ(job.passing() + 1, job.generated());
    EXPECT_EQ(sets.size(), job.passing());
    EXPECT_LT(sets.back(), shown);
    EXPECT_TRUE(job.advance(std::chrono::milliseconds(5))); // an ended run stays ended
}

TEST(WheelOutputFailure, AnUnwritableOutputEndsTheRunWithItsPath) {
    Notice error;
    auto output = FileWheelOutput::open("/dev/full", DiskMode::Overwrite, false, error);
    ASSERT_NE(output, nullptr);
    WheelJob job(range(1, 49), SetPipeline{}, std::move(output));
    job.runToEnd();
    ASSERT_TRUE(job.failure().has_value());
    EXPECT_NE(job.failure()->text.find("/dev/full"), std::string::npos);
    EXPECT_LT(job.generated(), 13'983'816u);
}
