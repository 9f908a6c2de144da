#include "tally/WinTally.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace orvane {

// A line parsed in full: its set, the set's numbers as bits, and where the
// bytes the next line may share with it begin and end (from the line's start,
// or from just after the colon of a numbered line, to the last number).
struct ParsedSetLine {
    Combination set{};
    std::uint64_t numbers = 0;
    bool numbered = false;
    const char* prefixBegin = nullptr;
    const char* lastNumber = nullptr;
};

namespace {

// Room after the data in the buffer, so the fast path may compare a whole
// prefix near the end of the data without reading past the buffer.
constexpr std::size_t kPadding = 64;
constexpr std::size_t kAlignment = 4096;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

const char* skipBlanks(const char* p, const char* end) {
    while (p < end && isBlank(*p)) ++p;
    return p;
}

// Reads one line without its line end; false when it holds no set.
bool parseLine(const char* begin, const char* end, ParsedSetLine& parsed) {
    parsed = ParsedSetLine{};
    parsed.prefixBegin = begin;
    const char* p = skipBlanks(begin, end);
    if (p == end || !isDigit(*p)) return false;
    // A numbered line starts with its count and a colon.
    const char* q = p;
    while (q < end && isDigit(*q)) ++q;
    q = skipBlanks(q, end);
    if (q < end && *q == ':') {
        parsed.numbered = true;
        parsed.prefixBegin = q + 1;
        p = skipBlanks(q + 1, end);
    }
    for (int k = 0; k < 6; ++k) {
        if (k > 0) {
            if (p == end || !isBlank(*p)) return false;
            p = skipBlanks(p, end);
        }
        if (p == end || !isDigit(*p)) return false;
        if (k == 5) parsed.lastNumber = p;
        int value = 0;
        for (; p < end && isDigit(*p); ++p) {
            value = value * 10 + (*p - '0');
            if (value > 49) return false;
        }
        if (value == 0 || (parsed.numbers >> value & 1) != 0) return false;
        parsed.numbers |= std::uint64_t{1} << value;
        parsed.set[k] = value;
    }
    return skipBlanks(p, end) == end;
}

// Reads a line in the exact form the wheel writes ("17 : " or nothing, six
// numbers of one or two digits with single blanks, CR LF or LF) without
// looking for the line's end first; false for anything else, which parseLine
// then reads. `p` lies in a block whose data ends with a line feed.
bool parseWrittenLine(const char* p, ParsedSetLine& parsed, const char*& next) {
    parsed.numbers = 0;
    parsed.numbered = false;
    parsed.prefixBegin = p;
    const char* q = p;
    while (isDigit(*q)) ++q;
    if (q != p && q[0] == ' ' && q[1] == ':') {
        if (q[2] != ' ') return false;
        parsed.numbered = true;
        parsed.prefixBegin = q + 2;
        p = q + 3;
    }
    for (int k = 0; k < 6; ++k) {
        if (k == 5) parsed.lastNumber = p;
        unsigned value = static_cast<unsigned char>(*p) - '0';
        if (value > 9) return false;
        ++p;
        const unsigned second = static_cast<unsigned char>(*p) - '0';
        if (second <= 9) {
            value = value * 10 + second;
            ++p;
        }
        if (value == 0 || value > 49 || (parsed.numbers >> value & 1) != 0) return false;
        parsed.numbers |= std::uint64_t{1} << value;
        parsed.set[k] = static_cast<int>(value);
        if (k < 5) {
            if (*p != ' ') return false;
            ++p;
        }
    }
    if (*p == '\r') ++p;
    if (*p != '\n') return false;
    next = p + 1;
    return true;
}

Notice lineNotice(const std::string& path, std::uint64_t line) {
    return Notice{"Line " + std::to_string(line) + " of the wheel output file " + path +
                      " does not hold a set of six different numbers from 1 to 49, so the file cannot be checked.",
                  "Wheel Output File", NoticeIcon::Exclamation};
}

Notice incompleteNotice(const std::string& path, std::uint64_t line) {
    return Notice{"The last set of the wheel output file " + path + ", on line " + std::to_string(line) +
                      ", is incomplete, so the file cannot be checked.",
                  "Wheel Output File", NoticeIcon::Exclamation};
}

Notice readFailureNotice(const std::string& path, int error) {
    return Notice{"The file " + path + " could not be read to its end (" + std::strerror(error) +
                      "), so the check has stopped.",
                  "Cannot Execute Command", NoticeIcon::Exclamation};
}

} // namespace

long long winningNumberValue(std::string_view text) { return wholeNumberValue(text); }

WinningNumbers checkWinningNumbers(const std::array<long long, 6>& values) {
    WinningNumbers result;
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (values[k] < 1 || values[k] > 49) {
            result.fault = WinningNumbersFault{WinningNumbersFault::Kind::OutOfRange, k, 0};
            return result;
        }
    }
    for (std::size_t k = 0; k < values.size(); ++k) {
        const std::uint64_t bit = std::uint64_t{1} << values[k];
        if ((result.mask & bit) != 0) {
            const auto earlier =
                static_cast<std::size_t>(std::find(values.begin(), values.end(), values[k]) - values.begin());
            result.fault = WinningNumbersFault{WinningNumbersFault::Kind::GivenTwice, k, earlier};
            result.mask = 0;
            return result;
        }
        result.mask |= bit;
    }
    return result;
}

std::optional<std::uint64_t> winningNumberMask(const std::array<long long, 6>& values) {
    const WinningNumbers winning = checkWinningNumbers(values);
    if (!winning.ok()) return std::nullopt;
    return winning.mask;
}

Notice winningBoxNotice(const WinningNumbersFault& fault, const std::array<long long, 6>& values) {
    const auto box = [](std::size_t k) { return std::string(2, static_cast<char>('A' + k)); };
    std::string text;
    if (fault.kind == WinningNumbersFault::Kind::OutOfRange)
        text = "The winning number in box " + box(fault.index) +
               " is not a number from 1 to 49.  Change it and try again.";
    else
        text = "The winning number in box " + box(fault.index) + " repeats the one in box " + box(fault.earlier) +
               " (" + std::to_string(values[fault.index]) +
               ").  A draw holds six different numbers: change it and try again.";
    return Notice{std::move(text), "Orvane", NoticeIcon::None};
}

Notice outputFileNotOpenedNotice(const std::string& path) {
    return Notice{"The file " + path +
                      " could not be opened.  It may not exist, has been renamed, or is currently in use by some "
                      "other process.",
                  "Cannot Execute Command", NoticeIcon::Exclamation};
}

std::optional<Combination> setOnLine(std::string_view line) {
    ParsedSetLine parsed;
    if (!parseLine(line.data(), line.data() + line.size(), parsed)) return std::nullopt;
    return parsed.set;
}

WinTallyJob::WinTallyJob(std::string path, std::uint64_t winningMask) : path_(std::move(path)), winning_(winningMask) {
    file_ = std::fopen(path_.c_str(), "rb");
    if (!file_) {
        fail(outputFileNotOpenedNotice(path_));
        return;
    }
    buffer_.resize(kAlignment + 2 * kBlockSize + kPadding);
}

WinTallyJob::~WinTallyJob() { close(); }

void WinTallyJob::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

std::uint64_t WinTallyJob::setsChecked() const {
    std::uint64_t sets = 0;
    for (std::uint64_t tally : tallies_) sets += tally;
    return sets;
}

bool WinTallyJob::advance(std::chrono::nanoseconds budget) {
    if (ended_) return true;
    const auto deadline = std::chrono::steady_clock::now() + budget;
    while (readBlock())
        if (std::chrono::steady_clock::now() >= deadline) return false;
    return true;
}

void WinTallyJob::runToEnd() {
    while (!advance(std::chrono::hours(1))) {}
}

void WinTallyJob::stop() {
    ended_ = true;
    close();
}

void WinTallyJob::fail(Notice notice) {
    failure_ = std::move(notice);
    tallies_ = {};
    stop();
}

// Reads the next block and tallies its whole lines; the unfinished line at its
// end waits for the next block. False once the check has ended.
bool WinTallyJob::readBlock() {
    // Each block is read to the same aligned place, which the system copies to
    // fastest; the unfinished line kept from the block before stands just in
    // front of it.
    const auto base = reinterpret_cast<std::uintptr_t>(buffer_.data());
    char* const readAt = buffer_.data() + (kAlignment - base % kAlignment) + kBlockSize;
    char* const data = readAt - carried_;
    const std::size_t read = std::fread(readAt, 1, kBlockSize, file_);
    const std::size_t total = carried_ + read;
    std::memset(data + total, 0, kPadding);
    if (read == 0) {
        if (std::ferror(file_)) {
            fail(readFailureNotice(path_, errno));
            return false;
        }
        // The end of the file: a last line without a line end must still hold a whole set.
        if (carried_ > 0) {
            ++line_;
            ParsedSetLine parsed;
            const char* end = data + carried_;
            if (end[-1] == '\r') --end;
            if (!parseLine(data, end, parsed)) {
                fail(incompleteNotice(path_, line_));
                return false;
            }
            ++tallies_[hitsOf(parsed.set)];
            current_ = parsed.set;
            hasSet_ = true;
        }
        stop();
        return false;
    }

    std::size_t whole = total;
    while (whole > 0 && data[whole - 1] != '\n') --whole;
    if (whole > 0) {
        if (!tallyLines(data, data + whole)) return false;
        ParsedSetLine parsed;
        const char* end = lastLineEnd_;
        if (end > lastLine_ && end[-1] == '\r') --end;
        parseLine(lastLine_, end, parsed);
        current_ = parsed.set;
        hasSet_ = true;
    }
    carried_ = total - whole;
    // No set line is anywhere near this long.
    if (carried_ >= kBlockSize) {
        fail(lineNotice(path_, line_ + 1));
        return false;
    }
    std::memmove(readAt - carried_, data + whole, carried_);
    return true;
}

// Whether the bytes at `p` begin with the prefix; reads 32 bytes, which the
// buffer's padding allows anywhere in its data.
bool WinTallyJob::startsWithPrefix(const char* p) const {
    std::uint64_t words[4];
    std::memcpy(words, p, sizeof words);
    return (((words[0] ^ prefix_.words[0]) & prefix_.masks[0]) | ((words[1] ^ prefix_.words[1]) & prefix_.masks[1]) |
            ((words[2] ^ prefix_.words[2]) & prefix_.masks[2]) | ((words[3] ^ prefix_.words[3]) & prefix_.masks[3])) ==
           0;
}

bool WinTallyJob::tallyLines(const char* begin, const char* end) {
    const char* p = begin;
    while (p < end) {
        ++line_;
        if (prefix_.length != 0) {
            // The fast path: the line repeats the bytes before the last line's
            // last number; only its own last number is read.
            const char* q = p;
            bool same = true;
            if (prefix_.numbered) {
                while (isDigit(*q)) ++q;
                same = q != p && q[0] == ' ' && q[1] == ':';
                q += 2;
            }
            if (same && startsWithPrefix(q)) {
                q += prefix_.length;
                unsigned last = static_cast<unsigned char>(*q) - '0';
                if (last <= 9) {
                    ++q;
                    const unsigned second = static_cast<unsigned char>(*q) - '0';
                    if (second <= 9) {
                        last = last * 10 + second;
                        ++q;
                    }
                    if (*q == '\r') ++q;
                    if (*q == '\n' && last >= 1 && last <= 49 && (prefix_.numbers >> last & 1) == 0) {
                        ++tallies_[prefix_.hits + static_cast<int>(winning_ >> last & 1)];
                        lastLine_ = p;
                        lastLineEnd_ = q;
                        p = q + 1;
                        continue;
                    }
                }
            }
        }
        ParsedSetLine parsed;
        const char* next = nullptr;
        if (parseWrittenLine(p, parsed, next)) {
            tallyLine(parsed);
            lastLine_ = p;
            lastLineEnd_ = next - 1;
            p = next;
            continue;
        }
        const char* newline = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* lineEnd = newline;
        if (lineEnd > p && lineEnd[-1] == '\r') --lineEnd;
        if (!parseLine(p, lineEnd, parsed)) {
            fail(lineNotice(path_, line_));
            return false;
        }
        tallyLine(parsed);
        lastLine_ = p;
        lastLineEnd_ = newline;
        p = newline + 1;
    }
    return true;
}

// Tallies a line read in full and keeps its prefix for the lines after it.
void WinTallyJob::tallyLine(const ParsedSetLine& parsed) {
    ++tallies_[hitsOf(parsed.set)];
    const std::size_t length = static_cast<std::size_t>(parsed.lastNumber - parsed.prefixBegin);
    if (length <= sizeof prefix_.words) {
        prefix_.numbered = parsed.numbered;
        prefix_.length = length;
        unsigned char bytes[sizeof prefix_.words] = {};
        unsigned char masks[sizeof prefix_.words] = {};
        std::memcpy(bytes, parsed.prefixBegin, length);
        std::memset(masks, 0xff, length);
        std::memcpy(prefix_.words.data(), bytes, sizeof bytes);
        std::memcpy(prefix_.masks.data(), masks, sizeof masks);
        prefix_.numbers = parsed.numbers & ~(std::uint64_t{1} << parsed.set[5]);
        prefix_.hits = 0;
        for (int k = 0; k < 5; ++k) prefix_.hits += static_cast<int>(winning_ >> parsed.set[k] & 1);
    } else {
        prefix_.length = 0;
    }
}

} // namespace orvane
