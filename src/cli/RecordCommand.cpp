#include "cli/RecordCommand.h"

#include "cli/CommandLine.h"
#include "cli/GameOption.h"
#include "cli/HelpFormat.h"
#include "core/DataPaths.h"
#include "history/DrawEntry.h"
#include "history/DrawRecording.h"
#include "history/GameDrawRecording.h"

#include <charconv>
#include <filesystem>
#include <memory>
#include <optional>

namespace orvane {

namespace {

struct RecordOptions {
    GameChoice game;
    std::optional<std::string> history;
    DrawEntryTexts texts;
    std::vector<std::string> more; // another game's numbers after the sixth
};

// The values in the order of the record, with their help.
struct Value {
    const char* name;
    const char* help;
};
constexpr Value kValues[kEntryBoxCount] = {
    {"MM", "Month of the draw, 01 to 12"},   {"DD", "Day of the draw, 01 to 31"},
    {"YY", "Year of the draw, two digits"},  {"A", "A number of the draw, 01 to 49"},
    {"B", "A number of the draw, 01 to 49"}, {"C", "A number of the draw, 01 to 49"},
    {"D", "A number of the draw, 01 to 49"}, {"E", "A number of the draw, 01 to 49"},
    {"F", "A number of the draw, 01 to 49"},
};

bool readWhole(const std::string& text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

// A draw of another game: the date as MM DD YY (or a four-digit year), then
// its k numbers and its bonus numbers, each a whole number.
int runGameRecord(const RecordOptions& options, const CommandContext& context, const Game& game) {
    std::vector<std::string> numbers;
    for (std::size_t i = static_cast<std::size_t>(EntryBox::A); i < kEntryBoxCount; ++i)
        if (!options.texts[i].empty()) numbers.push_back(options.texts[i]);
    numbers.insert(numbers.end(), options.more.begin(), options.more.end());
    const auto wanted = static_cast<std::size_t>(game.perTicket()) + static_cast<std::size_t>(game.bonusDrawn());
    if (numbers.size() != wanted) {
        std::fprintf(context.err, "orvane: a draw of %s holds %zu numbers%s, and %zu were given\n",
                     game.title().c_str(), wanted, game.hasBonusPool() ? " (the bonus numbers last)" : "",
                     numbers.size());
        return kExitUsage;
    }
    GameDraw draw;
    const std::string& yearText = options.texts[static_cast<std::size_t>(EntryBox::Year)];
    bool readable = readWhole(options.texts[static_cast<std::size_t>(EntryBox::Month)], draw.month) &&
                    readWhole(options.texts[static_cast<std::size_t>(EntryBox::Day)], draw.day) &&
                    (yearText.size() == 2 || yearText.size() == 4) && readWhole(yearText, draw.year);
    if (yearText.size() == 2) draw.year += draw.year >= 50 ? 1900 : 2000;
    for (std::size_t i = 0; i < numbers.size() && readable; ++i) {
        int n = 0;
        readable = readWhole(numbers[i], n);
        (i < static_cast<std::size_t>(game.perTicket()) ? draw.numbers : draw.bonus).push_back(n);
    }
    if (!readable) {
        std::fprintf(context.err, "orvane: the date and the numbers of a draw are whole numbers: MM DD YY (or "
                                  "YYYY), then the numbers\n");
        return kExitUsage;
    }
    std::string path;
    if (options.history) {
        path = *options.history;
    } else {
        std::error_code ignored; // the data folder is made for the game's first draw
        std::filesystem::create_directories(context.paths.folder, ignored);
        path = gamePaths(context.paths, game).history;
    }
    const DrawRecording recording = recordGameDraw(path, game, std::move(draw));
    if (!recording.ok()) {
        std::fprintf(context.err, "%s\n", recording.error.c_str());
        return kExitFailed;
    }
    return kExitSuccess;
}

int runRecord(const RecordOptions& options, const CommandContext& context) {
    if (options.game.otherThanLotto649()) return runGameRecord(options, context, options.game.game());
    const DrawEntryCheck check = checkDrawEntry(options.texts);
    if (!check.ok()) {
        std::fprintf(context.err, "%s\n", check.failure->text.c_str());
        return kExitFailed;
    }
    const std::string path = options.history.value_or(context.paths.history);
    const DrawRecording recording = recordDraw(path, check.draw);
    if (!recording.ok()) {
        std::fprintf(context.err, "%s\n", recording.error.c_str());
        return kExitFailed;
    }
    return kExitSuccess;
}

} // namespace

Command addRecordCommand(CLI::App& program, const CommandContext& context) {
    auto options = std::make_shared<RecordOptions>();
    CLI::App* record = program.add_subcommand(
        "record", "Check a new draw as the history update window does and record it in the history file.");

    record
        ->add_option_function<std::string>(
            "--history", [options](const std::string& given) { options->history = given; },
            "The history file to record the draw in")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    std::vector<CLI::Option*> numbers;
    for (std::size_t i = 0; i < kEntryBoxCount; ++i) {
        CLI::Option* value =
            record->add_option(kValues[i].name, options->texts[i], kValues[i].help)->required()->type_name("");
        if (i >= static_cast<std::size_t>(EntryBox::A)) numbers.push_back(value);
    }
    record->add_option("MORE", options->more, "For another game: its numbers after the sixth, then its bonus numbers")
        ->type_name("");
    // Another game's draw holds its own count of numbers, checked once they are read.
    addGameOption(*record, options->game, context, [numbers](const Game& game) {
        for (CLI::Option* number : numbers) number->required(game.isLotto649());
    });
    record->callback([options] {
        if (!options->game.otherThanLotto649() && !options->more.empty())
            throw CLI::ExtrasError("unexpected argument '" + options->more.front() + "'", CLI::ExitCodes::ExtrasError);
    });

    record->footer(wrapText(
        "Every value is two digits (03, not 3), and the date a calendar date. The numbers may be given in any "
        "order and are recorded smallest first. A draw later than the history's last is added at its end, an "
        "earlier one in date order among the draws; a date the history holds already is refused. The checks "
        "stop at the first failure, whose message is printed on standard error, and nothing is written. "
        "Without --history the history is " +
        context.paths.history +
        ".\n"
        "For another game, --game names it: the date as MM DD YY (or a four-digit year), then the draw's numbers and "
        "its bonus numbers, recorded in that game's history file in " +
        context.paths.folder +
        " unless --history names another.\n"
        "Exit status: 0 when the draw is recorded, 1 when a check fails, the date is recorded already or the "
        "history cannot be read or written, 2 for a usage error."));

    return Command{record, [options, context] { return runRecord(*options, context); }};
}

} // namespace orvane
