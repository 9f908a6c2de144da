#include "cli/PoolCommand.h"

#include "cli/CommandLine.h"
#include "cli/GameOption.h"
#include "cli/HelpFormat.h"
#include "core/AtomicFile.h"
#include "core/SameFile.h"
#include "pool/PoolJob.h"
#include "pool/PoolReport.h"

#include <clocale>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>

namespace orvane {

namespace {

struct PoolOptions {
    PoolParameters parameters;
    std::optional<int> bonusSize;
    std::string style = "verbose";
    std::optional<std::string> history;
    std::optional<std::string> save;
};

void printNotice(const CommandContext& context, const Notice& notice) {
    std::fprintf(context.err, "%s: %s\n", notice.title.c_str(), notice.text.c_str());
}

// The current date or time in the user's own format.
std::string localNow(const char* format) {
    char text[128];
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return local && std::strftime(text, sizeof text, format, local) ? text : "";
}

// The pool of the game played, over its own history file by default.
int runPool(const PoolOptions& options, const Game& game, const CommandContext& context) {
    const std::string history = options.history.value_or(gamePaths(context.paths, game).history);
    if (options.save && sameFile(*options.save, history)) {
        std::fprintf(context.err, "orvane: --save: %s is the history file, which the pool would replace\n",
                     options.save->c_str());
        return kExitFailed;
    }
    PoolParameters p = options.parameters;
    if (game.hasBonusPool()) p.bonusPoolSize = options.bonusSize.value_or(game.bonusPool());
    const PoolRunTexts texts{std::to_string(p.trendLength), std::to_string(p.bestGroups)};
    PoolJob job(history, p, texts, game);
    job.runToEnd();
    if (job.failure()) {
        printNotice(context, *job.failure());
        return kExitFailed;
    }

    std::string text;
    const PoolOutcome& outcome = *job.outcome();
    if (options.style == "minimum") {
        text = minimumPoolText(outcome.pool, outcome.bonusPool);
    } else {
        std::setlocale(LC_TIME, "");
        text = verbosePoolText(
            outcome.pool, VerboseHeading{p, texts.trendLength, texts.bestGroups, localNow("%x"), localNow("%X"), game},
            outcome.bonusPool);
    }
    std::fwrite(text.data(), 1, text.size(), context.out);
    if (std::fflush(context.out) != 0 || std::ferror(context.out)) {
        std::fprintf(context.err, "orvane: the pool could not be written to standard output\n");
        return kExitFailed;
    }
    if (options.save) {
        if (const std::optional<std::string> failed = writeFileAtomically(*options.save, savedPoolText(text))) {
            std::fprintf(context.err, "orvane: the pool file %s could not be written: %s\n", options.save->c_str(),
                         failed->c_str());
            return kExitFailed;
        }
    }
    return kExitSuccess;
}

// An option taking one value; given more than once, the last one counts.
CLI::Option* addValue(CLI::App& command, const std::string& name, std::optional<std::string>& value,
                      const std::string& help) {
    return command
        .add_option_function<std::string>(
            name, [&value](const std::string& given) { value = given; }, help)
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

CLI::Option* addNumber(CLI::App& command, const std::string& name, int& value, const std::string& type,
                       const std::string& help) {
    return command.add_option(name, value, help)
        ->required()
        ->type_name(type)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

} // namespace

Command addPoolCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<PoolOptions>();
    CLI::App* pool = program.add_subcommand(
        "pool", "Rank the numbers by how often they followed the past stretches of draws most like the latest "
                "ones, and print the pool as the pool window shows it after Begin.");
    PoolParameters& p = options->parameters;
    addNumber(*pool, "--trend", p.trendLength, "T", "How many recent draws form the trend");
    addNumber(*pool, "--groups", p.bestGroups, "G", "How many of the most similar past stretches are used, 1 to 49");
    addNumber(*pool, "--size", p.poolSize, "P", "How many numbers the pool holds, 1 to 49 (to the game's highest)");
    pool->add_option_function<int>(
            "--bonus-size", [options](int given) { options->bonusSize = given; },
            "In a game with a bonus pool, how many bonus numbers are proposed (all of them by default)")
        ->type_name("B")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    addNumber(*pool, "--draws", p.followingDraws, "N", "How many following draws the pool is for, 1 to 5");
    pool->add_option("--style", options->style, "minimum: the numbers alone; verbose (the default): a report")
        ->type_name("minimum|verbose")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(CLI::IsMember({"minimum", "verbose"}).description("")); // the type name lists them
    addValue(*pool, "--history", options->history, "The file of past draws");
    addValue(*pool, "--save", options->save, "Also write the pool file, as the pool window's save step does");

    pool->footer(
        wrapText("Without --history the history is " + context.paths.history +
                 " (another game's is its own history file in the same folder). The trend length T runs from 1 to (D - "
                 "2) / 2 for a history of D draws. --save never replaces the "
                 "history file.\n"
                 "Exit status: 0 on success; 1 for a value outside its range, a missing or malformed history or a pool "
                 "file that cannot be written; 2 for a usage error."));
    auto game = std::make_shared<GameChoice>();
    addGameOption(*pool, *game, context);
    return Command{pool, [options, context, game] { return runPool(*options, game->game(), context); }};
}

} // namespace orvane
