#include "reports/OutputViewer.h"

#include "core/NumberText.h"
#include "tally/GameWinTally.h"
#include "tally/WinTally.h"

namespace orvane {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

Notice noSetNotice(const std::string& path, std::uint64_t line, const Game& game) {
    const std::string what =
        game.isLotto649() ? std::string("a set of six different numbers from 1 to 49") : "a line of " + game.title();
    return Notice{"Line " + std::to_string(line) + " of the wheel output file " + path + " does not hold " + what +
                      ".  The sets before it are shown.",
                  "Wheel Output File", NoticeIcon::Exclamation};
}

void appendPadded(std::string& text, const NumberSet& numbers) {
    numbers.forEach([&text](int n) {
        if (!text.empty() && text.back() != ' ') text += ' ';
        text += static_cast<char>('0' + n / 10);
        text += static_cast<char>('0' + n % 10);
    });
}

Notice capacityNotice(std::uint64_t shown) {
    return Notice{"The entire contents of the output file could not be loaded for display because there is not "
                  "enough memory available to complete the operation.  Therefore, all output that could be loaded "
                  "will be displayed - " +
                      std::to_string(shown) + " bets loaded for display.",
                  "Operation Cannot Be Completed", NoticeIcon::Critical};
}

} // namespace

OutputViewer::OutputViewer(std::string path, std::uint64_t capacity, Game game)
    : path_(std::move(path)), capacity_(capacity), game_(std::move(game)) {
    file_ = std::fopen(path_.c_str(), "rb");
    if (!file_) finish(outputFileNotOpenedNotice(path_));
}

OutputViewer::~OutputViewer() {
    if (file_) std::fclose(file_);
}

std::optional<std::string> OutputViewer::shownLine(std::string_view set_text) const {
    if (game_.isLotto649()) {
        const std::optional<Combination> set = setOnLine(set_text);
        if (!set) return std::nullopt;
        return setDisplayText(*set);
    }
    const std::optional<GameLine> line = gameLineOf(set_text, game_);
    if (!line) return std::nullopt;
    std::string shown;
    appendPadded(shown, line->numbers);
    if (!line->bonus.empty()) {
        shown += " +";
        appendPadded(shown, line->bonus);
    }
    return shown;
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
            finish(noSetNotice(path_, line_, game_));
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
        const std::optional<std::string> shown = shownLine(set_text);
        if (!shown) {
            finish(noSetNotice(path_, line_, game_));
            break;
        }
        if (shown_ == capacity_) {
            finish(capacityNotice(shown_));
            break;
        }
        if (!count_text.empty()) text.append(count_text).append(" : ");
        text += *shown;
        text += "\r\n";
        ++shown_;
        ++count;
    }
    return !done_;
}

} // namespace orvane
