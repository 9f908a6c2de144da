#include "reports/OutputViewer.h"

#include "core/NumberText.h"
#include "tally/WinTally.h"

namespace orvane {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

Notice noSetNotice(const std::string& path, std::uint64_t line) {
    return Notice{"Line " + std::to_string(line) + " of the wheel output file " + path +
                      " does not hold a set of six different numbers from 1 to 49.  The sets before it are shown.",
                  "Wheel Output File", NoticeIcon::Exclamation};
}

Notice capacityNotice(std::uint64_t shown) {
    return Notice{"The entire contents of the output file could not be loaded for display because there is not "
                  "enough memory available to complete the operation.  Therefore, all output that could be loaded "
                  "will be displayed - " +
                      std::to_string(shown) + " bets loaded for display.",
                  "Operation Cannot Be Completed", NoticeIcon::Critical};
}

} // namespace

OutputViewer::OutputViewer(std::string path, std::uint64_t capacity) : path_(std::move(path)), capacity_(capacity) {
    file_ = std::fopen(path_.c_str(), "rb");
    if (!file_) finish(outputFileNotOpenedNotice(path_));
}

OutputViewer::~OutputViewer() {
    if (file_) std::fclose(file_);
}

void OutputViewer::finish(std::optional<Notice> problem) {
    done_ = true;
    problem_ = std::move(problem);
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

bool OutputViewer::read(std::string& text, std::uint64_t most) {
    std::string line;
    for (std::uint64_t count = 0; !done_ && count < most;) {
        // Byte by byte rather than by C string, so a NUL byte stays in the
        // line (and makes it no set) instead of cutting it short.
        line.clear();
        bool anything = false;
        bool tooLong = false;
        for (int c; (c = std::getc(file_)) != EOF;) {
            anything = true;
            if (c == '\n') break;
            // Too long to be a set line: refused without keeping the rest.
            if (line.size() == kLongestLine) {
                tooLong = true;
                break;
            }
            line.push_back(static_cast<char>(c));
        }
        if (!anything) {
            finish(std::nullopt); // the end of the file
            break;
        }
        ++line_;
        if (tooLong) {
            finish(noSetNotice(path_, line_));
            break;
        }
        const std::string_view whole = trimmed(line);
        // A numbered line: its count, then " : ", then the set.
        std::string_view count_text;
        std::string_view set_text = whole;
        if (const auto colon = whole.find(':'); colon != std::string_view::npos) {
            count_text = trimmed(whole.substr(0, colon));
            set_text = whole.substr(colon + 1);
        }
        const std::optional<Combination> set = setOnLine(set_text);
        if (!set) {
            finish(noSetNotice(path_, line_));
            break;
        }
        if (shown_ == capacity_) {
            finish(capacityNotice(shown_));
            break;
        }
        if (!count_text.empty()) text.append(count_text).append(" : ");
        text += setDisplayText(*set);
        text += "\r\n";
        ++shown_;
        ++count;
    }
    return !done_;
}

} // namespace orvane
