#include "cli/HelpFormat.h"

#include <algorithm>
#include <vector>

namespace orvane {

namespace {

// Lays `pieces` out separated by spaces, starting a new line indented by
// `indent` before a piece that would run past kHelpWidth. `column` is where the
// first piece starts. A piece is never split.
std::string layOut(const std::vector<std::string>& pieces, std::size_t column, std::size_t indent) {
    std::string text;
    bool lineEmpty = true;
    for (const std::string& piece : pieces) {
        if (!lineEmpty && column + 1 + piece.size() > kHelpWidth) {
            text += '\n' + std::string(indent, ' ');
            column = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            text += ' ';
            ++column;
        }
        text += piece;
        column += piece.size();
        lineEmpty = false;
    }
    return text;
}

std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> found;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        if (end > start) found.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    return found;
}

std::string usageText(const CLI::App& command, const std::string& name) {
    std::vector<std::string> items;
    for (const CLI::Option* option : command.get_options()) {
        if (option == command.get_help_ptr() || option == command.get_version_ptr()) continue;
        std::string item = option->get_name();
        if (const std::string type = option->get_type_name(); option->get_type_size() != 0 && !type.empty())
            item.append(1, ' ').append(type);
        if (!option->get_required()) item.insert(0, 1, '[').push_back(']');
        if (option->get_expected_max() > 1) item += "...";
        items.push_back(std::move(item));
    }
    if (!command.get_subcommands({}).empty()) items.emplace_back("COMMAND [OPTIONS]");
    const std::string lead = "Usage: " + name;
    return lead + ' ' + layOut(items, lead.size() + 1, lead.size() + 1) + '\n';
}

} // namespace

std::string wrapText(std::string_view text, std::size_t indent) {
    std::string wrapped;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (start > 0) wrapped += '\n';
        wrapped += layOut(words(text.substr(start, end - start)), 0, indent);
        start = end + 1;
    }
    return wrapped;
}

std::string commandPath(const CLI::App& command) {
    std::string path = command.get_name();
    for (const CLI::App* parent = command.get_parent(); parent; parent = parent->get_parent())
        path.insert(0, parent->get_name() + ' ');
    return path;
}

std::string usageText(const CLI::App& command) { return usageText(command, commandPath(command)); }

HelpFormatter::HelpFormatter() { column_width(24); }

std::string HelpFormatter::make_description(const CLI::App* app) const {
    const std::string description = app->get_description();
    return description.empty() ? std::string() : wrapText(description) + "\n\n";
}

std::string HelpFormatter::make_usage(const CLI::App* app, std::string name) const { return usageText(*app, name); }

std::string HelpFormatter::make_option(const CLI::Option* option, bool positional) const {
    return entry(make_option_name(option, positional) + make_option_opts(option), make_option_desc(option));
}

std::string HelpFormatter::make_subcommand(const CLI::App* command) const {
    return entry(command->get_name(), command->get_description());
}

std::string HelpFormatter::entry(const std::string& name, std::string_view description) const {
    std::string left = "  " + name;
    if (left.size() < column_width_)
        left.resize(column_width_, ' ');
    else
        left += '\n' + std::string(column_width_, ' ');
    return left + layOut(words(description), column_width_, column_width_) + '\n';
}

} // namespace orvane
