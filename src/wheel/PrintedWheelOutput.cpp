#include "wheel/PrintedWheelOutput.h"

#include "core/NumberText.h"
#include "core/Version.h"

#include <algorithm>
#include <cstdio>

namespace orvane {

PrintedWheelOutput::PrintedWheelOutput(PrintLine printLine, EndDocument endDocument, int poolSize, bool numbered,
                                       const std::string& date, const std::string& time)
    : printLine_(std::move(printLine)), endDocument_(std::move(endDocument)), numbered_(numbered) {
    char title[128];
    std::snprintf(title, sizeof title,
                  "Orvane %d.%02d Build %d wheeled sets - for entertainment only; no set is promised to win.",
                  kVersionMajor, kVersionMinor, kVersionRevision);
    printLine_(title);
    printLine_(std::to_string(poolSize) + " numbers selected for wheeling.");
    printLine_("Report generated " + date + " at " + time);
    printLine_("");
}

std::string printedSetLine(const Combination& set) { return setDisplayText(set); }

std::string numberedPrintedLine(std::uint64_t generatedCount, const Combination& set) {
    return std::to_string(generatedCount) + ": " + printedSetLine(set);
}

bool PrintedWheelOutput::record(const Combination& set, std::uint64_t, std::uint64_t generatedCount) {
    printLine_(numbered_ ? numberedPrintedLine(generatedCount, set) : printedSetLine(set));
    return true;
}

std::string printedGameLine(std::string_view line) {
    std::string printed;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        const std::string_view word = line.substr(at, end - at);
        if (!printed.empty()) printed += ' ';
        if (word.size() == 1 && word[0] >= '0' && word[0] <= '9') printed += '0';
        printed += word;
        at = end + 1;
    }
    return printed;
}

bool PrintedWheelOutput::recordText(std::string_view line, std::uint64_t passingCount) {
    printLine_(numbered_ ? std::to_string(passingCount) + ": " + printedGameLine(line) : printedGameLine(line));
    return true;
}

std::optional<Notice> largePrintQuestion(std::uint64_t mostSets) {
    if (mostSets <= kSetsPrintedWithoutAsking) return std::nullopt;
    return Notice{"This wheel could print as many as " + formatCount(mostSets) +
                      " sets, one line each. Do you want to send them to the printer?",
                  "Large Printout", NoticeIcon::Question};
}

bool PrintedWheelOutput::close() {
    if (endDocument_) endDocument_();
    endDocument_ = nullptr;
    return true;
}

} // namespace orvane
