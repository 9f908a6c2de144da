#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <string_view>

namespace orvane {

// Help pages are laid out for this many columns.
inline constexpr std::size_t kHelpWidth = 80;

// Breaks `text` into lines of at most kHelpWidth columns at its spaces; every
// line after the first starts with `indent` spaces.
std::string wrapText(std::string_view text, std::size_t indent = 0);

// The command's full name ("orvane wheel").
std::string commandPath(const CLI::App& command);

// "Usage: orvane wheel --pick LIST [--settings FILE] ...": the command's
// options in the order declared, required ones bare, optional ones in
// brackets, repeatable ones followed by "...". --help and --version, which
// every command has, are left to the option list.
std::string usageText(const CLI::App& command);

// The help page layout: a description paragraph, the usage above, the options
// and the commands in two columns with their descriptions wrapped, and the footer.
class HelpFormatter final : public CLI::Formatter {
public:
    HelpFormatter();
    std::string make_description(const CLI::App* app) const override;
    std::string make_usage(const CLI::App* app, std::string name) const override;
    std::string make_option(const CLI::Option* option, bool positional) const override;
    std::string make_subcommand(const CLI::App* command) const override;

private:
    // One line of a list: the name, then its description from the second column.
    std::string entry(const std::string& name, std::string_view description) const;
};

} // namespace orvane
