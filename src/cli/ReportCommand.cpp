#include "cli/ReportCommand.h"

#include "cli/CommandLine.h"
#include "cli/HelpFormat.h"
#include "history/HistoryFile.h"
#include "reports/HistoryReports.h"
#include "reports/NumberLinesReport.h"
#include "reports/OutputViewer.h"
#include "reports/ReportHistory.h"
#include "reports/SkipHitReport.h"

#include <memory>
#include <optional>

namespace orvane {

namespace {

const std::string kHistoryViewer = "View & Manipulate History";
const std::string kOutputViewer = "View & Manipulate Output File";
const std::string kNumberLines = "Number Lines Calculator";
const std::string kSkipHit = "Skip/Hit Report";

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

int runHistoryViewer(const std::string& path, const CommandContext& context) {
    const HistoryLines read = readHistoryLines(path);
    if (!read.ok()) {
        printNotice(context, historyNotOpenedNotice(path));
        return kExitFailed;
    }
    std::string text;
    for (const std::string& line : read.lines) text += line + "\r\n";
    return printText(context, text);
}

int runOutputViewer(const std::string& path, const CommandContext& context) {
    OutputViewer viewer(path);
    std::string text;
    while (viewer.read(text, OutputViewer::kCapacity)) {
    }
    // What was shown stays shown, as in the window, before the message.
    const int printed = printText(context, text);
    if (viewer.problem()) {
        printNotice(context, *viewer.problem());
        return kExitFailed;
    }
    return printed;
}

int noTable(const ReportOptions& options, const CommandContext& context) {
    std::fprintf(context.err, "orvane: --csv is for the counting reports; \"%s\" has no table\n", options.caption.c_str());
    return kExitUsage;
}

// The reports of the draws that are not history statistics: the number lines
// and the skips of every number.
int runDrawReport(const ReportOptions& options, const std::vector<ReportDraw>& draws, const CommandContext& context) {
    if (options.caption == kNumberLines) return options.csv ? noTable(options, context) : printText(context, numberLinesReport(draws).text);
    const SkipHitReport report = skipHitReport(draws);
    if (!options.csv) return printText(context, report.text);
    std::string csv = "Number,Current skip\r\n";
    for (const auto& [number, skip] : report.currentSkips) csv += std::to_string(number) + "," + std::to_string(skip) + "\r\n";
    return printText(context, csv);
}

int runReport(const ReportOptions& options, const CommandContext& context) {
    const std::string history = options.history.value_or(context.paths.history);
    if (options.caption == kHistoryViewer || options.caption == kOutputViewer) {
        if (options.csv) return noTable(options, context);
        return options.caption == kHistoryViewer ? runHistoryViewer(history, context)
                                                 : runOutputViewer(options.output.value_or(context.paths.wheelOutput),
                                                                   context);
    }
    const ReportHistory read = readReportHistory(history);
    if (!read.ok()) {
        printNotice(context, *read.failure);
        return kExitFailed;
    }
    if (options.caption == kNumberLines || options.caption == kSkipHit) return runDrawReport(options, read.draws, context);
    const std::optional<HistoryReportKind> kind = historyReportForCaption(options.caption);
    if (!kind) return kExitUsage; // the caption check has already refused it
    const HistoryReportResult result = historyReport(*kind, read.draws);
    if (options.csv) {
        if (result.counts.empty()) return noTable(options, context);
        return printText(context, countsCsv(result));
    }
    return printText(context, result.text);
}

// Every caption the command knows, in the order the help lists them.
std::vector<std::string> reportCaptions() {
    std::vector<std::string> captions;
    for (HistoryReportKind kind : {HistoryReportKind::NumberCount, HistoryReportKind::Midpoint,
                                   HistoryReportKind::SpanOfSet, HistoryReportKind::SumHits,
                                   HistoryReportKind::SumOfSets, HistoryReportKind::EvensSignature})
        captions.push_back(historyReportCaption(kind));
    captions.push_back(kNumberLines);
    captions.push_back(kSkipHit);
    captions.push_back(kHistoryViewer);
    captions.push_back(kOutputViewer);
    return captions;
}

} // namespace

Command addReportCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* report =
        program.add_subcommand("report", "Print a report of the report window, as Begin shows it on an empty text area.");
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
                            "; without --output the output viewer shows " + context.paths.wheelOutput +
                            ".\nExit status: 0 on success, 1 when a file is missing or malformed, 2 for a usage "
                            "error."));
    return Command{report, [options, context] { return runReport(*options, context); }};
}

} // namespace orvane
