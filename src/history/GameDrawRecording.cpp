#include "history/GameDrawRecording.h"

#include "core/AtomicFile.h"
#include "core/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace orvane {

namespace {

DrawRecording refusedWith(DrawRecording::Outcome outcome, std::string error) {
    DrawRecording recording;
    recording.outcome = outcome;
    recording.error = std::move(error);
    return recording;
}

std::string dateOfLine(const GameDraw& draw) {
    const std::string line = gameHistoryLine(draw);
    return line.substr(0, line.find(' '));
}

std::string countProblem(const Game& game, const GameDraw& draw) {
    const auto counted = [](std::size_t given, int wanted, const char* what) {
        return "A draw has " + std::to_string(wanted) + " " + what + "; " + std::to_string(given) + " given.";
    };
    if (draw.numbers.size() != static_cast<std::size_t>(game.perTicket()))
        return counted(draw.numbers.size(), game.perTicket(), "numbers");
    if (draw.bonus.size() != static_cast<std::size_t>(game.bonusDrawn()))
        return counted(draw.bonus.size(), game.bonusDrawn(), game.bonusDrawn() == 1 ? "bonus number" : "bonus numbers");
    return {};
}

} // namespace

DrawRecording recordGameDraw(const std::string& path, const Game& game, GameDraw draw) {
    using Outcome = DrawRecording::Outcome;
    if (const std::string problem = countProblem(game, draw); !problem.empty())
        return refusedWith(Outcome::Failed, problem + " The draw was not recorded.");
    if (const std::optional<std::string> problem = drawProblem(game, draw))
        return refusedWith(Outcome::Failed, "The draw holds " + *problem + ". The draw was not recorded.");
    std::sort(draw.numbers.begin(), draw.numbers.end());
    std::sort(draw.bonus.begin(), draw.bonus.end());

    std::string text;
    if (const int error = readFileBytes(path, text); error != 0 && error != ENOENT)
        return refusedWith(Outcome::Failed, "The history file " + path + " could not be read (" + std::strerror(error) +
                                                "). The draw was not recorded.");
    const GameHistoryRead history = readGameHistoryText(text, game, path);
    if (!history.ok()) return refusedWith(Outcome::Failed, history.error + " The draw was not recorded.");

    // After the last draw dated before it.
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < history.draws.size(); ++i) {
        const GameDraw& recorded = history.draws[i];
        if (!drawnBefore(recorded, draw) && !drawnBefore(draw, recorded)) {
            GameDraw sorted = recorded;
            std::sort(sorted.numbers.begin(), sorted.numbers.end());
            std::sort(sorted.bonus.begin(), sorted.bonus.end());
            std::string recordedLine = gameHistoryLine(recorded);
            recordedLine.resize(recordedLine.size() - 2);
            const std::string where =
                ", on line " +
                std::to_string(
                    std::count(text.begin(), text.begin() + static_cast<long>(history.places[i].first), '\n') + 1) +
                " of " + path;
            if (sorted.numbers == draw.numbers && sorted.bonus == draw.bonus)
                return refusedWith(Outcome::AlreadyRecorded,
                                   "The draw of " + dateOfLine(draw) + " is already recorded" + where + ".");
            std::string taken = "The history already holds another draw of " + dateOfLine(draw);
            taken += where;
            taken += ": ";
            taken += recordedLine;
            taken += ". The draw was not recorded.";
            return refusedWith(Outcome::DateTaken, std::move(taken));
        }
        if (drawnBefore(recorded, draw)) insertAt = history.places[i].second;
    }
    // The draw whose line the new one goes before, if any.
    std::optional<std::size_t> laterDraw;
    for (std::size_t i = 0; i < history.places.size() && !laterDraw; ++i)
        if (history.places[i].first >= insertAt) laterDraw = i;
    std::string line = gameHistoryLine(draw);
    // A last line left without its end gets one before the new draw follows it.
    if (insertAt == text.size() && !text.empty() && text.back() != '\n') line.insert(0, "\r\n");
    text.insert(insertAt, line);
    if (const std::optional<std::string> reason = writeFileAtomically(path, text))
        return refusedWith(Outcome::Failed, "The history file " + path + " could not be written (" + *reason +
                                                "). The draw was not recorded.");
    DrawRecording recording;
    if (laterDraw) recording.placedBefore = dateOfLine(history.draws[*laterDraw]);
    return recording;
}

} // namespace orvane
