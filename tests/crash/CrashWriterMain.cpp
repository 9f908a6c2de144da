// The crash test's writer: replaces or appends to one file through the
// program's own code, over and over, until it is killed. It writes one byte to
// standard output when it starts writing, so the test's random delay before the
// kill is counted from there and not from the process start.
//
//   crash_writer settings FILE          saves the two settings versions in turn
//   crash_writer manual FILE SAVED0 SAVED1  saves the manuals read from SAVED0 and SAVED1 in turn
//   crash_writer pool FILE HISTORY      runs `pool --save FILE` for the two pools in turn
//   crash_writer import HISTORY SOURCE... runs `import` of each SOURCE once, then ends
//   crash_writer record HISTORY         runs `record` with draw 0, 1, 2, ...
//
// Exits with status 3 when a write fails, 2 for wrong arguments.

#include "WrittenVersions.h"

#include "cli/CommandLine.h"
#include "core/AtomicFile.h"
#include "settings/SettingsFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kWriteFailed = 3;
constexpr int kWrongArguments = 2;

void signalWriting() {
    const char ready = 'R';
    if (write(STDOUT_FILENO, &ready, 1) != 1) std::_Exit(kWrongArguments);
}

int failed(const std::string& what) {
    std::fprintf(stderr, "crash_writer: %s\n", what.c_str());
    return kWriteFailed;
}

int saveSettingsForever(const std::string& path) {
    const orvane::SettingsFile versions[2] = {crash::settingsVersion(0), crash::settingsVersion(1)};
    signalWriting();
    for (unsigned round = 1;; ++round)
        if (const std::string problem = orvane::saveSettingsFile(path, versions[round % 2]); !problem.empty())
            return failed(problem);
}

std::string wholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

// The manual viewer's save of a manual already in its saved form (CR LF line
// ends), which the test prepares once: converting a large text takes long in
// an unoptimised build, and the delay before the kill counts from here.
int saveManualForever(const std::string& path, const std::string& saved0, const std::string& saved1) {
    const std::string versions[2] = {wholeFile(saved0), wholeFile(saved1)};
    signalWriting();
    for (unsigned round = 1;; ++round)
        if (const auto problem = orvane::writeFileAtomically(path, versions[round % 2])) return failed(*problem);
}

// The command line's output is not looked at; its messages go to standard error.
int runCommand(const std::vector<std::string>& args, std::FILE* discarded, const std::string& folder) {
    return orvane::runCommandLine(args, discarded, stderr, orvane::dataPathsIn(folder));
}

int savePoolForever(const std::string& path, const std::string& history, std::FILE* discarded) {
    const std::vector<std::string> args[2] = {crash::poolArguments(0, history, path),
                                              crash::poolArguments(1, history, path)};
    signalWriting();
    for (unsigned round = 1;; ++round)
        if (runCommand(args[round % 2], discarded, ".") != orvane::kExitSuccess) return failed("pool --save");
}

int importEach(const std::string& history, const std::vector<std::string>& sources, std::FILE* discarded) {
    signalWriting();
    for (const std::string& source : sources)
        if (runCommand({"import", source, "--history", history}, discarded, ".") != orvane::kExitSuccess)
            return failed("import " + source);
    return 0;
}

int recordForever(const std::string& history, std::FILE* discarded) {
    signalWriting();
    for (int draw = 0;; ++draw) {
        std::vector<std::string> args = {"record", "--history", history};
        for (std::string& value : crash::recordedValues(draw)) args.push_back(std::move(value));
        if (runCommand(args, discarded, ".") != orvane::kExitSuccess) return failed("record");
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2) return kWrongArguments;
    const std::string& kind = args[0];
    const std::string& path = args[1];
    std::FILE* discarded = std::fopen("/dev/null", "w");
    if (!discarded) return kWrongArguments;
    if (kind == "settings") return saveSettingsForever(path);
    if (kind == "manual" && args.size() == 4) return saveManualForever(path, args[2], args[3]);
    if (kind == "pool" && args.size() == 3) return savePoolForever(path, args[2], discarded);
    if (kind == "import") return importEach(path, {args.begin() + 2, args.end()}, discarded);
    if (kind == "record") return recordForever(path, discarded);
    return kWrongArguments;
}
