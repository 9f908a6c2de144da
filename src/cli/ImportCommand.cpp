#include "cli/ImportCommand.h"

#include "cli/CommandLine.h"
#include "cli/GameOption.h"
#include "cli/HelpFormat.h"
#include "core/DataPaths.h"
#include "history/DrawImport.h"
#include "history/GameHistory.h"

#include <filesystem>

#include <limits>
#include <memory>
#include <optional>

namespace orvane {

namespace {

struct ImportOptions {
    GameChoice game;
    std::string file;
    std::optional<std::string> history;
    std::optional<DateOrder> order;
};

int runImport(const ImportOptions& options, const CommandContext& context) {
    const Game game = options.game.game();
    std::string history = options.history.value_or(context.paths.history);
    if (!options.history && options.game.otherThanLotto649()) {
        std::error_code ignored; // the data folder is made for the game's first draws
        std::filesystem::create_directories(context.paths.folder, ignored);
        history = gamePaths(context.paths, game).history;
    }
    const DrawImport result = importDraws(options.file, history, options.order, game);
    if (result.status == DrawImport::Status::AmbiguousDates) {
        std::fprintf(context.err, "%s Give it with --date-format, for example --date-format %s.\n",
                     result.error.c_str(), dateOrderPattern(result.readings.front()).c_str());
        return kExitFailed;
    }
    if (!result.ok()) {
        std::fprintf(context.err, "%s\n", result.error.c_str());
        return kExitFailed;
    }
    std::fputs(importSummary(result, std::numeric_limits<std::size_t>::max()).c_str(), context.out);
    return kExitSuccess;
}

} // namespace

Command addImportCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* command =
        program.add_subcommand("import", "Add the draws of a CSV or text file to the history file, in date order.");

    command->add_option("FILE", options->file, "The file of draws: a date and six numbers per line")
        ->required()
        ->type_name("");
    command
        ->add_option_function<std::string>(
            "--history", [options](const std::string& given) { options->history = given; },
            "The history file to add to")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    command
        ->add_option_function<std::string>(
            "--date-format",
            [options](const std::string& given) {
                options->order = dateOrderFromPattern(given);
                if (!options->order)
                    throw CLI::ValidationError("--date-format", "'" + given +
                                                                    "' is not a date form such as MM/DD/YYYY, "
                                                                    "DD.MM.YYYY, YYYY-MM-DD or MMDDYY");
            },
            "The order of month, day and year in the file's dates: MM/DD/YYYY, DD.MM.YYYY, YYYY-MM-DD, ...")
        ->type_name("FORMAT")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    addGameOption(*command, options->game, context);

    command->footer(wrapText(
        "A line holds a date and six numbers from 1 to 49, separated by commas, semicolons, tabs or blanks; "
        "columns after the six numbers (a bonus ball) and header lines are skipped. Dates are read as "
        "MM/DD/YYYY, M/D/YY, YYYY-MM-DD, DD.MM.YYYY or MMDDYY; the file's form is found from its dates, and "
        "when a date could be read two ways --date-format must say which. Years 50 to 99 are 1950 to 1999, "
        "00 to 49 are 2000 to 2049. A draw already in the history is skipped; one whose date is in the "
        "history with other numbers is rejected and the history keeps its own. The history is rewritten "
        "in date order, oldest first, replaced whole or not at all. Prints the counts and every rejected "
        "line with its reason. Without --history the history is " +
        context.paths.history +
        ".\n"
        "For another game, --game names it: a line holds a date, the game's numbers and then its bonus numbers, "
        "and the draws go to that game's history file in " +
        context.paths.folder +
        " unless --history names "
        "another.\n"
        "Exit status: 0 when the import ran (even if every line was rejected), 1 when the file or the "
        "history cannot be read, the dates need --date-format or the history cannot be written (it is then "
        "left as it was), 2 for a usage error."));

    return Command{command, [options, context] { return runImport(*options, context); }};
}

} // namespace orvane
