#pragma once

#include "wheel/WheelOutput.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Passing sets as a printed document: a header, then one line per set. The
// lines go to whatever prints them (the printer, or standard output headless).
// Unlike the output file's lines, a printed set's numbers are zero-padded.
class PrintedWheelOutput final : public WheelOutput {
public:
    using PrintLine = std::function<void(const std::string&)>;
    using EndDocument = std::function<void()>;

    // Prints the header for a pool of `poolSize` numbers, dated "MM-DD-YYYY" at "HH:MM:SS".
    PrintedWheelOutput(PrintLine printLine, EndDocument endDocument, int poolSize, bool numbered,
                       const std::string& date, const std::string& time);

    bool record(const Combination& set, std::uint64_t passingCount, std::uint64_t generatedCount) override;
    // A line of another game, padded as a set is; numbered by passing lines,
    // as that game's run counts its sets in blocks.
    bool recordText(std::string_view line, std::uint64_t passingCount) override;
    bool close() override;
    Notice failure() const override { return {}; }

private:
    PrintLine printLine_;
    EndDocument endDocument_;
    bool numbered_;
};

// A printed set: two digits a number so that the columns line up, "05 12 23 34 41 49".
std::string printedSetLine(const Combination& set);
// A line of any game printed: "5 12 23 34 41 + 7" as "05 12 23 34 41 + 07".
std::string printedGameLine(std::string_view line);
// The printed numbered form, "245: 05 12 23 34 41 49", counting generated sets.
std::string numberedPrintedLine(std::uint64_t generatedCount, const Combination& set);

// A printed run of more sets than this asks first: every set is a printed line.
inline constexpr std::uint64_t kSetsPrintedWithoutAsking = 10000;

// The Yes/No question asked before printing a run of up to `mostSets` sets,
// when that many lines are worth a question.
std::optional<Notice> largePrintQuestion(std::uint64_t mostSets);

} // namespace orvane
