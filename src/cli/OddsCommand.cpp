#include "cli/OddsCommand.h"

#include "cli/CommandLine.h"
#include "cli/GameOption.h"
#include "cli/HelpFormat.h"
#include "tally/OddsReport.h"
#include "cli/TextTable.h"
#include "tally/TicketFile.h"

#include <memory>
#include <optional>

namespace orvane {

namespace {

struct OddsOptions {
    GameChoice game;
    std::optional<std::string> tickets;
};

std::string oddsText(const Game& game) {
    std::vector<std::vector<std::string>> rows;
    for (const OddsRow& row : tierOddsRows(game)) rows.push_back({row.tier, row.ways, row.oneIn});
    return "Odds of one ticket in " + game.title() + ", of every possible draw:\n" + textTable(rows);
}

std::string coverageText(const Game& game, const CoverageJob& job, const std::string& path, std::size_t lines) {
    std::vector<std::vector<std::string>> coverage;
    for (const CoverageRow& row : coverageRows(game, job))
        coverage.push_back({row.tier, row.draws, row.share, row.oneIn});
    std::string text = "\nCoverage of " + path + " (" + std::to_string(lines) + (lines == 1 ? " line" : " lines") +
                       ") over every possible draw:\n" + textTable(coverage);
    std::vector<std::vector<std::string>> guarantee = {{"Drawn in the pool", "Least best match", "Typical best match"}};
    for (const GuaranteeTableRow& row : guaranteeRows(game, job))
        guarantee.push_back({row.drawnInPool, row.least, row.typical});
    text +=
        "\nGuarantee of the file's pool of " + std::to_string(job.pool().size()) + " numbers:\n" + textTable(guarantee);
    return text;
}

int runOdds(const OddsOptions& options, const CommandContext& context) {
    const Game game = options.game.game();
    std::string text = oddsText(game);
    if (options.tickets) {
        TicketFileRead read = readTicketFile(*options.tickets, game);
        if (read.failure) {
            std::fprintf(context.err, "%s: %s\n", read.failure->title.c_str(), read.failure->text.c_str());
            return kExitFailed;
        }
        if (const std::optional<std::string> why = CoverageJob::refusal(game, read.lines.size())) {
            std::fprintf(context.err, "orvane: the coverage of %s cannot be counted: %s\n", options.tickets->c_str(),
                         why->c_str());
            return kExitFailed;
        }
        const std::size_t lines = read.lines.size();
        CoverageJob job(game, std::move(read.lines));
        job.runToEnd();
        text += coverageText(game, job, *options.tickets, lines);
    }
    std::fwrite(text.data(), 1, text.size(), context.out);
    if (std::fflush(context.out) != 0 || std::ferror(context.out)) {
        std::fprintf(context.err, "orvane: the odds could not be written to standard output\n");
        return kExitFailed;
    }
    return kExitSuccess;
}

} // namespace

Command addOddsCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<OddsOptions>();
    CLI::App* odds = program.add_subcommand(
        "odds", "Show the odds of every prize tier, and how much of every draw a ticket file covers.");
    addGameOption(*odds, options->game, context);
    odds->add_option_function<std::string>(
            "--tickets", [options](const std::string& given) { options->tickets = given; },
            "A ticket file of the game (a wheel output file or an abbreviated wheel's list) to count over every draw")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    odds->footer(wrapText(
        "Prints, for each prize tier, in how many of the possible draws one ticket wins it, and that as \"1 in N\". "
        "A ticket wins the best tier its match makes, so the tiers' draws add up to those of any prize.\n"
        "With --tickets, every possible draw of the game is counted, not sampled: for each tier the draws in which "
        "the file wins that tier or better, and the guarantee table of the numbers the file uses. For each count "
        "of the drawn numbers in that pool, it gives the least best match of the file over every such draw (what "
        "the file guarantees) and the best match of most of them. No choice of tickets changes the odds of a "
        "single ticket; a file covers more draws only by holding more lines.\n"
        "Exit status: 0 when the odds have been shown; 1 for a ticket file that is missing, holds a line that is "
        "not a line of the game, or holds no lines or more than " +
        std::to_string(CoverageJob::kMostLines) + "; 2 for a usage error."));
    return Command{odds, [options, context] { return runOdds(*options, context); }};
}

} // namespace orvane
