#include "cli/BacktestCommand.h"

#include "backtest/Backtest.h"
#include "backtest/BacktestReport.h"
#include "cli/CommandLine.h"
#include "cli/GameOption.h"
#include "cli/GroupsGiven.h"
#include "cli/HelpFormat.h"
#include "core/DataPaths.h"
#include "core/PickText.h"
#include "history/GameHistory.h"
#include "history/HistoryFile.h"
#include "settings/SettingsFile.h"
#include "wheel/FilterBoxes.h"
#include "wheel/RunPreparation.h"

#include <memory>
#include <optional>

namespace orvane {

namespace {

constexpr std::size_t kMaxGroups = 6;
constexpr std::size_t kGroupSize = 8;

struct BacktestOptions {
    std::optional<std::string> settings;
    std::vector<std::string> groupTexts;
    std::optional<std::string> history;
    std::optional<std::size_t> last;
    bool csv = false;
    std::vector<std::vector<int>> groups; // read from the texts once they have been checked
};

// The backtest of the game named, or of the game of the settings file given
// without --game, over that game's own history file by default.
int runBacktestCommand(const BacktestOptions& options, const CommandContext& context, const GameChoice& choice) {
    Game game = choice.game();
    SettingsFile settings = settingsFor(game);
    settings.historyPath = gamePaths(context.paths, game).history;
    if (options.settings) {
        SettingsReadResult read = readSettingsFile(*options.settings, settings);
        if (!read.ok()) {
            std::fprintf(context.err, "orvane: %s\n", read.error.c_str());
            return kExitFailed;
        }
        if (settings.game.matrix() != game.matrix()) {
            if (choice.named) {
                std::fprintf(context.err, "orvane: the settings file %s is for %s, not for %s\n",
                             options.settings->c_str(), settings.game.title().c_str(), game.title().c_str());
                return kExitFailed;
            }
            game = settings.game; // a file of another game switches the backtest to that game
        }
    }
    BacktestRequest request;
    request.controls = settings.filters;
    takeGroupsGiven(request.controls, options.groups); // as for the wheel
    // As a wheel run does: a filter box that cannot be read is not taken as 0.
    if (const std::optional<Notice> problem = checkFilterBoxes(request.controls, game)) {
        std::fprintf(context.err, "%s: %s\n", problem->title.c_str(), problem->text.c_str());
        return kExitFailed;
    }
    const std::string historyPath = options.history.value_or(settings.historyPath);
    std::string historyError;
    if (game.isLotto649()) {
        HistoryRead read = readHistoryRecords(historyPath);
        historyError = read.error;
        request.draws = std::move(read.draws);
    } else {
        GameHistoryRead read = readGameHistory(game, historyPath);
        historyError = read.error;
        request.game = game;
        request.gameDraws = std::move(read.draws);
    }
    if (!historyError.empty()) {
        const Notice notice = historyNotice(historyError);
        std::fprintf(context.err, "%s: %s\n", notice.title.c_str(), notice.text.c_str());
        return kExitFailed;
    }
    request.lastDraws = options.last;

    const BacktestResult result = runBacktest(std::move(request));
    for (const Notice& notice : result.notices)
        std::fprintf(context.err, "%s: %s\n", notice.title.c_str(), notice.text.c_str());
    const std::string text =
        options.csv ? backtestCsv(result) : backtestFilterTable(result) + "\r\n" + backtestDrawLines(result);
    std::fwrite(text.data(), 1, text.size(), context.out);
    if (std::fflush(context.out) != 0 || std::ferror(context.out)) {
        std::fprintf(context.err, "orvane: the backtest could not be written to standard output\n");
        return kExitFailed;
    }
    return kExitSuccess;
}

} // namespace

Command addBacktestCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<BacktestOptions>();
    auto game = std::make_shared<GameChoice>();
    CLI::App* command = program.add_subcommand(
        "backtest", "Judge the past draws by the filters and set the share of draws each filter keeps beside the "
                    "share chance alone would have it keep.");

    command
        ->add_option_function<std::string>(
            "--settings", [options](const std::string& given) { options->settings = given; },
            "Filters and paths from a saved settings file")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    command->add_option("--group", options->groupTexts, "A number group of up to 8 numbers; up to 6 groups")
        ->type_name("LIST")
        ->allow_extra_args(false)
        ->check(CLI::Validator(
            [game](std::string& text) {
                std::vector<int> numbers;
                std::string error = parsePickList(text, numbers, game->game().highest());
                if (error.empty() && numbers.size() > kGroupSize) error = "a group holds at most 8 numbers";
                return error;
            },
            ""));
    command
        ->add_option_function<std::string>(
            "--history", [options](const std::string& given) { options->history = given; }, "The file of past draws")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    command
        ->add_option_function<std::size_t>(
            "--last", [options](std::size_t n) { options->last = n; },
            "Judge only the last N draws; the earlier ones still serve as their history")
        ->type_name("N")
        ->check(CLI::PositiveNumber)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    command->add_flag("--csv", options->csv, "Print CSV: a row per filter, then a row per draw");

    command->footer(wrapText(
        "Without --settings every filter stands at its permissive default and the history is " + context.paths.history +
        " (another game's is its own history file in the same folder). The Ravelin skip takes no part. The filters "
        "that read the history judge each draw with only the draws "
        "before it; a draw with too few before it is not judged by them. The sets are those of every number of the "
        "game "
        "(with the exact positional values, as a run adds them), judged with the whole history. In a game other than "
        "6/49 the chance share of a row with a filter that reads the history is estimated from a fixed sample of "
        "the sets, and shown with its error.\n"
        "Printed: a row per active filter and one for all of them (draws kept of those judged, the 95% Wilson "
        "interval, draws not judged, sets kept, lift, the chance share, the lift's 95% interval, the same without "
        "that filter, and what the lift says), then a line per draw. The chance share is the share of the draws "
        "chance alone would keep: the mean over the draws judged of the share of the sets the filter keeps with only "
        "the draws before each. Lift = draws share / chance share; on random draws it lies near 1 whatever the "
        "filter, and a row whose interval covers 1 reads \"consistent with chance\". With --csv the filter rows end "
        "with null_share, lift_low and lift_high.\n"
        "Exit status: 0 when the backtest ends, 1 when an input cannot be read, 2 for a usage error."));

    command->callback([options, game] {
        if (options->groupTexts.size() > kMaxGroups) throw CLI::ValidationError("--group", "at most 6 groups");
        options->groups.clear();
        for (const std::string& text : options->groupTexts) {
            std::vector<int> group;
            parsePickList(text, group, game->game().highest());
            options->groups.push_back(std::move(group));
        }
    });

    addGameOption(*command, *game, context);
    return Command{command, [options, context, game] { return runBacktestCommand(*options, context, *game); }};
}

} // namespace orvane
