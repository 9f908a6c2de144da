#include "cli/CommandLine.h"

#include "settings/SettingsFile.h"
#include "core/NumberText.h"
#include "core/PickText.h"
#include "wheel/PrintedWheelOutput.h"
#include "wheel/WheelJob.h"
#include "wheel/WheelStart.h"

#include <ctime>
#include <filesystem>
#include <optional>

namespace orvane {

namespace {

const char* const kUsage = "usage: orvane wheel --pick LIST [--settings FILE] [--group LIST]... [--history FILE]\n"
                           "                    [--output FILE|-] [--append] [--numbered]\n";
constexpr int kMaxGroups = 6;
constexpr std::size_t kGroupSize = 8;

struct WheelOptions {
    std::vector<int> pick;
    bool pickGiven = false;
    std::optional<std::string> settings;
    std::vector<std::vector<int>> groups;
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
        if (arg == "--append") {
            options.append = true;
            continue;
        }
        if (arg == "--numbered") {
            options.numbered = true;
            continue;
        }
        if (arg != "--pick" && arg != "--history" && arg != "--output" && arg != "--settings" && arg != "--group")
            return "unknown option '" + arg + "'";
        if (i + 1 >= args.size()) return arg + " needs a value";
        const std::string& value = args[++i];
        if (arg == "--pick") {
            if (std::string error = parsePickList(value, options.pick); !error.empty()) return "--pick: " + error;
            options.pickGiven = true;
        } else if (arg == "--group") {
            std::vector<int> group;
            if (std::string error = parsePickList(value, group); !error.empty()) return "--group: " + error;
            if (group.size() > kGroupSize) return "--group: a group holds at most 8 numbers";
            if (options.groups.size() == kMaxGroups) return "--group: at most 6 groups";
            options.groups.push_back(group);
        } else if (arg == "--history") {
            options.history = value;
        } else if (arg == "--output") {
            options.output = value;
        } else {
            options.settings = value;
        }
    }
    if (!options.pickGiven) return "--pick is required";
    return {};
}

std::string today(const char* format) {
    char text[32];
    const std::time_t now = std::time(nullptr);
    std::strftime(text, sizeof text, format, std::localtime(&now));
    return text;
}

// Where the sets go: --output wins; otherwise the settings file's destination
// (the disk by default). Headless, the printer's document goes to standard output.
std::unique_ptr<WheelOutput> openOutput(const WheelOptions& options, const SettingsFile& settings,
                                        const DataPaths& paths, int poolSize, std::FILE* out, Notice& failure,
                                        bool& setsOnStandardOutput) {
    setsOnStandardOutput = false;
    const DiskMode mode = options.append ? DiskMode::Append : settings.diskMode;
    if (options.output) {
        if (*options.output == "-") {
            setsOnStandardOutput = true;
            return FileWheelOutput::onStream(out, "standard output", options.numbered);
        }
        return FileWheelOutput::open(*options.output, mode, options.numbered, failure);
    }
    switch (settings.destination) {
    case OutputDestination::Nothing: return nullptr;
    case OutputDestination::Printer:
        setsOnStandardOutput = true;
        return std::make_unique<PrintedWheelOutput>(
            [out](const std::string& line) { std::fprintf(out, "%s\n", line.c_str()); }, [out] { std::fflush(out); },
            poolSize, options.numbered, today("%m-%d-%Y"), today("%H:%M:%S"));
    case OutputDestination::Disk: break;
    }
    std::error_code ignored;
    std::filesystem::create_directories(paths.folder, ignored);
    return FileWheelOutput::open(settings.wheelOutputPath, mode, options.numbered, failure);
}

int runWheel(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, const DataPaths& paths) {
    WheelOptions options;
    if (std::string error = parseWheelOptions(args, options); !error.empty()) return usageError(err, error);

    SettingsFile settings;
    settings.historyPath = paths.history;
    settings.wheelOutputPath = paths.wheelOutput;
    if (options.settings) {
        SettingsReadResult read = readSettingsFile(*options.settings, settings);
        if (!read.ok()) {
            std::fprintf(err, "orvane: %s\n", read.error.c_str());
            return kExitFailed;
        }
    }
    FilterControls controls = settings.filters;
    for (std::size_t g = 0; g < options.groups.size(); ++g) {
        controls.enableGroups = 1;
        for (std::size_t i = 0; i < options.groups[g].size(); ++i)
            controls.groups[g][i] = std::to_string(options.groups[g][i]);
    }

    WheelStartRequest request;
    request.controls = std::move(controls);
    request.pick = options.pick;
    request.historyPath = options.history.value_or(settings.historyPath);
    bool setsOnStandardOutput = false;
    request.openOutput = [&](int poolSize, Notice& failure) {
        return openOutput(options, settings, paths, poolSize, out, failure, setsOnStandardOutput);
    };
    WheelStart start = startWheel(std::move(request));
    for (const Notice& notice : start.notices) printNotice(err, notice);
    if (!start.job) {
        printNotice(err, *start.refusal);
        return kExitFailed;
    }
    WheelJob& job = *start.job;
    job.runToEnd();
    if (job.failure()) {
        printNotice(err, *job.failure());
        return kExitFailed;
    }
    std::FILE* summary = setsOnStandardOutput ? err : out;
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
