#include "cli/WheelCommand.h"

#include "cli/CommandLine.h"
#include "cli/HelpFormat.h"
#include "core/NumberText.h"
#include "core/PickText.h"
#include "settings/SettingsFile.h"
#include "wheel/PrintedWheelOutput.h"
#include "wheel/WheelJob.h"
#include "wheel/WheelStart.h"

#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>

namespace orvane {

namespace {

constexpr std::size_t kMaxGroups = 6;
constexpr std::size_t kGroupSize = 8;

struct WheelOptions {
    std::string pickText;
    std::vector<std::string> groupTexts;
    std::optional<std::string> settings;
    std::optional<std::string> history;
    std::optional<std::string> output;
    bool append = false;
    bool numbered = false;
    // Read from the texts once they have been checked.
    std::vector<int> pick;
    std::vector<std::vector<int>> groups;
};

// Numbers and ranges from 1 to 49 ("1-12,17,33"), at most `most` of them.
CLI::Validator numberList(std::size_t most = 49, const std::string& tooMany = {}) {
    return CLI::Validator(
        [most, tooMany](std::string& text) {
            std::vector<int> numbers;
            std::string error = parsePickList(text, numbers);
            if (error.empty() && numbers.size() > most) error = tooMany;
            return error;
        },
        "");
}

// An option taking one value; given more than once, the last one counts.
CLI::Option* addValue(CLI::App& command, const std::string& name, std::optional<std::string>& value,
                      const std::string& type, const std::string& help) {
    return command
        .add_option_function<std::string>(
            name, [&value](const std::string& given) { value = given; }, help)
        ->type_name(type)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

void printNotice(std::FILE* err, const Notice& notice) {
    std::fprintf(err, "%s: %s\n", notice.title.c_str(), notice.text.c_str());
}

std::string today(const char* format) {
    char text[32];
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return local && std::strftime(text, sizeof text, format, local) ? text : "";
}

// The printed document headless: its lines go to a stream the printer output
// cannot watch, so the stream is checked after every set and at the end.
class StandardOutputDocument final : public WheelOutput {
public:
    StandardOutputDocument(std::FILE* stream, int poolSize, bool numbered)
        : stream_(stream),
          document_([stream](const std::string& line) { std::fprintf(stream, "%s\n", line.c_str()); },
                    [stream] { std::fflush(stream); }, poolSize, numbered, today("%m-%d-%Y"), today("%H:%M:%S")) {}

    bool record(const Combination& set, std::uint64_t passingCount, std::uint64_t generatedCount) override {
        return document_.record(set, passingCount, generatedCount) && !std::ferror(stream_);
    }
    bool close() override { return document_.close() && std::fflush(stream_) == 0 && !std::ferror(stream_); }
    Notice failure() const override { return outputFileNotice("standard output", "could not be written"); }

private:
    std::FILE* stream_;
    PrintedWheelOutput document_;
};

// Where the sets go: --output wins; otherwise the settings file's destination
// (the disk by default). Headless, the printer's document goes to standard output.
// A file the run reads (the history, the settings file) is never written over.
std::unique_ptr<WheelOutput> openOutput(const WheelOptions& options, const SettingsFile& settings,
                                        const std::string& historyPath, const DataPaths& paths, int poolSize,
                                        std::FILE* out, Notice& failure, bool& setsOnStandardOutput) {
    setsOnStandardOutput = false;
    const DiskMode mode = options.append ? DiskMode::Append : settings.diskMode;
    std::string path;
    if (options.output) {
        if (*options.output == "-") {
            setsOnStandardOutput = true;
            return FileWheelOutput::onStream(out, "standard output", options.numbered);
        }
        path = *options.output;
    } else {
        switch (settings.destination) {
        case OutputDestination::Nothing: return nullptr;
        case OutputDestination::Printer:
            setsOnStandardOutput = true;
            return std::make_unique<StandardOutputDocument>(out, poolSize, options.numbered);
        case OutputDestination::Disk: break;
        }
        std::error_code ignored;
        std::filesystem::create_directories(paths.folder, ignored);
        path = settings.wheelOutputPath;
    }
    if (std::optional<Notice> refusal = outputOverwritesInput(path, historyPath, options.settings.value_or(""))) {
        failure = *refusal;
        return nullptr;
    }
    return FileWheelOutput::open(path, mode, options.numbered, failure);
}

int runWheel(const WheelOptions& options, const CommandContext& context) {
    std::FILE* const out = context.out;
    std::FILE* const err = context.err;

    SettingsFile settings;
    settings.historyPath = context.paths.history;
    settings.wheelOutputPath = context.paths.wheelOutput;
    if (options.settings) {
        SettingsReadResult read = readSettingsFile(*options.settings, settings);
        if (!read.ok()) {
            std::fprintf(err, "orvane: %s\n", read.error.c_str());
            return kExitFailed;
        }
    }
    FilterControls controls = settings.filters;
    if (!options.groups.empty()) {
        // The groups given replace the settings file's, so none of its groups
        // (or the rest of one) stays in force beside them.
        controls.enableGroups = 1;
        controls.groups = {};
        for (std::size_t g = 0; g < options.groups.size(); ++g)
            for (std::size_t i = 0; i < options.groups[g].size(); ++i)
                controls.groups[g][i] = std::to_string(options.groups[g][i]);
    }

    WheelStartRequest request;
    request.controls = std::move(controls);
    request.pick = options.pick;
    request.historyPath = options.history.value_or(settings.historyPath);
    bool setsOnStandardOutput = false;
    request.openOutput = [&, historyPath = request.historyPath](int poolSize, Notice& failure) {
        return openOutput(options, settings, historyPath, context.paths, poolSize, out, failure, setsOnStandardOutput);
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
    if (std::fflush(summary) != 0 || std::ferror(summary)) {
        if (summary != err) std::fprintf(err, "orvane: the summary could not be written to standard output\n");
        return kExitFailed;
    }
    return kExitSuccess;
}

} // namespace

Command addWheelCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<WheelOptions>();
    CLI::App* wheel = program.add_subcommand(
        "wheel", "Generate every six-number set of the pick, pass each through the filters and record the sets "
                 "that pass.");

    wheel->add_option("--pick", options->pickText, "The numbers to wheel, as numbers and ranges: 1-12,17,33")
        ->required()
        ->type_name("LIST")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(numberList());
    addValue(*wheel, "--settings", options->settings, "FILE", "Filters, output and paths from a saved settings file");
    wheel->add_option("--group", options->groupTexts, "A number group of up to 8 numbers; up to 6 groups")
        ->type_name("LIST")
        ->allow_extra_args(false) // one list per --group
        ->check(numberList(kGroupSize, "a group holds at most 8 numbers"));
    addValue(*wheel, "--history", options->history, "FILE", "The file of past draws");
    addValue(*wheel, "--output", options->output, "FILE|-", "Where the passing sets go; - for standard output");
    wheel->add_flag("--append", options->append, "Add to the output file instead of replacing it");
    wheel->add_flag("--numbered", options->numbered, "Number the passing sets");

    wheel->footer(wrapText(
        "Without --settings every filter stands at its permissive default, the history is " + context.paths.history +
        " and the sets go to " + context.paths.wheelOutput +
        ". --group turns the number-group filter on; the groups given replace the settings file's.\n"
        "After the run the counts are printed: Sets generated, Sets passing and Percent passing (on standard error "
        "when the sets go to standard output).\n"
        "Exit status: 0 when the run ends, 1 when it is refused or fails, 2 for a usage error."));

    // The lists have been checked one by one; what is left is their count, then
    // reading them into numbers.
    wheel->callback([options] {
        if (options->groupTexts.size() > kMaxGroups) throw CLI::ValidationError("--group", "at most 6 groups");
        parsePickList(options->pickText, options->pick);
        options->groups.clear();
        for (const std::string& text : options->groupTexts) {
            std::vector<int> group;
            parsePickList(text, group);
            options->groups.push_back(std::move(group));
        }
    });

    return Command{wheel, [options, context] { return runWheel(*options, context); }};
}

} // namespace orvane
