#include "cli/GamesCommand.h"

#include "cli/CommandLine.h"
#include "cli/HelpFormat.h"
#include "core/GameCatalogue.h"

#include <string>

namespace orvane {

namespace {

std::string paddedTo(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// "Powerball        5/69+1/26   5 + 1 numbers a line   jackpot 1 in 292,201,338"
std::string listedGame(const Game& game) {
    std::string numbers = std::to_string(game.perTicket());
    if (game.hasBonusPool()) numbers += " + " + std::to_string(game.bonusDrawn());
    numbers += " numbers a line";
    if (game.extraBall()) numbers += ", extra ball";
    std::string line = paddedTo(game.name(), 16) + "  " + paddedTo(game.matrix(), 10) + "  " + paddedTo(numbers, 31) +
                       "  jackpot 1 in " + oneInText(game.jackpotOdds());
    return line + "\n";
}

int runGamesCommand(const CommandContext& context) {
    std::string text;
    for (const Game& game : catalogueGames()) text += listedGame(game);
    const GameList own = readOwnGames(context.paths);
    if (!own.games.empty()) {
        text += "\nYour own games (" + ownGamesPath(context.paths) + "):\n";
        for (const Game& game : own.games) text += listedGame(game);
    }
    std::fwrite(text.data(), 1, text.size(), context.out);
    for (const std::string& problem : own.problems) std::fprintf(context.err, "orvane: %s\n", problem.c_str());
    if (std::fflush(context.out) != 0 || std::ferror(context.out)) {
        std::fprintf(context.err, "orvane: the games could not be written to standard output\n");
        return kExitFailed;
    }
    return own.problems.empty() ? kExitSuccess : kExitFailed;
}

} // namespace

Command addGamesCommand(CLI::App& program, const CommandContext& context) {
    CLI::App* command = program.add_subcommand("games", "List the lotto games Orvane knows by name.");
    command->footer(wrapText(
        "Prints a game a line: its name, its matrix (K/N, or K/N+B/M with a separate bonus pool), the numbers of a "
        "line, and the odds of the top prize for one line. Your own games come from " +
        ownGamesPath(context.paths) +
        ", in the form of the catalogue: a game a line, \"name | matrix | extra | tiers\", such as \"Pick 5 | 5/35 | "
        "| 5, 4, 3\". A game can also be named by its matrix alone.\n"
        "Exit status: 0 when every game was read, 1 when a line of your own games could not be (it is named)."));
    return Command{command, [context] { return runGamesCommand(context); }};
}

} // namespace orvane
