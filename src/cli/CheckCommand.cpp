#include "cli/CheckCommand.h"

#include "cli/CommandLine.h"
#include "cli/GameOption.h"
#include "cli/HelpFormat.h"
#include "core/NumberText.h"
#include "tally/GameWinTally.h"
#include "tally/HistoryCheckText.h"
#include "tally/PrizeTiers.h"
#include "cli/TextTable.h"
#include "tally/TicketFile.h"
#include "tally/WinTally.h"

#include <algorithm>
#include <charconv>

#include <memory>
#include <optional>

namespace orvane {

namespace {

struct CheckOptions {
    GameChoice game;
    std::string winning;
    std::optional<std::string> bonus;
    std::optional<std::string> output;
    std::optional<std::string> history; // a ticket file to check against every past draw
    std::optional<std::size_t> last;    // only the last draws of the history
};

void printNotice(std::FILE* err, const Notice& notice) {
    std::fprintf(err, "%s: %s\n", notice.title.c_str(), notice.text.c_str());
}

// "5,12,23,34,41,49" as a mask of winning numbers: exactly six entries, each
// written in decimal digits (blanks around it allowed) with a value from 1 to
// 49, no two the same. A script's typing error is refused, with what is wrong
// in `problem`, rather than read as some number.
std::optional<std::uint64_t> winningFromList(const std::string& list, std::string& problem) {
    std::array<long long, 6> values{};
    std::array<std::string, 6> entries;
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        std::string entry = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::size_t first = entry.find_first_not_of(" \t");
        const std::size_t last = entry.find_last_not_of(" \t");
        entry = first == std::string::npos ? std::string() : entry.substr(first, last - first + 1);
        if (count < values.size()) {
            const bool digits = !entry.empty() && entry.find_first_not_of("0123456789") == std::string::npos;
            // Nine digits hold any number the range check then refuses.
            values[count] = !digits ? 0 : entry.size() > 9 ? 50 : std::stoll(entry);
            entries[count] = entry;
        }
        ++count;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (count != values.size()) {
        problem = std::to_string(count) + (count == 1 ? " entry" : " entries") +
                  " given; a draw has six winning numbers, as in 5,12,23,34,41,49";
        return std::nullopt;
    }
    const WinningNumbers winning = checkWinningNumbers(values);
    if (winning.ok()) return winning.mask;
    const std::size_t at = winning.fault->index;
    if (winning.fault->kind == WinningNumbersFault::Kind::OutOfRange)
        problem =
            "winning number " + std::to_string(at + 1) + ", \"" + entries[at] + "\", is not a number from 1 to 49";
    else
        problem = "winning number " + std::to_string(at + 1) + " repeats winning number " +
                  std::to_string(winning.fault->earlier + 1) + " (" + std::to_string(values[at]) +
                  "); a draw holds six different numbers";
    return std::nullopt;
}

// `count` different whole numbers from 1 to `highest`, separated by commas.
std::optional<NumberSet> numbersFromList(const std::string& list, int count, int highest, const char* what,
                                         std::string& problem) {
    NumberSet numbers;
    int given = 0;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        std::string entry = list.substr(start, comma - start);
        const std::size_t first = entry.find_first_not_of(" \t");
        entry =
            first == std::string::npos ? std::string() : entry.substr(first, entry.find_last_not_of(" \t") - first + 1);
        int value = 0;
        const auto [end, ec] = std::from_chars(entry.data(), entry.data() + entry.size(), value);
        ++given;
        if (entry.empty() || ec != std::errc() || end != entry.data() + entry.size() || value < 1 || value > highest) {
            problem = "\"" + entry + "\" is not a " + what + " from 1 to " + std::to_string(highest);
            return std::nullopt;
        }
        if (numbers.has(value)) {
            problem = "the " + std::string(what) + " " + std::to_string(value) + " is given twice";
            return std::nullopt;
        }
        numbers.add(value);
        start = comma + 1;
    }
    if (given != count) {
        problem = std::to_string(given) + " given; a draw has " + std::to_string(count) + " of them";
        return std::nullopt;
    }
    return numbers;
}

// Whether what was printed reached standard output; `what` names it in the message.
int flushed(const CommandContext& context, const char* what = "the tallies") {
    if (std::fflush(context.out) != 0 || std::ferror(context.out)) {
        std::fprintf(context.err, "orvane: %s could not be written to standard output\n", what);
        return kExitFailed;
    }
    return kExitSuccess;
}

// Another game: its winning numbers and the bonus drawn, its own output lines.
int runGameCheck(const CheckOptions& options, const CommandContext& context, const Game& game) {
    std::string problem;
    const std::optional<NumberSet> winning =
        numbersFromList(options.winning, game.perTicket(), game.highest(), "winning number", problem);
    if (!winning) {
        std::fprintf(context.err, "orvane: --winning: %s\n", problem.c_str());
        return kExitFailed;
    }
    NumberSet bonus;
    if (options.bonus) {
        const std::optional<NumberSet> drawn =
            numbersFromList(*options.bonus, game.bonusDrawn(), game.bonusPool(), "bonus number", problem);
        if (!drawn) {
            std::fprintf(context.err, "orvane: --bonus: %s\n", problem.c_str());
            return kExitFailed;
        }
        bonus = *drawn;
    }
    const GameWinTally tally = tallyGameFile(options.output.value_or(context.paths.wheelOutput), game, *winning, bonus);
    if (tally.failure) {
        printNotice(context.err, *tally.failure);
        return kExitFailed;
    }
    for (const auto& [label, lines] : hitRows(game, tally, options.bonus.has_value()))
        std::fprintf(context.out, "%s: %llu\n", label.c_str(), static_cast<unsigned long long>(lines));
    // The lines by prize tier, each line in the best tier its match makes; with
    // a bonus pool only once the bonus drawn is known.
    if (game.hasBonusPool() && !options.bonus) return flushed(context);
    for (const auto& [label, lines] : tierRows(game, tally))
        std::fprintf(context.out, "Tier %s: %llu\n", label.c_str(), static_cast<unsigned long long>(lines));
    return flushed(context);
}

// A ticket file against every past draw (or the last ones) of the game's history.
int runHistoryCheck(const CheckOptions& options, const CommandContext& context) {
    const Game game = options.game.game();
    const TicketFileRead tickets = readTicketFile(*options.history, game);
    if (tickets.failure) {
        printNotice(context.err, *tickets.failure);
        return kExitFailed;
    }
    const std::string historyPath = gamePaths(context.paths, game).history;
    PastDraws past = readPastDraws(game, historyPath);
    if (!past.ok()) {
        std::fprintf(context.err, "orvane: %s\n", past.error.c_str());
        return kExitFailed;
    }
    const std::size_t all = past.draws.size();
    keepLastDraws(past.draws, options.last.value_or(0));
    const HistoryCheck check = checkAgainstHistory(game, tickets.lines, past.draws);
    const std::size_t checked = past.draws.size();
    std::string text = game.title() + ": " + *options.history + " (" + formatCount(tickets.lines.size()) +
                       (tickets.lines.size() == 1 ? " line" : " lines") + ") against " +
                       (checked == all ? std::string("every draw") : "the last " + formatCount(checked)) + " of the " +
                       drawsText(all) + " of " + historyPath + "\n";
    std::vector<std::vector<std::string>> rows;
    for (std::size_t d = 0; d < past.draws.size(); ++d)
        rows.push_back({past.draws[d].date, pastDrawText(past.draws[d]),
                        "best: " + bestTierText(game, check.draws[d].bestTier),
                        tierCountsText(game, check.draws[d].lines)});
    text += textTable(rows, "");
    text += "Lines by tier over " + drawsText(checked) + ": " + tierCountsText(game, check.linesByTier) + "\n";
    text += "Draws with a prize: " + formatCount(check.drawsWithPrize) + " of " + formatCount(checked) + "\n";
    std::fwrite(text.data(), 1, text.size(), context.out);
    return flushed(context, "the check");
}

int runCheck(const CheckOptions& options, const CommandContext& context) {
    if (options.history) return runHistoryCheck(options, context);
    if (options.game.otherThanLotto649()) return runGameCheck(options, context, options.game.game());
    std::string problem;
    const std::optional<std::uint64_t> winning = winningFromList(options.winning, problem);
    if (!winning) {
        std::fprintf(context.err, "orvane: --winning: %s\n", problem.c_str());
        return kExitFailed;
    }
    WinTallyJob job(options.output.value_or(context.paths.wheelOutput), *winning);
    job.runToEnd();
    if (job.failure()) {
        printNotice(context.err, *job.failure());
        return kExitFailed;
    }
    const WinTallies& tallies = job.tallies();
    for (std::size_t hits = 0; hits < tallies.size(); ++hits)
        std::fprintf(context.out, "%zu of 6: %llu\n", hits, static_cast<unsigned long long>(tallies[hits]));
    if (std::fflush(context.out) != 0 || std::ferror(context.out)) {
        std::fprintf(context.err, "orvane: the tallies could not be written to standard output\n");
        return kExitFailed;
    }
    return kExitSuccess;
}

} // namespace

Command addCheckCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* check = program.add_subcommand(
        "check", "Count how many sets of a wheel output file hit 0 to 6 of a draw's winning numbers.");
    check->add_option("--winning", options->winning, "The six winning numbers: 5,12,23,34,41,49")
        ->type_name("A,B,C,D,E,F")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    check
        ->add_option_function<std::string>(
            "--output", [options](const std::string& given) { options->output = given; },
            "The wheel output file to check")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    addGameOption(*check, options->game, context);
    check
        ->add_option_function<std::string>(
            "--bonus", [options](const std::string& given) { options->bonus = given; },
            "For a game with a bonus pool: the bonus numbers drawn, as 7 or 3,11")
        ->type_name("LIST")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    check
        ->add_option_function<std::string>(
            "--history", [options](const std::string& given) { options->history = given; },
            "Check the ticket file FILE against every past draw of the game's history, instead of one draw")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    check
        ->add_option_function<std::size_t>(
            "--last", [options](std::size_t given) { options->last = given; }, "With --history: only the last N draws")
        ->type_name("N")
        ->check(CLI::PositiveNumber.description(""))
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    check->callback([options, check] {
        if (options->history && check->count("--winning") > 0)
            throw CLI::ValidationError("--history", "checks every past draw: leave out --winning");
        if (options->history && (options->bonus || options->output))
            throw CLI::ValidationError("--history", "checks the ticket file it names against the history's own draws: "
                                                    "leave out --output and --bonus");
        if (!options->history && check->count("--winning") == 0) throw CLI::RequiredError("--winning");
        if (options->last && !options->history) throw CLI::ValidationError("--last", "needs --history");
        if (options->bonus && !options->game.game().hasBonusPool())
            throw CLI::ValidationError("--bonus", "the game " + options->game.game().title() + " has no bonus pool");
    });
    check->footer(wrapText(
        "Without --output the file checked is " + context.paths.wheelOutput +
        ". Plain set lines and numbered ones (written with --numbered) are read. The six winning numbers are "
        "different numbers from 1 to 49: an entry that is not, or a number given twice, is refused.\n"
        "Prints seven lines, 'K of 6: COUNT' for K from 0 to 6.\n"
        "For another game, --game names it: --winning takes its numbers and --bonus the bonus drawn; the lines "
        "are 'K of N: COUNT', or with --bonus 'K of N + J of B bonus: COUNT', then 'Tier T: COUNT' for each of the "
        "game's prize tiers, each line counted in the best tier its match makes.\n"
        "With --history FILE, the ticket file FILE (a wheel output file or an abbreviated wheel's list) is checked "
        "against every draw of the game's history file (--last N: the last N draws): a line a draw with its date, "
        "its numbers, the best tier any line wins and the lines of each tier, then the lines of each tier over "
        "every draw and the draws with any prize.\n"
        "Exit status: 0 when the file has been checked; 1 for a history or ticket file that cannot be read, winning "
        "numbers that are not six different numbers "
        "from 1 to 49, or an output file that is missing or holds a line that is not a set; 2 for a usage error."));
    return Command{check, [options, context] { return runCheck(*options, context); }};
}

} // namespace orvane
