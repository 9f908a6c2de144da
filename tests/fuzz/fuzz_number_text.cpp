// The texts typed into boxes and given on the command line: number boxes,
// picks and groups, winning numbers and guarantees, each read directly and
// through the command line's own options (the cheapest command for each).
#include "FuzzInput.h"
#include "cli/CommandLine.h"
#include "core/NumberText.h"
#include "core/PickText.h"
#include "cover/Guarantee.h"
#include "tally/WinTally.h"

#include <cstdio>

namespace {

void runQuietly(const std::vector<std::string>& args, const orvane::DataPaths& paths) {
    std::FILE* out = std::fopen("/dev/null", "w");
    std::FILE* err = std::fopen("/dev/null", "w");
    orvane::runCommandLine(args, out, err, paths);
    std::fclose(out);
    std::fclose(err);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::text(data, size);
    orvane::numberInBox(text);
    orvane::wholeNumberValue(text);
    orvane::wholeNumberFrom(text, 1, 49);
    orvane::winningNumberValue(text);
    orvane::parseGuarantee(text);
    std::vector<int> pick;
    if (orvane::parsePickList(text, pick).empty())
        for (std::size_t i = 0; i < pick.size(); ++i) {
            fuzz::require(pick[i] >= 1 && pick[i] <= 49, "a pick number outside 1..49");
            fuzz::require(i == 0 || pick[i - 1] < pick[i], "a pick not ascending and distinct");
        }

    // The options themselves: --pick and --guarantee end at once with a
    // refused guarantee or pick; --winning against an empty output file;
    // --group on a one-set wheel that records nothing.
    static const orvane::DataPaths paths = orvane::dataPathsIn(fuzz::scratchPath("data"));
    static const std::string emptyOutput = fuzz::inputFile("empty.TB", nullptr, 0);
    runQuietly({"cover", "--pick", text, "--guarantee", "9"}, paths);
    runQuietly({"cover", "--pick", "1-12", "--guarantee", text, "--seconds", "0", "--output", "/dev/null"}, paths);
    runQuietly({"check", "--winning", text, "--output", emptyOutput}, paths);
    runQuietly({"wheel", "--pick", "1-6", "--group", text, "--output", "/dev/null"}, paths);
    return 0;
}
