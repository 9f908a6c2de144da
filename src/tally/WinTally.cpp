#include "tally/WinTally.h"

#include "core/NumberText.h"

#include <bit>
#include <cerrno>
#include <cstring>

namespace orvane {

namespace {

// Room after the data in the buffer, so the fast path may compare a whole
// prefix near the end of the data without reading past the buffer.
constexpr std::size_t kPadding = 64;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A line parsed in full: its set, the set's numbers as bits, and where the
// bytes the next line may share with it begin and end (from the line's start,
// or from just after the colon of a numbered line, to the last number).
struct ParsedLine {
    Combination set{};
    std::uint64_t numbers = 0;
    bool numbered = false;
    const char* prefixBegin = nullptr;
    const char* lastNumber = nullptr;
};

const char* skipBlanks(const char* p, const char* end) {
    while (p < end && isBlank(*p)) ++p;
    return p;
}

// Reads one line without its line end; false when it holds no set.
bool parseLine(const char* begin, const char* end, ParsedLine& parsed) {
    parsed = ParsedLine{};
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

std::optional<std::uint64_t> winningNumberMask(const std::array<long long, 6>& values) {
    std::uint64_t mask = 0;
    for (long long value : values) {
        if (value < 1 || value > 49) return std::nullopt;
        mask |= std::uint64_t{1} << value;
    }
    return mask;
}

Notice invalidWinningEntriesNotice() {
    return Notice{"One or more entry boxes hold invalid entries.  Change them and try again.", "Orvane",
                  NoticeIcon::Information};
}

Notice outputFileNotOpenedNotice(const std::string& path) {
    return Notice{"The file " + path +
                      " could not be opened.  It may not exist, has been renamed, or is currently in use by some "
                      "other process.",
                  "Cannot Execute Command", NoticeIcon::Exclamation};
}

std::optional<Combination> setOnLine(std::string_view line) {
    ParsedLine parsed;
    if (!parseLine(line.data(), line.data() + line.size(), parsed)) return std::nullopt;
    return parsed.set;
}

WinTallyJob::WinTallyJob(std::string path, std::uint64_t winningMask)
    : path_(std::move(path)), winning_(winningMask) {
    file_ = std::fopen(path_.c_str(), "rb");
    if (!file_) {
        fail(outputFileNotOpenedNotice(path_));
        return;
    }
    buffer_.resize(2 * kBlockSize + kPadding);
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
    while (!advance(std::chrono::hours(1))) {
    }
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
    char* const data = buffer_.data();
    const std::size_t read = std::fread(data + carried_, 1, kBlockSize, file_);
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
            ParsedLine parsed;
            const char* end = data + carried_;
            if (end[-1] == '\r') --end;
            if (!parseLine(data, end, parsed)) {
                fail(incompleteNotice(path_, line_));
                return false;
            }
            ++tallies_[std::popcount(parsed.numbers & winning_)];
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
        ParsedLine parsed;
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
    std::memmove(data, data + whole, carried_);
    return true;
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
            if (same && std::memcmp(q, prefix_.bytes, prefix_.length) == 0) {
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
        const char* newline = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* lineEnd = newline;
        if (lineEnd > p && lineEnd[-1] == '\r') --lineEnd;
        if (!tallyLineSlowly(p, lineEnd)) return false;
        lastLine_ = p;
        lastLineEnd_ = newline;
        p = newline + 1;
    }
    return true;
}

// Reads the line in full, tallies it and keeps its prefix for the lines after it.
bool WinTallyJob::tallyLineSlowly(const char* begin, const char* end) {
    ParsedLine parsed;
    if (!parseLine(begin, end, parsed)) {
        fail(lineNotice(path_, line_));
        return false;
    }
    ++tallies_[std::popcount(parsed.numbers & winning_)];
    const std::size_t length = static_cast<std::size_t>(parsed.lastNumber - parsed.prefixBegin);
    if (length <= sizeof prefix_.bytes) {
        prefix_.numbered = parsed.numbered;
        prefix_.length = length;
        std::memcpy(prefix_.bytes, parsed.prefixBegin, length);
        prefix_.numbers = parsed.numbers & ~(std::uint64_t{1} << parsed.set[5]);
        prefix_.hits = std::popcount(prefix_.numbers & winning_);
    } else {
        prefix_.length = 0;
    }
    return true;
}

} // namespace orvane
