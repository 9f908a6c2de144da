#include "wheel/GameWheel.h"

#include "core/Binomial.h"
#include "core/NumberText.h"
#include "core/SetWalk.h"
#include "support/TempFolder.h"
#include "support/TextLines.h"
#include "wheel/GameRunPreparation.h"
#include "wheel/GameWheelStart.h"
#include "wheel/PrintedWheelOutput.h"
#include "wheel/RunPreparation.h"
#include "wheel/SetPipeline.h"
#include "wheel/WheelJob.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using namespace orvane;

namespace {

Game gameOf(const char* matrix) { return *gameFromMatrix(matrix); }

// Random filter settings of any game, each filter on about a third of the time,
// with limits near where they start to turn sets away.
struct RandomSettings {
    std::mt19937 random;
    explicit RandomSettings(unsigned seed) : random(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool maybe() { return between(0, 2) == 0; }

    // The filters the settings turn on: each with a chance of one in four, or one alone.
    static constexpr int kFilters = 17;
    int only = -1;
    bool on(int filter) { return only >= 0 ? filter == only : between(0, 3) == 0; }

    FilterControls controls(const Game& game) {
        const int k = game.perTicket(), n = game.highest();
        auto number = [&] { return std::to_string(between(1, n)); };
        FilterControls c(game);
        if (on(0)) c.maxBelowMid = std::to_string(between(1, k)), c.minAboveMid = std::to_string(between(0, 2));
        if (on(1)) c.maxAboveMid = std::to_string(between(1, k - 1)), c.minBelowMid = std::to_string(between(0, 2));
        if (on(2)) {
            c.enablePairs = 1;
            c.maxConsecutives = std::to_string(between(0, k));
            c.allowPairs = between(0, 3) > 0, c.allowTwoPairs = between(0, 1), c.allowThreePairs = between(0, 1);
            c.requirePair = between(0, 3) == 0;
        }
        if (on(3)) c.evensSignatures = 1;
        if (on(4)) c.lastDrawNumMaxPos = std::to_string(between(-1, 2));
        if (on(5)) c.lastDrawNumMax = std::to_string(between(0, 2));
        if (on(6)) {
            c.enableKeyNumbers = 1;
            c.keyRule = static_cast<KeyRule>(between(0, 2));
            for (auto& key : c.keyNumbers) key = between(0, 3) == 0 ? number() : (between(0, 9) == 0 ? "7.5" : "");
        }
        if (on(7))
            for (auto& evens : c.evensAllowed) evens = between(0, 3) > 0;
        if (on(8)) {
            c.enableSumPick = 1;
            for (auto&& accepted : c.sumsAccepted) accepted = between(0, 3) > 0;
        }
        const int low = game.smallestSum(), high = game.largestSum(), middle = (low + high) / 2;
        if (on(9))
            c.minSum = std::to_string(between(low, middle)), c.maxSum = std::to_string(between(middle - 20, high));
        if (on(10))
            for (auto& limit : c.tens)
                limit = between(0, 2) == 0 ? std::to_string(between(0, k - 2)) : std::to_string(k);
        if (on(11))
            for (auto& limit : c.ones) limit = between(0, 2) == 0 ? std::to_string(between(0, 2)) : std::to_string(k);
        if (on(12)) {
            c.enableGroups = 1;
            for (auto& group : c.groups)
                for (auto& value : group) value = between(0, 1) == 0 ? number() : "";
        }
        if (on(13)) {
            c.enablePosAnalysis = 1;
            c.positionPreset = static_cast<PositionPreset>(between(0, 4));
            for (std::size_t i = 0; i < static_cast<std::size_t>(k); ++i) {
                const int least = between(1, n / 2);
                c.positionLimits[2 * i] = std::to_string(least);
                c.positionLimits[2 * i + 1] = std::to_string(between(least + n / 4, n));
            }
        }
        if (on(14)) c.maxDif = std::to_string(between(3, n * 2 / 3));
        if (on(15)) {
            c.enableLocks = 1;
            for (auto& lock : c.lockedIn) lock = between(0, 7) == 0 ? number() : "";
            for (auto& lock : c.lockedOut) lock = between(0, 3) == 0 ? number() : "";
            if (between(0, 3) == 0) {
                c.enableExactValues = 1;
                for (auto& position : c.exactValues)
                    for (auto& value : position) value = between(0, 3) == 0 ? number() : "";
            }
        }
        if (on(16)) c.filterAgainstHistory = 1, c.maxFromHistory = std::to_string(between(1, k - 1));
        return c;
    }

    std::vector<int> draw(const Game& game) {
        std::vector<int> numbers(static_cast<std::size_t>(game.highest()));
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin(), numbers.end(), random);
        numbers.resize(static_cast<std::size_t>(game.perTicket()));
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }

    GameRunTables tables(const Game& game) {
        GameRunTables t;
        t.lastDraw = draw(game);
        for (int s = 0; s < 256; ++s) t.forbiddenSignatures[static_cast<std::size_t>(s)] = between(0, 4) == 0;
        for (int i = 0; i < 15; ++i) t.lastFifteenSums.push_back(between(game.smallestSum(), game.largestSum()));
        for (int i = 0; i < 30; ++i) {
            NumberSet past;
            for (int x : draw(game)) past.add(x);
            t.pastDraws.push_back(past);
        }
        return t;
    }

    std::vector<int> pick(const Game& game, int least, int most) {
        std::vector<int> numbers(static_cast<std::size_t>(game.highest()));
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin(), numbers.end(), random);
        numbers.resize(static_cast<std::size_t>(between(least, most)));
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }
};

// The rules of settings as a run compiles them: normalised first.
GameRules rulesFor(const Game& game, FilterControls controls, const GameRunTables& tables) {
    normaliseForRun(controls, game);
    return compileGameRules(game, controls, tables);
}

// Every set of the pick tested plainly, in the order the wheel writes them.
std::vector<std::vector<int>> plainlyPassing(const std::vector<int>& pick, int perSet, const GameRules& rules) {
    std::vector<std::vector<int>> passing;
    for (SetWalk walk(pick, perSet); !walk.ended(); walk.next())
        if (passesPlainly(rules, walk.set())) passing.push_back(walk.set());
    return passing;
}

std::string lineOf(const std::vector<int>& set) {
    std::string line;
    for (int n : set) line += (line.empty() ? "" : " ") + std::to_string(n);
    return line;
}

} // namespace

// The fast walk works the filters out once for each set's first k - 1
// numbers; it must count and write exactly the sets the plain test passes.
TEST(GameWheel, AgreesWithTestingEachSetPlainlyInEveryGame) {
    RandomSettings settings(2026);
    for (const char* matrix : {"5/39", "6/45", "6/59", "7/35", "5/69+1/26", "3/20", "8/40"}) {
        const Game game = gameOf(matrix);
        std::array<std::uint64_t, 2> outcomes{};
        for (int trial = 0; trial < 60; ++trial) {
            const GameRunTables tables = settings.tables(game);
            const FilterControls controls = settings.controls(game);
            const GameRules rules = rulesFor(game, controls, tables);
            const int k = game.perTicket();
            const std::vector<int> pick = gamePickWithExactValues(settings.pick(game, k + 4, k + 9), controls, game);
            const auto expected = plainlyPassing(pick, k, rules);

            GameWheel wheel(game, pick, {}, rules, nullptr);
            wheel.runToEnd();
            const std::uint64_t sets = binomial(static_cast<int>(pick.size()), k);
            ASSERT_EQ(wheel.generated(), sets) << matrix << " trial " << trial;
            ASSERT_EQ(wheel.passing(), expected.size()) << matrix << " trial " << trial;
            outcomes[0] += sets - expected.size();
            outcomes[1] += expected.size();

            if (trial % 6 == 0) { // and the file holds them, in order
                TempFolder folder;
                Notice error;
                GameWheel written(game, pick, {}, rules,
                                  FileWheelOutput::open(folder.file("out.txt"), DiskMode::Overwrite, false, error));
                written.runToEnd();
                std::vector<std::string> lines;
                for (const auto& set : expected) lines.push_back(lineOf(set));
                EXPECT_EQ(linesOf(contentsOf(folder.file("out.txt"))), lines) << matrix << " trial " << trial;
            }
        }
        EXPECT_GT(outcomes[0], 500u) << matrix; // both verdicts were put to the test
        EXPECT_GT(outcomes[1], 500u) << matrix;
    }
}

// Each filter alone, so that no other filter hides a wrong answer.
TEST(GameWheel, EachFilterAloneAgreesWithItsPlainTest) {
    RandomSettings settings(35);
    for (const char* matrix : {"5/39", "7/35", "6/90"}) {
        const Game game = gameOf(matrix);
        std::array<std::array<std::uint64_t, 2>, RandomSettings::kFilters> outcomes{};
        for (int trial = 0; trial < 6 * RandomSettings::kFilters; ++trial) {
            settings.only = trial % RandomSettings::kFilters;
            const GameRunTables tables = settings.tables(game);
            const FilterControls controls = settings.controls(game);
            const GameRules rules = rulesFor(game, controls, tables);
            const std::vector<int> pick = gamePickWithExactValues(
                settings.pick(game, game.perTicket() + 5, game.perTicket() + 8), controls, game);
            const std::size_t expected = plainlyPassing(pick, game.perTicket(), rules).size();
            GameWheel wheel(game, pick, {}, rules, nullptr);
            wheel.runToEnd();
            ASSERT_EQ(wheel.passing(), expected) << matrix << " filter " << settings.only << " trial " << trial;
            outcomes[static_cast<std::size_t>(settings.only)][0] += wheel.generated() - expected;
            outcomes[static_cast<std::size_t>(settings.only)][1] += expected;
        }
        for (std::size_t filter = 0; filter < outcomes.size(); ++filter) {
            EXPECT_GT(outcomes[filter][0], 0u) << matrix << " filter " << filter << " never turned a set away";
            EXPECT_GT(outcomes[filter][1], 0u) << matrix << " filter " << filter << " never let a set pass";
        }
    }
}

// The skip passes over, uncounted, exactly the sets that fail the positional
// limits, the maximum difference or the maximum sum; the same sets pass.
TEST(GameWheel, TheSkipPassesOverTheSetsOutsideTheLimitsUncounted) {
    RandomSettings settings(7);
    for (const char* matrix : {"5/39", "6/59", "7/35"}) {
        const Game game = gameOf(matrix);
        std::uint64_t passedOver = 0;
        for (int trial = 0; trial < 40; ++trial) {
            const GameRunTables tables = settings.tables(game);
            FilterControls controls = settings.controls(game);
            if (trial % 2 == 0) controls.maxDif = std::to_string(settings.between(4, 20));
            if (trial % 3 == 0) controls.enablePosAnalysis = 1;
            const GameRules rules = rulesFor(game, controls, tables);
            const int k = game.perTicket();
            const std::vector<int> pick = gamePickWithExactValues(settings.pick(game, k + 4, k + 9), controls, game);
            std::uint64_t kept = 0;
            for (SetWalk walk(pick, k); !walk.ended(); walk.next()) {
                const std::vector<int>& set = walk.set();
                bool fails = rules.sumLimitsActive && std::accumulate(set.begin(), set.end(), 0) > rules.maxSum;
                for (std::size_t i = 0; i < set.size(); ++i) {
                    fails = fails ||
                            (rules.positionsActive && (set[i] < rules.positionMin[i] || set[i] > rules.positionMax[i]));
                    fails = fails || (rules.differenceActive && i > 0 && set[i] - set[i - 1] > rules.maxDif);
                }
                kept += !fails;
            }
            GameWheel plain(game, pick, {}, rules, nullptr);
            plain.runToEnd();
            GameWheel skipping(game, pick, {}, rules, nullptr, true);
            skipping.runToEnd();
            ASSERT_EQ(skipping.passing(), plain.passing()) << matrix << " trial " << trial;
            ASSERT_EQ(skipping.generated(), kept) << matrix << " trial " << trial;
            passedOver += plain.generated() - kept;
        }
        EXPECT_GT(passedOver, 1000u) << matrix;
    }
}

// For 6/49 the rules of any game must say what the 6/49 pipeline says, set by
// set, and the walk count what the 6/49 job counts.
TEST(GameWheel, SaysWhatTheLotto649PipelineSays) {
    RandomSettings settings(649);
    const Game game = Game::lotto649();
    std::array<int, 2> outcomes{};
    for (int trial = 0; trial < 150; ++trial) {
        FilterControls controls = settings.controls(game);
        GameRunTables gameTables = settings.tables(game);
        RunTables tables;
        tables.lastDraw = std::array<int, 6>{};
        std::copy_n(gameTables.lastDraw->begin(), 6, tables.lastDraw->begin());
        for (unsigned s = 0; s < 64; ++s)
            if (gameTables.forbiddenSignatures[s]) tables.forbiddenSignatures |= std::uint64_t{1} << s;
        gameTables.lastFifteenSums.resize(15);
        std::copy_n(gameTables.lastFifteenSums.begin(), 15, tables.lastFifteenSums.begin());
        std::vector<DrawRecord> draws;
        for (const NumberSet& past : gameTables.pastDraws) {
            DrawRecord record;
            std::size_t i = 0;
            past.forEach([&](int n) { record.numbers[i++] = n; });
            draws.push_back(record);
        }
        tables.history = HistoryIndex(draws, static_cast<int>(wholeNumberValue(controls.maxFromHistory)));
        if (!isChecked(controls.filterAgainstHistory)) tables.history = HistoryIndex();

        normaliseForRun(controls, game);
        const GameRules rules = compileGameRules(game, controls, gameTables);
        const SetPipeline pipeline(controls, tables);
        const std::vector<int> pick = pickWithExactValues(settings.pick(game, 10, 13), controls);
        std::uint64_t passing = 0;
        for (SetWalk walk(pick, 6); !walk.ended(); walk.next()) {
            Combination set;
            std::copy_n(walk.set().begin(), 6, set.begin());
            const bool expected =
                pipeline.passesStepByStep(set) && (!pipeline.exactValuesActive() || pipeline.passesExactValues(set));
            ASSERT_EQ(passesPlainly(rules, walk.set()), expected) << "trial " << trial << " set " << lineOf(walk.set());
            ++outcomes[expected];
            passing += expected;
        }
        GameWheel wheel(game, pick, {}, rules, nullptr);
        wheel.runToEnd();
        WheelJob job(pick, pipeline, nullptr);
        job.runToEnd();
        EXPECT_EQ(wheel.passing(), job.passing()) << "trial " << trial;
        EXPECT_EQ(wheel.passing(), passing) << "trial " << trial;
        EXPECT_EQ(wheel.generated(), job.generated()) << "trial " << trial;
    }
    EXPECT_GT(outcomes[0], 10000);
    EXPECT_GT(outcomes[1], 10000);
}

// A game with a bonus pool writes each passing set once for each picked bonus
// number, or each pair of them, and counts those lines.
TEST(GameWheel, WritesEachSetWithEachBonusChoiceAndCountsTheLines) {
    TempFolder folder;
    Notice error;
    const Game powerball = gameOf("5/69+1/26");
    FilterControls controls(powerball);
    controls.minSum = "24";
    const GameRules rules = rulesFor(powerball, controls, {});
    GameWheel wheel(powerball, {1, 2, 3, 4, 5, 6, 7}, {7, 26}, rules,
                    FileWheelOutput::open(folder.file("pb.txt"), DiskMode::Overwrite, true, error));
    wheel.runToEnd();
    EXPECT_EQ(wheel.generated(), 21u * 2);
    EXPECT_EQ(wheel.passing(), 2u * 2); // the sets of five of 1 to 7 that leave out 1 and 2, or 1 and 3
    EXPECT_EQ(linesOf(contentsOf(folder.file("pb.txt"))),
              (std::vector<std::string>{"1 : 2 4 5 6 7 + 7", "2 : 2 4 5 6 7 + 26", "3 : 3 4 5 6 7 + 7",
                                        "4 : 3 4 5 6 7 + 26"}));

    const Game euro = gameOf("5/50+2/12");
    GameWheel pairs(euro, {10, 20, 30, 40, 50}, {1, 5, 12}, rulesFor(euro, FilterControls(euro), {}),
                    FileWheelOutput::open(folder.file("euro.txt"), DiskMode::Overwrite, false, error));
    pairs.runToEnd();
    EXPECT_EQ(pairs.passing(), 3u);
    EXPECT_EQ(linesOf(contentsOf(folder.file("euro.txt"))),
              (std::vector<std::string>{"10 20 30 40 50 + 1 5", "10 20 30 40 50 + 1 12", "10 20 30 40 50 + 5 12"}));
}

// Printed, the lines are padded as printed sets are, and numbered by passing line.
TEST(GameWheel, PrintsItsLinesPaddedAndNumberedByPassingLine) {
    const Game powerball = gameOf("5/69+1/26");
    std::vector<std::string> printed;
    auto output = std::make_unique<PrintedWheelOutput>([&printed](const std::string& line) { printed.push_back(line); },
                                                       nullptr, 6, true, "12-09-2026", "19:00:00");
    GameWheel wheel(powerball, {1, 2, 3, 4, 5, 60}, {7}, rulesFor(powerball, FilterControls(powerball), {}),
                    std::move(output));
    wheel.runToEnd();
    ASSERT_EQ(printed.size(), 4u + 6);
    EXPECT_EQ(printed[1], "6 numbers selected for wheeling.");
    EXPECT_EQ(printed[4], "1: 01 02 03 04 05 + 07");
    EXPECT_EQ(printed[9], "6: 02 03 04 05 60 + 07");
    EXPECT_EQ(printedGameLine("10 20 30 40 50 + 1 12"), "10 20 30 40 50 + 01 12");
}

TEST(GameWheel, CountsEverySetOfAPickAndStopsBetweenSlices) {
    const Game game = gameOf("6/59");
    std::vector<int> pick(30);
    std::iota(pick.begin(), pick.end(), 30); // 30 to 59
    GameWheel wheel(game, pick, {}, rulesFor(game, FilterControls(game), {}), nullptr);
    wheel.runToEnd();
    EXPECT_EQ(wheel.generated(), 593'775u);
    EXPECT_EQ(wheel.passing(), 593'775u);

    GameWheel sliced(game, pick, {}, rulesFor(game, FilterControls(game), {}), nullptr);
    EXPECT_FALSE(sliced.advance(std::chrono::nanoseconds(0)));
    EXPECT_LT(sliced.generated(), 593'775u);
    EXPECT_FALSE(sliced.currentLeading().empty());
    sliced.stop();
    EXPECT_TRUE(sliced.ended());

    // A disk that fills ends the run at the line that failed, with the output file named.
    Notice error;
    GameWheel full(game, pick, {}, rulesFor(game, FilterControls(game), {}),
                   FileWheelOutput::open("/dev/full", DiskMode::Overwrite, false, error));
    full.runToEnd();
    ASSERT_TRUE(full.failure());
    EXPECT_NE(full.failure()->text.find("/dev/full"), std::string::npos) << full.failure()->text;
    EXPECT_LT(full.passing(), 593'775u);
    EXPECT_TRUE(full.ended());

    GameWheel tooFew(game, {1, 2, 3, 4, 5}, {}, rulesFor(game, FilterControls(game), {}), nullptr);
    tooFew.runToEnd();
    EXPECT_EQ(tooFew.generated(), 0u);
}

// A run whose lines could not fit on the output's disk is refused before the
// file is touched; the bound counts every line at the game's longest.
TEST(GameWheelStart, AnOutputThatCouldNotFitOnItsDiskIsRefused) {
    EXPECT_EQ(mostOutputBytes(gameOf("5/39"), 10, 1, false), 10u * (5 * 3 + 2));
    EXPECT_EQ(mostOutputBytes(gameOf("5/69+1/26"), 1, 2, false), 2u * (5 * 3 + 2 + 2 + 3));
    EXPECT_EQ(mostOutputBytes(gameOf("5/39"), 100, 1, true), 100u * (5 * 3 + 2 + 3 + 3));

    TempFolder folder;
    EXPECT_FALSE(outputWouldNotFit(folder.file("out.txt"), 1000));
    const std::optional<Notice> refused = outputWouldNotFit(folder.file("out.txt"), std::uint64_t{1} << 62);
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->text.find("in the wheel output file " + folder.file("out.txt")), std::string::npos);

    GameWheelRequest request;
    request.game = gameOf("8/90");
    request.controls = FilterControls(request.game);
    for (int n = 1; n <= 90; ++n) request.pick.push_back(n);
    request.openOutput = [&](std::uint64_t mostBytes, Notice& failure) -> std::unique_ptr<FileWheelOutput> {
        EXPECT_EQ(mostBytes, mostOutputBytes(request.game, binomial(90, 8), 1, true));
        failure = Notice{"refused", "", NoticeIcon::Exclamation};
        return nullptr;
    };
    const GameWheelStart start = startGameWheel(request);
    EXPECT_FALSE(start.job);
    EXPECT_EQ(start.refusal->text, "refused");
}

// The filter against history alone, with past draws taken from the pick so
// that they share many of its numbers, at every limit: the draws the walk
// keeps depth by depth must reject exactly the sets the plain test rejects.
TEST(GameWheel, AgainstHistoryAgreesAtEveryLimit) {
    std::mt19937 random(59);
    for (const char* matrix : {"5/39", "6/59", "7/35", "3/20"}) {
        const Game game = gameOf(matrix);
        const int k = game.perTicket();
        for (int limit = 0; limit < k; ++limit) {
            std::vector<int> pick(static_cast<std::size_t>(k + 6));
            std::iota(pick.begin(), pick.end(), 2);
            GameRunTables tables;
            for (int d = 0; d < 40; ++d) {
                std::vector<int> numbers(static_cast<std::size_t>(game.highest()));
                std::iota(numbers.begin(), numbers.end(), 1);
                if (d % 4 != 0) numbers = pick;
                std::shuffle(numbers.begin(), numbers.end(), random);
                NumberSet past;
                for (std::size_t i = 0; i < static_cast<std::size_t>(k); ++i) past.add(numbers[i]);
                tables.pastDraws.push_back(past);
            }
            FilterControls controls(game);
            controls.filterAgainstHistory = 1;
            controls.maxFromHistory = std::to_string(limit);
            const GameRules rules = rulesFor(game, controls, tables);
            GameWheel wheel(game, pick, {}, rules, nullptr);
            wheel.runToEnd();
            EXPECT_EQ(wheel.passing(), plainlyPassing(pick, k, rules).size()) << matrix << " limit " << limit;
        }
    }
}
