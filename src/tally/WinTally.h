#pragma once

#include "core/Combination.h"
#include "core/Notice.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The seven tallies of a win check: how many sets hit 0, 1, ... 6 of the
// winning numbers. 64-bit, since a wheel output file may hold every one of the
// 13,983,816 sets, and appended runs more.
using WinTallies = std::array<std::uint64_t, 7>;

// A winning-number box as the checker reads it: the leading numeric value of
// its text (0 when there is none) without sign or fraction. "05" and "5.7"
// give 5, "-12" gives 12, an empty box 0.
long long winningNumberValue(std::string_view text);

// What is wrong with six winning numbers: the first one outside 1 to 49, or
// else the first one equal to a number before it (a draw holds six different
// numbers, so a repeat is a typing error).
struct WinningNumbersFault {
    enum class Kind { OutOfRange, GivenTwice };
    Kind kind = Kind::OutOfRange;
    std::size_t index = 0;   // the number at fault, 0 to 5
    std::size_t earlier = 0; // GivenTwice: the number it repeats
    bool operator==(const WinningNumbersFault&) const = default;
};

// Six winning numbers checked: as bits (bit n for number n), or their fault.
struct WinningNumbers {
    std::uint64_t mask = 0;
    std::optional<WinningNumbersFault> fault;
    bool ok() const { return !fault.has_value(); }
};
WinningNumbers checkWinningNumbers(const std::array<long long, 6>& values);

// The mask of six good winning numbers; nothing when they have a fault.
std::optional<std::uint64_t> winningNumberMask(const std::array<long long, 6>& values);

// The win checker's message for a fault, naming the box by its heading (AA to FF).
Notice winningBoxNotice(const WinningNumbersFault& fault, const std::array<long long, 6>& values);

// The message for a wheel output file that cannot be opened.
Notice outputFileNotOpenedNotice(const std::string& path);

// What one line of the wheel output file holds: a plain set line
// "5 12 23 34 41 49" or a numbered one "17 : 5 12 23 34 41 49", with blanks or
// tabs between the fields and any line end already removed. A set is six
// different numbers from 1 to 49; nothing when the line holds no set.
std::optional<Combination> setOnLine(std::string_view line);

struct ParsedSetLine;

// A win check as a resumable job: reads the wheel output file line by line and
// counts, for each set, how many of its numbers are winning numbers. advance()
// does a bounded slice so a window can repaint and serve Done between slices;
// the command line runs it to its end in one go.
//
// The file is read in large blocks and each line parsed by hand. Consecutive
// sets of a wheel mostly share A to E, so a line that begins with the same
// bytes as the set before it only has its last number read.
class WinTallyJob {
public:
    // Opens the file; when it cannot be opened the job has ended at once with
    // failure() set.
    WinTallyJob(std::string path, std::uint64_t winningMask);
    ~WinTallyJob();
    WinTallyJob(const WinTallyJob&) = delete;
    WinTallyJob& operator=(const WinTallyJob&) = delete;

    // Works for about `budget`; true once the check has ended.
    bool advance(std::chrono::nanoseconds budget);
    void runToEnd();
    // Ends the check where it stands and closes the file; the tallies stay.
    void stop();

    bool ended() const { return ended_; }
    // The tallies so far; all zero after a failure.
    const WinTallies& tallies() const { return tallies_; }
    std::uint64_t setsChecked() const;
    bool hasSet() const { return hasSet_; }
    // The set checked last.
    const Combination& currentSet() const { return current_; }
    // Why the check ended early: the file could not be opened or read, or a
    // line holds no set. The tallies are then empty.
    const std::optional<Notice>& failure() const { return failure_; }

    // The size of a block read from the file.
    // Small enough that a block stays in the processor's cache while it is read.
    static constexpr std::size_t kBlockSize = std::size_t{1} << 18;

private:
    // What the fast path knows of the line before: the bytes in front of its
    // last number, their numbers as bits and how many of them win.
    struct Prefix {
        bool numbered = false;
        std::size_t length = 0; // 0: no prefix to compare with
        // The bytes as four words, and masks that keep only the prefix's own
        // bytes of a word, so a line is compared with a few word operations.
        std::array<std::uint64_t, 4> words{};
        std::array<std::uint64_t, 4> masks{};
        std::uint64_t numbers = 0;
        int hits = 0;
    };

    bool readBlock();
    bool startsWithPrefix(const char* p) const;
    int hitsOf(const Combination& set) const {
        int hits = 0;
        for (int number : set) hits += static_cast<int>(winning_ >> number & 1);
        return hits;
    }
    // Tallies the whole lines in [begin, end); false at a line that holds no set.
    bool tallyLines(const char* begin, const char* end);
    void tallyLine(const ParsedSetLine& parsed);
    void fail(Notice notice);
    void close();

    std::string path_;
    std::uint64_t winning_;
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t carried_ = 0; // bytes of an unfinished line kept at the buffer's start
    std::uint64_t line_ = 0;  // lines read so far
    WinTallies tallies_{};
    Prefix prefix_;
    const char* lastLine_ = nullptr; // the last whole line of the current block
    const char* lastLineEnd_ = nullptr;
    Combination current_{};
    bool hasSet_ = false;
    bool ended_ = false;
    std::optional<Notice> failure_;
};

} // namespace orvane
