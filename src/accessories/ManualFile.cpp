#include "accessories/ManualFile.h"

#include <cerrno>
#include <cstring>

namespace orvane {

ManualLoadJob::ManualLoadJob(std::string path) : path_(std::move(path)) {
    file_ = std::fopen(path_.c_str(), "rb");
    if (!file_)
        problem_ = Notice{"The manual " + path_ + " could not be opened (" + std::strerror(errno) +
                              "). It may have been moved or deleted.",
                          "Orvane Manual Viewer", NoticeIcon::Exclamation};
}

ManualLoadJob::~ManualLoadJob() { close(); }

void ManualLoadJob::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

bool ManualLoadJob::advance(std::chrono::nanoseconds budget) {
    const auto deadline = std::chrono::steady_clock::now() + budget;
    char piece[kPieceBytes];
    while (file_) {
        const std::size_t read = std::fread(piece, 1, sizeof piece, file_);
        text_.append(piece, read);
        if (read < sizeof piece) {
            if (std::ferror(file_))
                problem_ = Notice{"The manual " + path_ + " could not be read to its end.", "Orvane Manual Viewer",
                                  NoticeIcon::Exclamation};
            close();
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) break;
    }
    return ended();
}

void ManualLoadJob::runToEnd() {
    while (!advance(std::chrono::hours(1))) {}
}

void ManualLoadJob::stop() {
    if (!file_) return;
    stopped_ = true;
    close();
}

std::string manualFileText(std::string_view text) {
    std::string saved;
    saved.reserve(text.size() + text.size() / 32 + 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            saved += "\r\n";
        } else if (c == '\n') {
            saved += "\r\n";
        } else {
            saved += c;
        }
    }
    if (!saved.empty() && saved.back() != '\n') saved += "\r\n";
    return saved;
}

} // namespace orvane
