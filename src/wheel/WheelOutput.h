#pragma once

#include "app/Notice.h"
#include "wheel/Combination.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
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
};

// "5 12 23 34 41 49": plain decimal, no padding.
std::string plainSetLine(const Combination& set);
// The file's numbered form, "17 : 5 12 23 34 41 49", counting passing sets.
std::string numberedFileLine(std::uint64_t passingCount, const Combination& set);
// The printer's numbered form, "245: 5 12 23 34 41 49", counting generated sets.
std::string numberedPrintedLine(std::uint64_t generatedCount, const Combination& set);

// The wheel output file: one CR LF line per passing set, buffered and written
// in large blocks because a full wheel writes over two hundred megabytes.
class FileWheelOutput final : public WheelOutput {
public:
    // Opens the file (cut to empty, or appended to and created when missing).
    // Returns null and fills `error` when it cannot be opened.
    static std::unique_ptr<FileWheelOutput> open(const std::string& path, DiskMode mode, bool numbered,
                                                 Notice& error);
    // Writes to a stream the caller owns (standard output); close() only flushes it.
    static std::unique_ptr<FileWheelOutput> onStream(std::FILE* stream, std::string name, bool numbered);

    ~FileWheelOutput() override;
    bool record(const Combination& set, std::uint64_t passingCount, std::uint64_t generatedCount) override;
    bool close() override;
    Notice failure() const override { return failure_; }

private:
    FileWheelOutput(std::FILE* file, std::string path, bool numbered, bool ownsFile);
    bool flush();
    void fail(const std::string& what);

    std::FILE* file_;
    std::string path_;
    bool numbered_;
    bool ownsFile_;
    bool failed_ = false;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    Notice failure_;
};

// The output file message: the path it names and what failed.
Notice outputFileNotice(const std::string& path, const std::string& what);

} // namespace orvane
