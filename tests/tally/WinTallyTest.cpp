#include "tally/WinTally.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>

using namespace orvane;

namespace {

std::uint64_t maskOf(std::initializer_list<int> numbers) {
    std::uint64_t mask = 0;
    for (int n : numbers) mask |= std::uint64_t{1} << n;
    return mask;
}

struct Checked {
    WinTallies tallies{};
    std::optional<Notice> failure;
    std::optional<Combination> last;
};

Checked check(const std::string& path, std::uint64_t winning) {
    WinTallyJob job(path, winning);
    job.runToEnd();
    Checked result{job.tallies(), job.failure(), std::nullopt};
    if (job.hasSet()) result.last = job.currentSet();
    return result;
}

// The plain reading: split the text at its line feeds, drop a carriage return,
// take what follows a colon, read six whole numbers with a string stream and
// count those found among the winning numbers. No line is malformed here.
WinTallies plainTallies(const std::string& text, const std::set<int>& winning) {
    WinTallies tallies{};
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto colon = line.find(':');
        std::istringstream fields(colon == std::string::npos ? line : line.substr(colon + 1));
        int hits = 0;
        for (int k = 0; k < 6; ++k) {
            int number = 0;
            fields >> number;
            hits += static_cast<int>(winning.count(number));
        }
        ++tallies[static_cast<std::size_t>(hits)];
    }
    return tallies;
}

// Every set of the numbers 1..poolSize in ascending order, then some random sets
// in no order with odd spacing, written plain or numbered with CR LF or LF.
std::string wheelText(int poolSize, bool numbered, const char* lineEnd, std::mt19937& random) {
    std::string text;
    std::uint64_t count = 0;
    auto put = [&](const std::string& set) {
        if (numbered) text += std::to_string(++count) + " : ";
        text += set;
        text += lineEnd;
    };
    std::array<int, 6> s{};
    for (s[0] = 1; s[0] <= poolSize; ++s[0])
        for (s[1] = s[0] + 1; s[1] <= poolSize; ++s[1])
            for (s[2] = s[1] + 1; s[2] <= poolSize; ++s[2])
                for (s[3] = s[2] + 1; s[3] <= poolSize; ++s[3])
                    for (s[4] = s[3] + 1; s[4] <= poolSize; ++s[4])
                        for (s[5] = s[4] + 1; s[5] <= poolSize; ++s[5]) {
                            std::string line;
                            for (int k = 0; k < 6; ++k) {
                                if (k > 0) line += ' ';
                                line += std::to_string(s[k]);
                            }
                            put(line);
                        }
    std::vector<int> all(49);
    for (int n = 0; n < 49; ++n) all[n] = n + 1;
    for (int i = 0; i < 3000; ++i) {
        std::shuffle(all.begin(), all.end(), random);
        std::string line = i % 3 == 0 ? " " : "";
        for (int k = 0; k < 6; ++k) {
            if (k > 0) line += i % 5 == 0 ? " \t " : " ";
            line += std::to_string(all[k]);
        }
        if (i % 7 == 0) line += "  ";
        put(line);
    }
    return text;
}

} // namespace

TEST(WinningNumbers, BoxesAreReadByTheirLeadingValueWithoutSignOrFraction) {
    EXPECT_EQ(winningNumberValue("5"), 5);
    EXPECT_EQ(winningNumberValue("05"), 5);
    EXPECT_EQ(winningNumberValue(""), 0);
    EXPECT_EQ(winningNumberValue("ab"), 0);
    EXPECT_EQ(winningNumberValue("-7"), 7);
    EXPECT_EQ(winningNumberValue("4.9"), 4);
    EXPECT_EQ(winningNumberValue("12x"), 12);
    EXPECT_EQ(winningNumberValue("50"), 50);
}

TEST(WinningNumbers, SixDifferentValuesFromOneToFortyNineAreAccepted) {
    EXPECT_EQ(winningNumberMask({1, 2, 3, 4, 5, 49}), maskOf({1, 2, 3, 4, 5, 49}));
    EXPECT_EQ(checkWinningNumbers({49, 5, 4, 3, 2, 1}).mask, maskOf({1, 2, 3, 4, 5, 49}));
    using Kind = WinningNumbersFault::Kind;
    const auto faultOf = [](const std::array<long long, 6>& values) {
        const WinningNumbers winning = checkWinningNumbers(values);
        EXPECT_EQ(winning.mask, 0u);
        EXPECT_FALSE(winningNumberMask(values));
        return winning.fault.value_or(WinningNumbersFault{Kind::OutOfRange, 99, 99});
    };
    EXPECT_EQ(faultOf({0, 2, 3, 4, 5, 6}), (WinningNumbersFault{Kind::OutOfRange, 0, 0}));
    EXPECT_EQ(faultOf({1, 2, 3, 4, 5, 50}), (WinningNumbersFault{Kind::OutOfRange, 5, 0}));
    EXPECT_EQ(faultOf({1, 2, 3, -4, 5, 6}), (WinningNumbersFault{Kind::OutOfRange, 3, 0}));
    // A number given twice is a typing error: the later one is at fault.
    EXPECT_EQ(faultOf({7, 7, 8, 9, 10, 11}), (WinningNumbersFault{Kind::GivenTwice, 1, 0}));
    EXPECT_EQ(faultOf({12, 5, 7, 9, 12, 5}), (WinningNumbersFault{Kind::GivenTwice, 4, 0}));
    EXPECT_EQ(faultOf({1, 2, 3, 4, 3, 2}), (WinningNumbersFault{Kind::GivenTwice, 4, 2}));
    // A number out of range is named first, wherever a repeat stands.
    EXPECT_EQ(faultOf({7, 7, 8, 9, 10, 0}), (WinningNumbersFault{Kind::OutOfRange, 5, 0}));
}

TEST(WinningNumbers, TheMessageNamesTheBoxAtFault) {
    const Notice range = winningBoxNotice({WinningNumbersFault::Kind::OutOfRange, 2, 0}, {1, 2, 50, 4, 5, 6});
    EXPECT_EQ(range.text, "The winning number in box CC is not a number from 1 to 49.  Change it and try again.");
    EXPECT_EQ(range.title, "Orvane");
    EXPECT_EQ(range.icon, NoticeIcon::None);
    EXPECT_EQ(winningBoxNotice({WinningNumbersFault::Kind::GivenTwice, 5, 1}, {1, 12, 3, 4, 5, 12}).text,
              "The winning number in box FF repeats the one in box BB (12).  A draw holds six different numbers: "
              "change it and try again.");
}

TEST(OutputLines, PlainAndNumberedLinesHoldTheirSet) {
    const Combination set{5, 12, 23, 34, 41, 49};
    EXPECT_EQ(setOnLine("5 12 23 34 41 49"), set);
    EXPECT_EQ(setOnLine("17 : 5 12 23 34 41 49"), set);
    EXPECT_EQ(setOnLine("245: 5 12 23 34 41 49"), set);
    EXPECT_EQ(setOnLine(" 5\t12  23 34 41 49 "), set);
    EXPECT_EQ(setOnLine("05 12 23 34 41 49"), set);
    EXPECT_EQ(setOnLine("49 5 12 23 34 41"), (Combination{49, 5, 12, 23, 34, 41}));
}

TEST(OutputLines, LinesThatHoldNoSetAreRefused) {
    for (const char* line : {"", "   ", "5 12 23 34 41", "5 12 23 34 41 49 7", "0 12 23 34 41 49", "5 12 23 34 41 50",
                             "5 12 23 34 41 41", "5 12 23 34 41 4x", "5,12,23,34,41,49", "17 :", "17 : 5 12 23 34 41",
                             ": 5 12 23 34 41 49", "x 5 12 23 34 41 49", "5 12 23 34 41 100", "5 12 23 34 4149"})
        EXPECT_FALSE(setOnLine(line)) << '"' << line << '"';
}

TEST(WinTallyJob, MatchesThePlainReadingOnGeneratedFiles) {
    TempFolder folder;
    std::mt19937 random(49);
    // Over a megabyte each, so lines cross the blocks the file is read in.
    for (bool numbered : {false, true})
        for (const char* lineEnd : {"\r\n", "\n"}) {
            const std::string text = wheelText(23, numbered, lineEnd, random);
            ASSERT_GT(text.size(), WinTallyJob::kBlockSize);
            const std::string path = folder.write("Wheeled.TB", text);
            for (int round = 0; round < 4; ++round) {
                // Six numbers, or fewer where the random ones repeat; in the
                // last round only one, so most sets hit none.
                std::set<int> winning;
                std::uint64_t mask = 0;
                for (int k = 0; k < (round == 3 ? 1 : 6); ++k) {
                    const int number = 1 + static_cast<int>(random() % 26);
                    winning.insert(number);
                    mask |= std::uint64_t{1} << number;
                }
                const Checked checked = check(path, mask);
                ASSERT_FALSE(checked.failure) << checked.failure->text;
                EXPECT_EQ(checked.tallies, plainTallies(text, winning))
                    << (numbered ? "numbered" : "plain") << (lineEnd[0] == '\r' ? " CR LF" : " LF") << " round "
                    << round;
            }
        }
}

TEST(WinTallyJob, TalliesSumToTheSetsOfTheFile) {
    TempFolder folder;
    std::mt19937 random(7);
    const std::string text = wheelText(12, false, "\r\n", random);
    const std::string path = folder.write("Wheeled.TB", text);
    const Checked checked = check(path, maskOf({1, 2, 3, 4, 5, 6}));
    std::uint64_t sum = 0;
    for (std::uint64_t tally : checked.tallies) sum += tally;
    EXPECT_EQ(sum, 924u + 3000u);
    EXPECT_EQ(checked.tallies[6], 1u); // 1 2 3 4 5 6 itself, among the wheel's
}

TEST(WinTallyJob, ASetEqualToTheDrawHitsSixAndADisjointOneNone) {
    TempFolder folder;
    const std::string path = folder.write("Wheeled.TB", "3 11 24 30 41 49\r\n1 2 4 5 6 7\r\n17 : 3 11 24 30 41 48\r\n");
    const Checked checked = check(path, maskOf({3, 11, 24, 30, 41, 49}));
    EXPECT_EQ(checked.tallies, (WinTallies{1, 0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(checked.last, (Combination{3, 11, 24, 30, 41, 48}));
}

TEST(WinTallyJob, AnEmptyFileHasNoSetAndEmptyTallies) {
    TempFolder folder;
    const Checked checked = check(folder.write("Wheeled.TB", ""), maskOf({1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(checked.failure);
    EXPECT_EQ(checked.tallies, WinTallies{});
    EXPECT_FALSE(checked.last);
}

TEST(WinTallyJob, AMissingFileCannotBeOpened) {
    TempFolder folder;
    const std::string path = folder.file("Missing.TB");
    WinTallyJob job(path, maskOf({1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(job.ended());
    ASSERT_TRUE(job.failure());
    EXPECT_EQ(job.failure()->title, "Cannot Execute Command");
    EXPECT_EQ(job.failure()->text, "The file " + path +
                                       " could not be opened.  It may not exist, has been renamed, or is currently in "
                                       "use by some other process.");
    EXPECT_TRUE(job.advance(std::chrono::milliseconds(15)));
}

TEST(WinTallyJob, ALineThatHoldsNoSetIsNamedAndEmptiesTheTallies) {
    TempFolder folder;
    std::mt19937 random(3);
    const std::string good = wheelText(22, false, "\r\n", random); // past the first block
    const auto lines = static_cast<std::uint64_t>(std::count(good.begin(), good.end(), '\n'));
    for (const std::string& bad : {std::string("\r\n"), std::string("5 12 23 34 41\r\n"), std::string("hello\n")}) {
        const std::string path = folder.write("Wheeled.TB", good + bad + "1 2 3 4 5 6\r\n");
        const Checked checked = check(path, maskOf({1, 2, 3, 4, 5, 6}));
        ASSERT_TRUE(checked.failure);
        EXPECT_NE(checked.failure->text.find("Line " + std::to_string(lines + 1) + " of the wheel output file " + path),
                  std::string::npos)
            << checked.failure->text;
        EXPECT_EQ(checked.tallies, WinTallies{});
    }
    // A line too long to be a set, with no line end in a whole block.
    const std::string path =
        folder.write("Wheeled.TB", "1 2 3 4 5 6\n" + std::string(2 * WinTallyJob::kBlockSize, '7'));
    const Checked checked = check(path, maskOf({1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(checked.failure);
    EXPECT_NE(checked.failure->text.find("Line 2 "), std::string::npos) << checked.failure->text;
}

TEST(WinTallyJob, TheLastLineNeedsNoLineEndButMustHoldAWholeSet) {
    TempFolder folder;
    const Checked whole = check(folder.write("Wheeled.TB", "1 2 3 4 5 6\r\n1 2 3 4 5 7"), maskOf({1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(whole.failure);
    EXPECT_EQ(whole.tallies, (WinTallies{0, 0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(whole.last, (Combination{1, 2, 3, 4, 5, 7}));

    const std::string path = folder.write("Wheeled.TB", "1 2 3 4 5 6\r\n1 2 3 4");
    const Checked cut = check(path, maskOf({1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(cut.failure);
    EXPECT_EQ(cut.failure->text, "The last set of the wheel output file " + path +
                                     ", on line 2, is incomplete, so the file cannot be checked.");
    EXPECT_EQ(cut.tallies, WinTallies{});
}

TEST(WinTallyJob, SlicesReachTheSameTalliesAndShowASetOfTheFile) {
    TempFolder folder;
    std::mt19937 random(11);
    const std::string text = wheelText(24, true, "\r\n", random);
    const std::string path = folder.write("Wheeled.TB", text);
    const std::uint64_t winning = maskOf({2, 9, 13, 20, 21, 24});
    WinTallyJob job(path, winning);
    int slices = 0;
    while (!job.advance(std::chrono::nanoseconds(0))) {
        ++slices;
        ASSERT_TRUE(job.hasSet());
        const Combination set = job.currentSet();
        std::string line;
        for (int k = 0; k < 6; ++k) {
            line += k > 0 ? " " : " : ";
            line += std::to_string(set[k]);
        }
        EXPECT_NE(text.find(line + "\r\n"), std::string::npos) << line;
    }
    EXPECT_GT(slices, 1);
    EXPECT_EQ(job.tallies(), check(path, winning).tallies);
}

TEST(WinTallyJob, StoppedKeepsItsTalliesAndEnds) {
    TempFolder folder;
    std::mt19937 random(5);
    const std::string path = folder.write("Wheeled.TB", wheelText(24, false, "\n", random));
    WinTallyJob job(path, maskOf({1, 2, 3, 4, 5, 6}));
    ASSERT_FALSE(job.advance(std::chrono::nanoseconds(0)));
    const std::uint64_t checkedSoFar = job.setsChecked();
    EXPECT_GT(checkedSoFar, 0u);
    job.stop();
    EXPECT_TRUE(job.ended());
    EXPECT_TRUE(job.advance(std::chrono::milliseconds(15)));
    EXPECT_EQ(job.setsChecked(), checkedSoFar);
    EXPECT_FALSE(job.failure());
}
