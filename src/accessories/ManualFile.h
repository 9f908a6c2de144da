#pragma once

#include "core/Notice.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// A manual read a piece at a time, so the viewer can repaint and stop the load
// between pieces. Stopping keeps what was read.
class ManualLoadJob {
public:
    static constexpr std::size_t kPieceBytes = std::size_t{16} * 1024;

    // Opens the file; when it cannot be opened the job has ended at once with problem() set.
    explicit ManualLoadJob(std::string path);
    ~ManualLoadJob();
    ManualLoadJob(const ManualLoadJob&) = delete;
    ManualLoadJob& operator=(const ManualLoadJob&) = delete;

    // Reads for about `budget`; true once the load has ended.
    bool advance(std::chrono::nanoseconds budget);
    void runToEnd();
    // Ends the load where it stands and closes the file.
    void stop();

    bool ended() const { return file_ == nullptr; }
    bool stopped() const { return stopped_; }
    const std::string& text() const { return text_; }
    const std::string& path() const { return path_; }
    // Why the manual could not be read: the message names the file.
    const std::optional<Notice>& problem() const { return problem_; }

private:
    void close();

    std::string path_;
    std::FILE* file_ = nullptr;
    std::string text_;
    bool stopped_ = false;
    std::optional<Notice> problem_;
};

// The manual's text as saved: every line ended by CR LF, whatever ends it had,
// with a final line end added only when missing, so saving twice changes nothing.
std::string manualFileText(std::string_view text);

} // namespace orvane
