#include "cli/RecordCommand.h"

#include "cli/CommandLine.h"
#include "cli/HelpFormat.h"
#include "history/DrawEntry.h"
#include "history/DrawRecording.h"

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
    {"A", "A number of the draw, 01 to 49"},
    {"B", "A number of the draw, 01 to 49"},
    {"C", "A number of the draw, 01 to 49"},
    {"D", "A number of the draw, 01 to 49"},
    {"E", "A number of the draw, 01 to 49"},
    {"F", "A number of the draw, 01 to 49"},
};

int runRecord(const RecordOptions& options, const CommandContext& context) {
    const DrawEntryCheck check = checkDrawEntry(options.texts);
    if (!check.ok()) {
        std::fprintf(context.err, "%s\n", check.failure->text.c_str());
        return kExitFailed;
    }
    const std::string path = options.history.value_or(context.paths.history);
    const DrawRecording recording = recordDraw(path, check.draw);
    if (!recording.ok()) {
        std::fprintf(context.err, "%s\n", recording.error.c_str());
        return kExitFailed;
    }
    return kExitSuccess;
}

} // namespace

Command addRecordCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<RecordOptions>();
    CLI::App* record = program.add_subcommand(
        "record", "Check a new draw as the history update window does and record it in the history file.");

    record
        ->add_option_function<std::string>(
            "--history", [options](const std::string& given) { options->history = given; },
            "The history file to record the draw in")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    for (std::size_t i = 0; i < kEntryBoxCount; ++i)
        record->add_option(kValues[i].name, options->texts[i], kValues[i].help)->required()->type_name("");

    record->footer(wrapText(
        "Every value is two digits (03, not 3), and the date a calendar date. The numbers may be given in any "
        "order and are recorded smallest first. A draw later than the history's last is added at its end, an "
        "earlier one in date order among the draws; a date the history holds already is refused. The checks "
        "stop at the first failure, whose message is printed on standard error, and nothing is written. "
        "Without --history the history is " +
        context.paths.history +
        ".\n"
        "Exit status: 0 when the draw is recorded, 1 when a check fails, the date is recorded already or the "
        "history cannot be read or written, 2 for a usage error."));

    return Command{record, [options, context] { return runRecord(*options, context); }};
}

} // namespace orvane
