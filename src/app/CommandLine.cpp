#include "app/CommandLine.h"

#include "wheel/NumberText.h"
#include "wheel/PickText.h"
#include "wheel/SumLimits.h"
#include "wheel/WheelJob.h"
#include "wheel/WheelStart.h"

#include <filesystem>
#include <optional>

namespace orvane {

namespace {

const char* const kUsage =
    "usage: orvane wheel --pick LIST [--history FILE] [--output FILE|-] [--append] [--numbered]\n";

struct WheelOptions {
    std::vector<int> pick;
    bool pickGiven = false;
    std::optional<std::string> history;
    std::optional<std::string> output;
    bool append = false;
    bool numbered = false;
};

void printNotice(std::FILE* err, const Notice& notice) {
    std::fprintf(err, "%s: %s\n", notice.title.c_str(), notice.text.c_str());
}

int usageError(std::FILE* err, const std::string& why) {
    std::fprintf(err, "orvane: %s\n%s", why.c_str(), kUsage);
    return kExitUsage;
}

// Reads the wheel options; returns an error text, empty when they are sound.
std::string parseWheelOptions(const std::vector<std::string>& args, WheelOptions& options) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        std::string text;
        if (arg == "--append") {
            options.append = true;
        } else if (arg == "--numbered") {
            options.numbered = true;
        } else if (arg == "--pick" || arg == "--history" || arg == "--output") {
            if (!value(text)) return arg + " needs a value";
            if (arg == "--pick") {
                std::string error = parsePickList(text, options.pick);
                if (!error.empty()) return "--pick: " + error;
                options.pickGiven = true;
            } else if (arg == "--history") {
                options.history = text;
            } else {
                options.output = text;
            }
        } else {
            return "unknown option '" + arg + "'";
        }
    }
    if (!options.pickGiven) return "--pick is required";
    return {};
}

int runWheel(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, const DataPaths& paths) {
    WheelOptions options;
    if (std::string error = parseWheelOptions(args, options); !error.empty()) return usageError(err, error);

    // With every filter at its default the sum limits stand at 21 and 279 and need no correction.
    SumLimitCheck sums = checkSumLimits("21", "279");
    for (const Notice& notice : sums.notices) printNotice(err, notice);

    if (static_cast<int>(options.pick.size()) < kMinimumPoolSize) {
        printNotice(err, poolTooSmallNotice());
        return kExitFailed;
    }

    const bool toStandardOutput = options.output && *options.output == "-";
    std::unique_ptr<WheelOutput> output;
    if (toStandardOutput) {
        output = FileWheelOutput::onStream(out, "standard output", options.numbered);
    } else {
        std::string path = options.output.value_or(paths.wheelOutput);
        if (!options.output) {
            std::error_code ignored;
            std::filesystem::create_directories(paths.folder, ignored);
        }
        Notice failure;
        output = FileWheelOutput::open(path, options.append ? DiskMode::Append : DiskMode::Overwrite,
                                       options.numbered, failure);
        if (!output) {
            printNotice(err, failure);
            return kExitFailed;
        }
    }

    WheelJob job(options.pick, SetPipeline{}, std::move(output));
    job.runToEnd();
    if (job.failure()) {
        printNotice(err, *job.failure());
        return kExitFailed;
    }
    std::FILE* summary = toStandardOutput ? err : out;
    std::fprintf(summary, "Sets generated: %llu\nSets passing: %llu\nPercent passing: %llu%%\n",
                 static_cast<unsigned long long>(job.generated()), static_cast<unsigned long long>(job.passing()),
                 static_cast<unsigned long long>(passingPercent(job.passing(), job.generated()).value_or(0)));
    std::fflush(summary);
    return kExitSuccess;
}

} // namespace

int runCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, const DataPaths& paths) {
    if (args.empty()) return usageError(err, "no command given");
    if (args[0] == "wheel") return runWheel(args, out, err, paths);
    return usageError(err, "unknown command '" + args[0] + "'");
}

} // namespace orvane
