#include "cli/ReportCommand.h"

#include "cli/CommandLine.h"
#include "cli/GameOption.h"
#include "cli/HelpFormat.h"
#include "reports/ReportJob.h"

#include <memory>
#include <optional>

namespace orvane {

namespace {

struct ReportOptions {
    std::string caption;
    std::optional<std::string> history;
    std::optional<std::string> output;
    bool csv = false;
};

void printNotice(const CommandContext& context, const Notice& notice) {
    std::fprintf(context.err, "%s: %s\n", notice.title.c_str(), notice.text.c_str());
}

int printText(const CommandContext& context, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), context.out);
    if (std::fflush(context.out) != 0 || std::ferror(context.out)) {
        std::fprintf(context.err, "orvane: the report could not be written to standard output\n");
        return kExitFailed;
    }
    return kExitSuccess;
}

int noTable(const ReportOptions& options, const CommandContext& context) {
    std::fprintf(context.err, "orvane: --csv is for the counting reports; \"%s\" has no table\n",
                 options.caption.c_str());
    return kExitUsage;
}

// The report as the window computes it, to its end in one go, over the
// history of the game played (its own history file by default).
int runReport(const ReportOptions& options, const Game& game, const CommandContext& context) {
    const std::optional<ReportKind> kind = reportForCaption(options.caption);
    if (!kind) return kExitUsage; // the caption check has already refused it
    if (options.csv && !reportHasTable(*kind)) return noTable(options, context);
    const DataPaths paths = gamePaths(context.paths, game);
    ReportJob job(*kind, ReportSources{options.history.value_or(paths.history),
                                       options.output.value_or(paths.wheelOutput), game});
    const std::string text = job.runToEnd();
    if (options.csv && job.table()) return printText(context, tableCsv(*job.table()));
    // What was shown stays shown, as in the window, before the message.
    const int printed = options.csv ? kExitSuccess : printText(context, text);
    if (job.problem()) {
        printNotice(context, *job.problem());
        return kExitFailed;
    }
    return printed;
}

} // namespace

std::vector<std::string> reportCaptions() {
    std::vector<std::string> captions;
    for (ReportKind kind : everyReport()) captions.push_back(reportCaption(kind));
    return captions;
}

Command addReportCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* report = program.add_subcommand(
        "report", "Print a report of the report window, as Begin shows it on an empty text area.");
    const std::vector<std::string> captions = reportCaptions();
    report->add_option("CAPTION", options->caption, "The report's caption, in quotes")
        ->required()
        ->type_name("")
        ->check(CLI::IsMember(captions));
    report
        ->add_option_function<std::string>(
            "--history", [options](const std::string& given) { options->history = given; }, "The history file to read")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    report
        ->add_option_function<std::string>(
            "--output", [options](const std::string& given) { options->output = given; },
            "The wheel output file the output viewer shows")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    report->add_flag("--csv", options->csv, "Print the table of a counting report as CSV instead of its text");

    std::string list;
    for (const std::string& caption : captions) list += "  \"" + caption + "\"\n";
    report->footer("Captions:\n" + list +
                   wrapText("Without --history the history is " + context.paths.history +
                            " (another game's is its own history file in the same folder)" +
                            "; without --output the output viewer shows " + context.paths.wheelOutput +
                            ".\nExit status: 0 on success, 1 when a file is missing or malformed, 2 for a usage "
                            "error."));
    auto game = std::make_shared<GameChoice>();
    addGameOption(*report, *game, context);
    return Command{report, [options, context, game] { return runReport(*options, game->game(), context); }};
}

} // namespace orvane
