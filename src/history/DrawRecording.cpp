#include "history/DrawRecording.h"

#include "core/AtomicFile.h"
#include "core/FileBytes.h"
#include "core/NumberText.h"
#include "history/DrawDate.h"
#include "history/HistoryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace orvane {

namespace {

DrawRecording refused(DrawRecording::Outcome outcome, std::string error) {
    DrawRecording recording;
    recording.outcome = outcome;
    recording.error = std::move(error);
    return recording;
}

std::string notRecorded(const std::string& path, const char* what, int error) {
    return "The history file " + path + " could not be " + what + " (" + std::strerror(error) +
           "). The draw was not recorded.";
}

FullDate fullDateOf(const NewDraw& draw) { return yearFromTwoDigits(draw.year) * 10000 + draw.month * 100 + draw.day; }

Combination ascending(Combination numbers) {
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// "MM-DD-YY" of a record's date group.
std::string dateTextOfRecord(long mmddyy) {
    char text[40];
    std::snprintf(text, sizeof text, "%02ld-%02ld-%02ld", mmddyy / 10000, mmddyy / 100 % 100, mmddyy % 100);
    return text;
}

// What must precede a new line so that it starts a line of its own: nothing
// after a line end or in an empty (or missing) file, the LF after a lone CR,
// else a whole CR LF.
std::string lineEndOwedAfter(const std::string& text) {
    if (text.empty() || text.back() == '\n') return {};
    return text.back() == '\r' ? "\n" : "\r\n";
}

} // namespace

DrawRecording recordDraw(const std::string& path, const NewDraw& draw) {
    using Outcome = DrawRecording::Outcome;
    // A missing history is an empty one: the first record creates it.
    std::string text;
    if (const int error = readFileBytes(path, text); error != 0 && error != ENOENT)
        return refused(Outcome::Failed, notRecorded(path, "read", error));
    std::vector<RecordPlace> places;
    const HistoryRead history = readHistoryText(text, path, &places);
    if (!history.ok()) return refused(Outcome::Failed, history.error + " The draw was not recorded.");

    const FullDate date = fullDateOf(draw);
    std::optional<std::size_t> taken;  // the first record of the draw's date
    std::optional<std::size_t> before; // the last record dated before the draw
    for (std::size_t i = 0; i < history.draws.size(); ++i) {
        const FullDate held = fullDateOfRecord(history.draws[i].date);
        if (held == date) {
            if (ascending(history.draws[i].numbers) == draw.numbers)
                return refused(Outcome::AlreadyRecorded,
                               "The draw of " + dateTextOf(draw) + ", " + setDisplayText(draw.numbers) +
                                   ", is already recorded, on line " + std::to_string(places[i].line) +
                                   " of the history file " + path + ".");
            if (!taken) taken = i;
        }
        if (held < date) before = i;
    }
    if (taken) {
        return refused(Outcome::DateTaken, "Line " + std::to_string(places[*taken].line) + " of the history file " +
                                               path + " records another draw of " + dateTextOf(draw) + ": " +
                                               setDisplayText(history.draws[*taken].numbers) + ". The draw " +
                                               setDisplayText(draw.numbers) + " was not recorded.");
    }

    DrawRecording recording;
    const std::string line = recordLineOf(draw) + "\r\n";
    const bool newest = history.draws.empty() || before == history.draws.size() - 1;
    if (newest) {
        text += lineEndOwedAfter(text) + line;
    } else {
        // A record that is not the last one ends its line, so the new one
        // starts a line of its own after it.
        const std::size_t next = before ? *before + 1 : 0;
        const std::size_t at = before ? places[*before].next : places[0].start;
        recording.placedBefore = dateTextOfRecord(history.draws[next].date);
        text.insert(at, line);
    }
    int error = 0;
    if (writeFileAtomically(path, text, &error)) return refused(Outcome::Failed, notRecorded(path, "written", error));
    return recording;
}

std::string recordedText(const NewDraw& draw, const DrawRecording& recording) {
    std::string text = "Recorded " + dateTextOf(draw) + ": " + setDisplayText(draw.numbers);
    if (!recording.placedBefore.empty()) text += ", in date order before the draw of " + recording.placedBefore;
    return text + ".";
}

} // namespace orvane
