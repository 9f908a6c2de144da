#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

using namespace orvane;

namespace {

// Text with roff's escapes and requests taken out and every run of blanks one
// blank: what a reader of the page sees, up to the layout.
std::string plainOfRoff(const std::string& page) {
    std::string text;
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(".SS ", 0) == 0)
            line = line.substr(4);
        else if (line.rfind(".TP", 0) == 0 || line == ".PP" || line == ".br" || line == ".nf" || line == ".fi")
            line.clear();
        text += line + ' ';
    }
    text = std::regex_replace(text, std::regex(R"(\\f[BIR])"), "");
    text = std::regex_replace(text, std::regex(R"(\\&)"), "");
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
    text = std::regex_replace(text, std::regex(R"(\\e)"), "\\");
    return std::regex_replace(text, std::regex(R"(\s+)"), " ");
}

std::string collapsed(const std::string& text) { return std::regex_replace(text, std::regex(R"(\s+)"), " "); }

// The entries of a help page's Positionals and Options lists: the first word
// of the name, and the description with its wrapped lines joined; then the
// footer below the lists.
struct HelpPage {
    std::vector<std::pair<std::string, std::string>> entries;
    std::string footer;
};

HelpPage parsedHelp(const std::string& help) {
    HelpPage page;
    std::istringstream lines(help);
    bool inLists = false;
    bool afterLists = false;
    const std::regex entry(R"(^  (\S+)(?:.*?\S)?(?:\s{2,}(\S.*))?$)");
    const std::regex continued(R"(^\s{20,}(\S.*)$)");
    for (std::string line; std::getline(lines, line);) {
        if (line == "Positionals:" || line == "Options:") {
            inLists = true;
            continue;
        }
        std::smatch match;
        if (inLists && std::regex_match(line, match, continued) && !page.entries.empty()) {
            page.entries.back().second += ' ' + match[1].str();
        } else if (inLists && std::regex_match(line, match, entry)) {
            page.entries.emplace_back(match[1].str(), match[2].str());
        } else if (inLists && line.empty()) {
            afterLists = true;
        } else if (afterLists && line != "Positionals:" && line != "Options:") {
            inLists = false;
            page.footer += line + '\n';
        }
    }
    return page;
}

} // namespace

// The manual page is made from the commands the --help pages show: each
// command has its section, and each option its name and its help text there,
// as does each command's footer.
TEST(ManualPage, HoldsEveryCommandAndOptionWithItsHelpText) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    const CliRun manual = runCli({"--manual-page"}, paths);
    ASSERT_EQ(manual.status, kExitSuccess);
    EXPECT_EQ(manual.out.rfind(".TH ORVANE 1 ", 0), 0u);
    const std::string page = plainOfRoff(manual.out);

    const CliRun overall = runCli({"--help"}, paths);
    std::vector<std::string> commands;
    const std::regex commandLine(R"(^  ([a-z]+)\s{2,}\S.*$)");
    std::istringstream lines(overall.out);
    bool inCommands = false;
    for (std::string line; std::getline(lines, line);) {
        if (line == "Commands:") inCommands = true;
        std::smatch match;
        if (inCommands && std::regex_match(line, match, commandLine)) commands.push_back(match[1].str());
    }
    ASSERT_EQ(commands.size(), 10u);

    for (std::size_t c = 0; c < commands.size(); ++c) {
        const std::string heading = "\"orvane " + commands[c] + "\"";
        const std::size_t start = page.find(heading);
        ASSERT_NE(start, std::string::npos) << commands[c];
        const std::size_t end = c + 1 < commands.size() ? page.find("\"orvane " + commands[c + 1] + "\"") : page.size();
        const std::string section = page.substr(start, end - start);
        const CliRun help = runCli({commands[c], "--help"}, paths);
        const HelpPage parsed = parsedHelp(help.out);
        EXPECT_GE(parsed.entries.size(), 2u) << commands[c]; // --help and --version at least
        if (commands[c] == "wheel") {
            ASSERT_GE(parsed.entries.size(), 3u);
            EXPECT_EQ(parsed.entries[1].first, "--pick");
            EXPECT_EQ(parsed.entries[1].second, "The numbers to wheel, as numbers and ranges: 1-12,17,33");
        }
        for (const auto& [name, description] : parsed.entries) {
            EXPECT_NE(section.find(name), std::string::npos) << commands[c] << ": " << name;
            EXPECT_NE(section.find(collapsed(description)), std::string::npos) << commands[c] << ": " << description;
        }
        EXPECT_NE(section.find(collapsed(parsed.footer).substr(0, 200)), std::string::npos) << commands[c];
    }
}

// The completion offers the commands, each command's options and the report captions.
TEST(BashCompletion, OffersTheCommandsTheirOptionsAndTheCaptions) {
    TempFolder folder;
    const CliRun completion = runCli({"--bash-completion"}, dataPathsIn(folder.file("Varnel")));
    ASSERT_EQ(completion.status, kExitSuccess);
    for (const char* expected : {"wheel record import check report pool backtest cover odds games", "--pick",
                                 "--tickets", "\\nSkip/Hit Report'", "complete -F _orvane orvane"})
        EXPECT_NE(completion.out.find(expected), std::string::npos) << expected;
}
