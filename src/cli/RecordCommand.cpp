#include "cli/RecordCommand.h"

#include "cli/CommandLine.h"
#include "cli/HelpFormat.h"
#include "history/DrawEntry.h"
#include "history/HistoryFile.h"

#include <memory>
#include <optional>

namespace orvane {

namespace {

struct RecordOptions {
    std::optional<std::string> history;
    DrawEntryTexts texts;
};

// The values in the order of the record, with their help.
struct Value {
    const char* name;
    const char* help;
};
constexpr Value kValues[kEntryBoxCount] = {
    {"MM", "Month of the draw, 01 to 12"},
    {"DD", "Day of the draw, 01 to 31"},
    {"YY", "Year of the draw, two digits"},
    {"A", "The smallest number, 01 to 44"},
    {"B", "The second number, 02 to 45"},
    {"C", "The third number, 03 to 46"},
    {"D", "The fourth number, 04 to 47"},
    {"E", "The fifth number, 05 to 48"},
    {"F", "The largest number, 06 to 49"},
};

int runRecord(const RecordOptions& options, const CommandContext& context) {
    const DrawEntryCheck check = checkDrawEntry(options.texts);
    if (!check.ok()) {
        std::fprintf(context.err, "%s\n", check.failure->text.c_str());
        return kExitFailed;
    }
    const std::string path = options.history.value_or(context.paths.history);
    const std::string error = appendHistoryLine(path, check.record);
    if (!error.empty()) {
        std::fprintf(context.err, "%s\n", error.c_str());
        return kExitFailed;
    }
    return kExitSuccess;
}

} // namespace

Command addRecordCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<RecordOptions>();
    CLI::App* record = program.add_subcommand(
        "record", "Check a new draw as the history update window does and append it to the history file.");

    record
        ->add_option_function<std::string>(
            "--history", [options](const std::string& given) { options->history = given; },
            "The history file to append to")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    for (std::size_t i = 0; i < kEntryBoxCount; ++i)
        record->add_option(kValues[i].name, options->texts[i], kValues[i].help)->required()->type_name("");

    record->footer(wrapText(
        "Every value is two digits (03, not 3). The numbers are recorded in the order given: give them "
        "smallest first. The checks stop at the first failure, whose message is printed on standard error, "
        "and nothing is written. Without --history the history is " +
        context.paths.history +
        ".\n"
        "Exit status: 0 when the draw is recorded, 1 when a check or the write fails, 2 for a usage error."));

    return Command{record, [options, context] { return runRecord(*options, context); }};
}

} // namespace orvane
