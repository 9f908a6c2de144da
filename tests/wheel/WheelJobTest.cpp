#include "wheel/WheelJob.h"
#include "support/Picks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>

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

namespace {

struct Recorded {
    Combination set;
    std::uint64_t passing, generated;
    bool operator==(const Recorded&) const = default;
};

// Keeps each set with the counts it was recorded with; refuses the set after
// `capacity` of them.
class CountingOutput : public WheelOutput {
public:
    CountingOutput(std::vector<Recorded>& sets, std::size_t capacity) : sets_(sets), capacity_(capacity) {}
    bool record(const Combination& set, std::uint64_t passing, std::uint64_t generated) override {
        if (sets_.size() == capacity_) return false;
        sets_.push_back({set, passing, generated});
        return true;
    }
    bool close() override { return true; }
    Notice failure() const override { return {"full", "Output File Error", NoticeIcon::Exclamation}; }

private:
    std::vector<Recorded>& sets_;
    std::size_t capacity_;
};

// What a run records, as the plain loop over every set in turn gives it.
std::vector<Recorded> recordedSetBySet(const std::vector<int>& pick, const SetPipeline& pipeline) {
    std::vector<Recorded> sets;
    std::uint64_t generated = 0;
    const int n = static_cast<int>(pick.size());
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            for (int c = b + 1; c < n; ++c)
                for (int d = c + 1; d < n; ++d)
                    for (int e = d + 1; e < n; ++e)
                        for (int f = e + 1; f < n; ++f) {
                            const Combination set{pick[a], pick[b], pick[c], pick[d], pick[e], pick[f]};
                            ++generated;
                            if (pipeline.passesStepByStep(set)) sets.push_back({set, sets.size() + 1, generated});
                        }
    return sets;
}

} // namespace

// A filtered run takes the sets sharing A to E as one block; each set it
// records, and the counts it records it with, are those of the set-by-set loop,
// and a run recording nothing counts the same.
TEST(WheelBlocks, FilteredRunsRecordWhatTheSetBySetLoopGives) {
    std::mt19937 random(6);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int trial = 0; trial < 40; ++trial) {
        std::vector<int> pick = randomPick(random, 7, 18);
        FilterControls controls;
        controls.minSum = std::to_string(between(21, 140));
        controls.tens[between(0, 4)] = std::to_string(between(0, 2));
        controls.evensAllowed[between(0, 6)] = 0;
        if (between(0, 1)) {
            controls.enablePairs = 1;
            controls.allowTwoPairs = 0;
        }
        const SetPipeline pipeline(controls, RunTables{});
        const std::vector<Recorded> expected = recordedSetBySet(pick, pipeline);

        std::vector<Recorded> recorded;
        WheelJob job(pick, pipeline, std::make_unique<CountingOutput>(recorded, SIZE_MAX));
        job.runToEnd();
        ASSERT_EQ(recorded, expected) << "trial " << trial;
        EXPECT_EQ(job.passing(), expected.size());

        WheelJob counting(pick, pipeline, nullptr);
        counting.runToEnd();
        EXPECT_EQ(counting.passing(), expected.size());
        EXPECT_EQ(counting.generated(), job.generated());
        EXPECT_EQ(counting.currentSet(), job.currentSet());
    }
}

// An output that refuses a set in the middle of a block ends the run at that
// set, counted as generated and passing.
TEST(WheelBlocks, AnOutputThatFailsEndsTheRunAtItsSet) {
    FilterControls controls;
    controls.tens = {"2", "2", "2", "2", "2"};
    const SetPipeline pipeline(controls, RunTables{});
    const std::vector<int> pick = range(1, 49);
    std::vector<Recorded> unlimited;
    {
        WheelJob job(pick, pipeline, std::make_unique<CountingOutput>(unlimited, 1000));
        job.runToEnd();
    }
    ASSERT_EQ(unlimited.size(), 1000u);

    std::vector<Recorded> recorded;
    WheelJob job(pick, pipeline, std::make_unique<CountingOutput>(recorded, 999));
    job.runToEnd();
    ASSERT_TRUE(job.failure().has_value());
    EXPECT_EQ(recorded.size(), 999u);
    EXPECT_EQ(job.currentSet(), unlimited.back().set);
    EXPECT_EQ(job.passing(), unlimited.back().passing);
    EXPECT_EQ(job.generated(), unlimited.back().generated);
}

// An output other than the file costs microseconds a set (a printed line), so
// a slice that has run out of time ends on the set after one that recorded,
// not a clock stride later; sliced so, a filtered run still records what the
// set-by-set loop gives.
TEST(WheelSlices, ASlowOutputEndsAnOverdueSliceAfterTheSetsItRecorded) {
    FilterControls controls;
    controls.tens = {"2", "2", "2", "2", "2"};
    controls.minSum = "90";
    const SetPipeline pipeline(controls, RunTables{});
    const std::vector<int> pick = range(1, 24);
    const std::vector<Recorded> expected = recordedSetBySet(pick, pipeline);

    std::vector<Recorded> recorded;
    WheelJob job(pick, pipeline, std::make_unique<CountingOutput>(recorded, SIZE_MAX));
    std::size_t mostInASlice = 0;
    for (bool ended = false; !ended;) {
        const std::size_t before = recorded.size();
        ended = job.advance(std::chrono::nanoseconds(0));
        mostInASlice = std::max(mostInASlice, recorded.size() - before);
    }
    EXPECT_EQ(recorded, expected);
    EXPECT_EQ(job.passing(), expected.size());
    // The set held over from the last slice's block and one block of this one:
    // never more than the pick's numbers twice.
    EXPECT_LE(mostInASlice, 2 * pick.size());

    // Unfiltered, each set is a block of its own: two sets a slice at most.
    std::vector<Combination> plain;
    WheelJob unfiltered(range(1, 12), SetPipeline{}, std::make_unique<RecordingOutput>(plain));
    for (bool ended = false; !ended;) {
        const std::size_t before = plain.size();
        ended = unfiltered.advance(std::chrono::nanoseconds(0));
        EXPECT_LE(plain.size() - before, 2u);
    }
    EXPECT_EQ(plain.size(), 924u);
}
