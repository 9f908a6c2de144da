#include "cli/CoverCommand.h"

#include "cli/CommandLine.h"
#include "cli/GameOption.h"
#include "cli/HelpFormat.h"
#include "core/PickText.h"
#include "cover/CoverJob.h"
#include "cover/CoverList.h"
#include "wheel/GameWheelStart.h"
#include "wheel/WheelOutput.h"

#include <memory>
#include <optional>

namespace orvane {

namespace {

struct CoverOptions {
    std::string pickText;
    std::string guaranteeText;
    int seconds = 10;
    std::uint64_t seed = 1;
    std::optional<std::string> output;
    bool append = false;
    bool numbered = false;
    GameChoice game;
    std::string bonusText;
    std::vector<int> bonus; // read from bonusText once the game is known
};

// The list for the game played: tickets of its k numbers from a pool of its
// numbers, each ticket of a game with a bonus pool written with picked bonus
// numbers taken in turn.
int runCover(const CoverOptions& options, const CommandContext& context) {
    const Game game = options.game.game();
    CoverRequest request;
    parsePickList(options.pickText, request.pool, game.highest());
    request.highest = game.highest();
    request.guarantee = *parseGuarantee(options.guaranteeText);
    request.guarantee.ticket = game.perTicket();
    request.timeBudget = std::chrono::seconds(options.seconds);
    request.seed = options.seed;
    if (!options.bonus.empty()) {
        if (std::optional<Notice> problem = bonusPickProblem(game, options.bonus)) {
            std::fprintf(context.err, "orvane: --bonus: %s\n", problem->text.c_str());
            return kExitFailed;
        }
    }

    const DataPaths paths = gamePaths(context.paths, game);
    const bool toStandardOutput = options.output && *options.output == "-";
    const std::string path = options.output.value_or(paths.wheelOutput);
    if (!toStandardOutput) {
        if (std::optional<Notice> refusal = outputOverwritesInput(path, paths.history, "")) {
            std::fprintf(context.err, "%s: %s\n", refusal->title.c_str(), refusal->text.c_str());
            return kExitFailed;
        }
    }

    CoverJob job(request);
    job.runToEnd();
    if (job.failure()) {
        std::fprintf(context.err, "orvane: %s\n", job.failure()->text.c_str());
        return kExitFailed;
    }
    const std::vector<std::vector<int>> tickets = job.ticketLists();

    Notice failure;
    std::unique_ptr<FileWheelOutput> output =
        toStandardOutput ? FileWheelOutput::onStream(context.out, "standard output", options.numbered)
                         : FileWheelOutput::open(path, options.append ? DiskMode::Append : DiskMode::Overwrite,
                                                 options.numbered, failure);
    const bool written = output && writeCoverList(tickets, game, options.bonus, *output, failure);
    if (!written) {
        std::fprintf(context.err, "%s: %s\n", failure.title.c_str(), failure.text.c_str());
        return kExitFailed;
    }
    std::FILE* summary = toStandardOutput ? context.err : context.out;
    std::fprintf(summary, "Tickets: %zu\nGuarantee: %s verified\n", tickets.size(),
                 guaranteeText(request.guarantee).c_str());
    if (std::fflush(summary) != 0) return kExitFailed;
    return kExitSuccess;
}

} // namespace

Command addCoverCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<CoverOptions>();
    CLI::App* cover = program.add_subcommand(
        "cover", "Build an abbreviated wheel: a short list of tickets from the pick such that whenever M of the "
                 "drawn numbers are in the pick, some ticket holds T of them. The guarantee is checked over every "
                 "M numbers of the pick before the list is written.");
    cover->add_option("--pick", options->pickText, "The pool, as numbers and ranges: 1-12,17,33")
        ->required()
        ->type_name("LIST")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(CLI::Validator(
            [options](std::string& text) {
                std::vector<int> numbers;
                return parsePickList(text, numbers, options->game.game().highest());
            },
            ""));
    cover->add_option("--guarantee", options->guaranteeText, "T if T, or T if M: 3, 4if5")
        ->required()
        ->type_name("T[ifM]")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(CLI::Validator(
            [](std::string& text) {
                return parseGuarantee(text) ? std::string() : "a guarantee is written T or TifM, as 3 or 3if4";
            },
            ""));
    cover->add_option("--seconds", options->seconds, "How long to look for a shorter list, 0 to 3600 (default 10)")
        ->type_name("S")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(CLI::Range(0, 3600).description(""));
    cover->add_option("--seed", options->seed, "The search's seed (default 1): the same seed gives the same search")
        ->type_name("N")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    cover
        ->add_option_function<std::string>(
            "--output", [options](const std::string& given) { options->output = given; },
            "Where the tickets go; - for standard output")
        ->type_name("FILE|-")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    cover->add_flag("--append", options->append, "Add to the output file instead of replacing it");
    cover->add_flag("--numbered", options->numbered, "Number the tickets");
    addGameOption(*cover, options->game, context);
    cover
        ->add_option("--bonus", options->bonusText,
                     "For a game with a bonus pool: the bonus numbers the tickets take in turn, as a list")
        ->type_name("LIST")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);

    cover->footer(wrapText(
        "Without --output the tickets go to " + context.paths.wheelOutput +
        ", where the win checker and the output viewer read them. After the search it prints Tickets: N and "
        "Guarantee: T if M verified (on standard error when the tickets go to standard output). --seconds 0 keeps "
        "the first list proved. With --game the tickets hold the game's count of numbers, and with --bonus each "
        "ticket is written with the picked bonus numbers in turn, so each is on as many tickets as any other, give "
        "or take one.\n"
        "Exit status: 0 on success; 1 when no list can keep the guarantee (a pick of fewer than 6 numbers, T larger "
        "than M, M larger than the pick) or the tickets cannot be written; 2 for a usage error."));

    cover->callback([options] { options->bonus = bonusFromList(options->game.game(), options->bonusText); });
    return Command{cover, [options, context] { return runCover(*options, context); }};
}

} // namespace orvane
