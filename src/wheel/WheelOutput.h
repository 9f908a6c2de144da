#pragma once

#include "core/Notice.h"
#include "core/Combination.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

enum class OutputDestination { Disk, Printer, Nothing };
enum class DiskMode { Overwrite, Append };

// Where the passing sets of a run go. The run records each passing set and
// closes the output however it ends.
class WheelOutput {
public:
    virtual ~WheelOutput() = default;
    // Records one passing set; false when the output can no longer be written.
    virtual bool record(const Combination& set, std::uint64_t passingCount, std::uint64_t generatedCount) = 0;
    // Flushes what is pending and closes; false when that fails.
    virtual bool close() = 0;
    // What went wrong, after record or close said false.
    virtual Notice failure() const = 0;
    // Records one passing line of any game, "5 12 23 34 41 + 7" without its
    // line end, the `passingCount`-th passing line of the run. An output that
    // takes 6/49 sets alone refuses it.
    virtual bool recordText(std::string_view line, std::uint64_t passingCount) {
        (void)line;
        (void)passingCount;
        return false;
    }
};

// "5 12 23 34 41 49": plain decimal, no padding.
std::string plainSetLine(const Combination& set);
// The file's numbered form, "17 : 5 12 23 34 41 49", counting passing sets.
std::string numberedFileLine(std::uint64_t passingCount, const Combination& set);

// The wheel output file: one CR LF line per passing set, buffered and written
// in large blocks because a full wheel writes over two hundred megabytes.
class FileWheelOutput final : public WheelOutput {
public:
    // Opens the file (cut to empty, or appended to and created when missing).
    // Returns null and fills `error` when it cannot be opened.
    static std::unique_ptr<FileWheelOutput> open(const std::string& path, DiskMode mode, bool numbered, Notice& error);
    // Writes to a stream the caller owns (standard output); close() only flushes it.
    static std::unique_ptr<FileWheelOutput> onStream(std::FILE* stream, std::string name, bool numbered);

    ~FileWheelOutput() override;
    // Defined here so the run's hot loop can inline it.
    bool record(const Combination& set, std::uint64_t passingCount, std::uint64_t) override {
        if (failed_) return false;
        if (used_ + kLongestLine > buffer_.size() && !flush()) return false;
        char* p = buffer_.data() + used_;
        if (numbered_) p = putCountPrefix(p, passingCount);
        // Consecutive sets mostly share A to E, so that part of the line is kept.
        if (set[0] != prefixKey_[0] || set[1] != prefixKey_[1] || set[2] != prefixKey_[2] || set[3] != prefixKey_[3] ||
            set[4] != prefixKey_[4])
            rebuildPrefix(set);
        std::memcpy(p, prefix_, sizeof prefix_);
        p += prefixLength_;
        const int last = set[5];
        std::memcpy(p, kLastNumberTexts[last].data(), 4); // "7\r\n" or "49\r\n", padded to four bytes
        p += last < 10 ? 3 : 4;
        used_ = static_cast<std::size_t>(p - buffer_.data());
        return true;
    }
    // A line of any game, "5 12 23 34 41 + 7" without its line end, written
    // plain or numbered as the file's lines are.
    bool recordText(std::string_view line, std::uint64_t passingCount) override;
    bool close() override;
    Notice failure() const override { return failure_; }

    static constexpr std::size_t kLongestLine = 64;

private:
    FileWheelOutput(std::FILE* file, std::string path, bool numbered, bool ownsFile);
    bool flush();
    void rebuildPrefix(const Combination& set);
    static char* putCountPrefix(char* out, std::uint64_t count);
    static const std::array<std::array<char, 4>, 50> kLastNumberTexts;
    void fail(const std::string& what);

    std::FILE* file_;
    std::string path_;
    bool numbered_;
    bool ownsFile_;
    bool failed_ = false;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    Notice failure_;
    std::array<int, 5> prefixKey_{}; // A to E of the kept line start
    char prefix_[16] = {};           // "A B C D E " of the last line written
    int prefixLength_ = 0;
};

// The output file message: the path it names and what failed.
Notice outputFileNotice(const std::string& path, const std::string& what);

// Writing the sets into a file the program reads (the history, the settings
// file) would destroy it: the message that refuses such an output, if it is one.
std::optional<Notice> outputOverwritesInput(const std::string& outputPath, const std::string& historyPath,
                                            const std::string& settingsPath);

} // namespace orvane
