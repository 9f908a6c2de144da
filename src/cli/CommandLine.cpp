#include "cli/CommandLine.h"

#include "cli/BacktestCommand.h"
#include "cli/BashCompletion.h"
#include "cli/CheckCommand.h"
#include "cli/CoverCommand.h"
#include "cli/GamesCommand.h"
#include "cli/Command.h"
#include "cli/HelpFormat.h"
#include "cli/ImportCommand.h"
#include "cli/ManualPage.h"
#include "cli/OddsCommand.h"
#include "cli/PoolCommand.h"
#include "cli/RecordCommand.h"
#include "cli/ReportCommand.h"
#include "cli/WheelCommand.h"
#include "core/Version.h"

#include <exception>
#include <memory>
#include <sstream>

namespace orvane {

namespace {

// The commands, in the order the help lists them. A new command is a file of its
// own and one line here.
constexpr AddCommand kCommands[] = {
    addWheelCommand, addRecordCommand,   addImportCommand, addCheckCommand, addReportCommand,
    addPoolCommand,  addBacktestCommand, addCoverCommand,  addOddsCommand,  addGamesCommand,
};

const std::string kVersionLine = std::string("orvane ") + kVersionText;

// The command a usage error concerns: the one given, else the program itself.
const CLI::App& commandGiven(const CLI::App& program) {
    const std::vector<CLI::App*> given = program.get_subcommands();
    return given.empty() ? program : *given.front();
}

// "orvane: what went wrong", the usage of the command concerned, and where to
// read more.
std::string usageFailure(const CLI::App* program, const CLI::Error& error) {
    const CLI::App& command = commandGiven(*program);
    return "orvane: " + std::string(error.what()) + '\n' + usageText(command) + "Run '" + commandPath(command) +
           " --help' for more information.\n";
}

// CLI11 keeps what it did not recognise; any of it is a usage error. Names the
// first such argument.
void rejectLeftovers(const CLI::App& program) {
    const std::vector<std::string> leftovers = program.remaining(true);
    const bool commandGivenAtAll = !program.get_subcommands().empty();
    if (leftovers.empty()) {
        if (!commandGivenAtAll) throw CLI::RequiredError("no command given", CLI::ExitCodes::RequiredError);
        return;
    }
    const std::string& first = leftovers.front();
    if (first.size() > 1 && first[0] == '-')
        throw CLI::ExtrasError("unknown option '" + first + "'", CLI::ExitCodes::ExtrasError);
    if (!commandGivenAtAll) throw CLI::ExtrasError("unknown command '" + first + "'", CLI::ExitCodes::ExtrasError);
    throw CLI::ExtrasError("unexpected argument '" + first + "'", CLI::ExitCodes::ExtrasError);
}

} // namespace

int runCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, const DataPaths& paths) {
    const CommandContext context{out, err, paths};

    CLI::App program("Orvane wheels a pool of 6/49 lotto numbers through filters. Started without arguments it "
                     "opens its windows; given a command it runs headless.",
                     "orvane");
    program.formatter(std::make_shared<HelpFormatter>());
    program.failure_message(usageFailure);
    program.footer(wrapText("Run 'orvane COMMAND --help' for the options of a command."));
    program.set_version_flag("--version", kVersionLine);
    // Unrecognised arguments are collected rather than thrown, so that the error
    // can say what was not understood (see rejectLeftovers); commands added
    // below inherit this.
    program.allow_extras();
    program.require_subcommand(0, 1);

    std::vector<Command> commands;
    for (AddCommand add : kCommands) {
        Command command = add(program, context);
        command.app->group("Commands");
        command.app->set_version_flag("--version", kVersionLine);
        commands.push_back(std::move(command));
    }

    // The manual page and the bash completion are made from these commands when
    // the program is built; they are no commands a user types.
    if (args.size() == 1 && (args[0] == "--manual-page" || args[0] == "--bash-completion")) {
        const std::string text =
            args[0] == "--manual-page" ? manualPage(program) : bashCompletion(program, reportCaptions());
        std::fputs(text.c_str(), out);
        return std::fflush(out) == 0 ? kExitSuccess : kExitFailed;
    }

    try {
        // CLI11 takes the arguments last first.
        program.parse(std::vector<std::string>(args.rbegin(), args.rend()));
        rejectLeftovers(program);
    } catch (const CLI::ParseError& error) {
        // Help and the version are "errors" with status 0 that go to `out`; the
        // rest are usage errors, whatever CLI11's own status for them.
        std::ostringstream toOut, toErr;
        const int status = program.exit(error, toOut, toErr);
        std::fputs(toOut.str().c_str(), out);
        std::fputs(toErr.str().c_str(), err);
        std::fflush(out);
        std::fflush(err);
        return status == 0 ? kExitSuccess : kExitUsage;
    }

    for (const Command& command : commands) {
        if (!command.app->parsed()) continue;
        try {
            return command.run();
        } catch (const std::exception& error) {
            std::fprintf(err, "orvane: %s\n", error.what());
            return kExitFailed;
        }
    }
    return kExitUsage; // not reached: rejectLeftovers insists on a command
}

} // namespace orvane
