#include "cli/WheelCommand.h"

#include "cli/CommandLine.h"
#include "cli/GameOption.h"
#include "cli/GroupsGiven.h"
#include "cli/HelpFormat.h"
#include "core/DataPaths.h"
#include "core/NumberText.h"
#include "core/PickText.h"
#include "history/GameHistory.h"
#include "settings/SettingsFile.h"
#include "wheel/PrintedWheelOutput.h"
#include "wheel/GameWheelStart.h"
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
    GameChoice game;
    std::string pickText;
    std::string bonusText;
    std::vector<std::string> groupTexts;
    std::optional<std::string> settings;
    std::optional<std::string> history;
    std::optional<std::string> output;
    bool append = false;
    bool numbered = false;
    // Read from the texts once they have been checked.
    std::vector<int> pick;
    std::vector<int> bonus;
    std::vector<std::vector<int>> groups;
};

// Numbers and ranges from 1 to the game's highest ("1-12,17,33"), at most
// `most` of them. The game is read as soon as --game is met, so it is known here.
CLI::Validator numberList(const GameChoice& game, std::size_t most = Game::kLargestHighest,
                          const std::string& tooMany = {}) {
    return CLI::Validator(
        [&game, most, tooMany](std::string& text) {
            std::vector<int> numbers;
            std::string error = parsePickList(text, numbers, game.game().highest());
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

int printSummary(std::FILE* summary, std::FILE* err, std::uint64_t generated, std::uint64_t passing) {
    std::fprintf(summary, "Sets generated: %llu\nSets passing: %llu\nPercent passing: %llu%%\n",
                 static_cast<unsigned long long>(generated), static_cast<unsigned long long>(passing),
                 static_cast<unsigned long long>(passingPercent(passing, generated).value_or(0)));
    if (std::fflush(summary) != 0 || std::ferror(summary)) {
        if (summary != err) std::fprintf(err, "orvane: the summary could not be written to standard output\n");
        return kExitFailed;
    }
    return kExitSuccess;
}

// Reads the settings file given into `settings`; false (the reason printed) when it cannot be read.
bool readGivenSettings(const std::string& path, SettingsFile& settings, std::FILE* err) {
    const SettingsReadResult read = readSettingsFile(path, settings);
    if (!read.ok()) std::fprintf(err, "orvane: %s\n", read.error.c_str());
    return read.ok();
}

// Runs a started wheel (of 6/49 or another game) to its end: the start's
// notices, its refusal or the job's failure, else the summary.
template <typename Start> int runStarted(Start& start, std::FILE* out, std::FILE* err, bool setsOnStandardOutput) {
    for (const Notice& notice : start.notices) printNotice(err, notice);
    if (!start.job) {
        printNotice(err, *start.refusal);
        return kExitFailed;
    }
    start.job->runToEnd();
    if (start.job->failure()) {
        printNotice(err, *start.job->failure());
        return kExitFailed;
    }
    return printSummary(setsOnStandardOutput ? err : out, err, start.job->generated(), start.job->passing());
}

// A game other than 6/49: its own history file, settings of that game, and
// each set written once for each choice of the bonus numbers picked.
int runGameWheel(const WheelOptions& options, const CommandContext& context, const Game& game) {
    std::FILE* const out = context.out;
    std::FILE* const err = context.err;
    SettingsFile settings = settingsFor(game);
    settings.historyPath = gamePaths(context.paths, game).history;
    settings.wheelOutputPath = context.paths.wheelOutput;
    if (options.settings) {
        if (!readGivenSettings(*options.settings, settings, err)) return kExitFailed;
        if (settings.game.matrix() != game.matrix()) {
            std::fprintf(err, "orvane: the settings file %s is for %s, not for %s\n", options.settings->c_str(),
                         settings.game.title().c_str(), game.title().c_str());
            return kExitFailed;
        }
    }
    GameWheelRequest request;
    request.game = game;
    request.controls = settings.filters;
    takeGroupsGiven(request.controls, options.groups);
    request.pick = options.pick;
    request.pickedBonus = options.bonus;
    request.historyPath = options.history.value_or(settings.historyPath);
    bool setsOnStandardOutput = false;
    request.openOutput = [&](std::uint64_t mostBytes, Notice& failure) -> std::unique_ptr<FileWheelOutput> {
        const DiskMode mode = options.append ? DiskMode::Append : settings.diskMode;
        std::string path;
        if (options.output && *options.output == "-") {
            setsOnStandardOutput = true;
            return FileWheelOutput::onStream(out, "standard output", options.numbered);
        }
        if (options.output) {
            path = *options.output;
        } else {
            if (settings.destination == OutputDestination::Nothing) return nullptr;
            if (settings.destination == OutputDestination::Printer) {
                // The printed document is laid out for 6/49: a run that would print nothing is refused.
                failure = Notice{"The settings file sends the sets to the printer, whose document serves 6/49 so far. "
                                 "Give --output FILE (or - for standard output) for the sets of " +
                                     game.title() + ".",
                                 "Output File Error", NoticeIcon::Exclamation};
                return nullptr;
            }
            std::error_code ignored;
            std::filesystem::create_directories(context.paths.folder, ignored);
            path = settings.wheelOutputPath;
        }
        if (std::optional<Notice> refusal =
                outputOverwritesInput(path, request.historyPath, options.settings.value_or(""))) {
            failure = *refusal;
            return nullptr;
        }
        if (std::optional<Notice> tooLarge = outputWouldNotFit(path, mostBytes)) {
            failure = *tooLarge;
            return nullptr;
        }
        return FileWheelOutput::open(path, mode, options.numbered, failure);
    };
    GameWheelStart start = startGameWheel(std::move(request));
    return runStarted(start, out, err, setsOnStandardOutput);
}

int runWheel(const WheelOptions& options, const CommandContext& context) {
    if (options.game.otherThanLotto649()) return runGameWheel(options, context, options.game.game());
    std::FILE* const out = context.out;
    std::FILE* const err = context.err;

    SettingsFile settings;
    settings.historyPath = context.paths.history;
    settings.wheelOutputPath = context.paths.wheelOutput;
    if (options.settings) {
        if (!readGivenSettings(*options.settings, settings, err)) return kExitFailed;
        // A file of another game switches the run to that game.
        if (!settings.game.isLotto649()) return runGameWheel(options, context, settings.game);
    }
    FilterControls controls = settings.filters;
    takeGroupsGiven(controls, options.groups);

    WheelStartRequest request;
    request.controls = std::move(controls);
    request.pick = options.pick;
    request.historyPath = options.history.value_or(settings.historyPath);
    bool setsOnStandardOutput = false;
    request.openOutput = [&, historyPath = request.historyPath](int poolSize, Notice& failure) {
        return openOutput(options, settings, historyPath, context.paths, poolSize, out, failure, setsOnStandardOutput);
    };
    WheelStart start = startWheel(std::move(request));
    return runStarted(start, out, err, setsOnStandardOutput);
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
        ->check(numberList(options->game));
    addValue(*wheel, "--settings", options->settings, "FILE", "Filters, output and paths from a saved settings file");
    wheel->add_option("--group", options->groupTexts, "A number group of up to 8 numbers; up to 6 groups")
        ->type_name("LIST")
        ->allow_extra_args(false) // one list per --group
        ->check(numberList(options->game, kGroupSize, "a group holds at most 8 numbers"));
    addValue(*wheel, "--history", options->history, "FILE", "The file of past draws");
    addValue(*wheel, "--output", options->output, "FILE|-", "Where the passing sets go; - for standard output");
    wheel->add_flag("--append", options->append, "Add to the output file instead of replacing it");
    wheel->add_flag("--numbered", options->numbered, "Number the passing sets");
    addGameOption(*wheel, options->game, context);
    wheel
        ->add_option("--bonus", options->bonusText,
                     "For a game with a bonus pool: the bonus numbers each set is written with, as a list")
        ->type_name("LIST")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);

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
        const Game game = options->game.game();
        parsePickList(options->pickText, options->pick, game.highest());
        options->bonus = bonusFromList(game, options->bonusText);
        options->groups.clear();
        for (const std::string& text : options->groupTexts) {
            std::vector<int> group;
            parsePickList(text, group, game.highest());
            options->groups.push_back(std::move(group));
        }
    });

    return Command{wheel, [options, context] { return runWheel(*options, context); }};
}

} // namespace orvane
