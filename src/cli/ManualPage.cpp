#include "cli/ManualPage.h"

#include "cli/HelpFormat.h"
#include "core/Version.h"

namespace orvane {

namespace {

// Text as roff shows it: backslashes and hyphens escaped, and a line that
// would start with a control character kept as text.
std::string roff(std::string_view text) {
    std::string escaped;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\'')) escaped += "\\&";
        if (c == '\\')
            escaped += "\\e";
        else if (c == '-')
            escaped += "\\-";
        else
            escaped += c;
        lineStart = c == '\n';
    }
    return escaped;
}

// The paragraphs of a help text, each line of it a line of the page.
std::string paragraphs(std::string_view text) {
    std::string page;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        // A line of the help that is indented (a list) keeps its own line.
        page += line.empty() ? std::string(".PP") : (line.front() == ' ' ? ".br\n" : "") + roff(line);
        page += '\n';
        start = end + 1;
    }
    return page;
}

std::string optionEntry(const CLI::Option& option) {
    std::string name = option.get_positional() ? option.get_name(true) : option.get_name(false, true);
    std::string entry = ".TP\n\\fB" + roff(name) + "\\fR";
    if (const std::string type = option.get_type_name();
        option.get_type_size() != 0 && !type.empty() && !option.get_positional())
        entry += " \\fI" + roff(type) + "\\fR";
    return entry + '\n' + roff(option.get_description()) + '\n';
}

std::string commandSection(const CLI::App& command) {
    std::string section = ".SS \"" + roff(commandPath(command)) + "\"\n";
    section += paragraphs(command.get_description());
    // The usage without its "Usage: ", each continued line moved left as far.
    const std::string lead = "Usage: ";
    std::string usage = usageText(command);
    if (usage.rfind(lead, 0) == 0) usage.erase(0, lead.size());
    for (std::size_t at = usage.find('\n'); at != std::string::npos && at + 1 < usage.size();
         at = usage.find('\n', at + 1))
        if (usage.compare(at + 1, lead.size(), std::string(lead.size(), ' ')) == 0) usage.erase(at + 1, lead.size());
    section += ".PP\n.nf\n" + roff(usage) + ".fi\n";
    for (const CLI::Option* option : command.get_options()) section += optionEntry(*option);
    if (!command.get_footer().empty()) section += ".PP\n" + paragraphs(command.get_footer());
    return section;
}

} // namespace

std::string manualPage(const CLI::App& program) {
    std::string page = ".TH ORVANE 1 \"\" \"orvane " + std::string(kVersionText) + "\" \"User Commands\"\n";
    page += ".SH NAME\norvane \\- wheel lotto numbers through filters, and tools over past draws\n";
    page += ".SH SYNOPSIS\n.B orvane\n.br\n.B orvane\n.I COMMAND\n[\\fIOPTIONS\\fR]\n";
    page += ".SH DESCRIPTION\n" + paragraphs(program.get_description());
    page += ".SH OPTIONS\n";
    for (const CLI::Option* option : program.get_options()) page += optionEntry(*option);
    page += ".SH COMMANDS\n";
    for (const CLI::App* command : program.get_subcommands({})) page += commandSection(*command);
    page += ".SH FILES\n"
            ".TP\n.I ~/Varnel\nThe data folder: the history (FL6\\-49.HIT, and NAME.HIT for another game), the "
            "settings (VNTB.INI, NAME.INI), the wheel output (Wheeled.TB), the pool (Pool.GR) and the user's own "
            "games (MYGAMES.TXT).\n"
            ".TP\n.I /usr/share/orvane\nThe sample history, the manuals, the tips and the catalogue of games "
            "(GAMES.TXT).\n";
    page += ".SH EXIT STATUS\n0 on success, 1 when a file or a check fails, 2 for a usage error.\n";
    return page;
}

} // namespace orvane
