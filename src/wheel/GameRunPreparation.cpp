#include "wheel/GameRunPreparation.h"

#include "core/NumberText.h"
#include "history/GameHistory.h"
#include "wheel/RunPreparation.h"

#include <algorithm>

namespace orvane {

std::optional<Notice> readGameRunTables(const FilterControls& controls, const Game& game,
                                        const std::string& historyPath, GameRunTables& tables) {
    const TablesNeeded needed = tablesNeeded(controls, game);
    if (!needed.any()) return std::nullopt;

    const GameHistoryRead read = readGameHistory(game, historyPath);
    if (!read.ok()) return historyNotice(read.error);
    if (needed.lastDraw && read.draws.empty()) return noLastDrawNotice(historyPath);
    tables = gameRunTablesBefore(needed, read.draws, read.draws.size());
    return std::nullopt;
}

GameRunTables gameRunTablesBefore(const TablesNeeded& needed, const std::vector<GameDraw>& draws, std::size_t end) {
    GameRunTables tables;
    end = std::min(end, draws.size());
    if (needed.lastDraw && end > 0) tables.lastDraw = draws[end - 1].numbers;
    if (needed.signatures) {
        // With fewer than 25 draws only the signatures that exist are compared.
        for (std::size_t i = end > 25 ? end - 25 : 0; i < end; ++i)
            tables.forbiddenSignatures.set(evensSignatureOf(draws[i].numbers));
    }
    if (needed.pastDraws)
        for (std::size_t i = 0; i < end; ++i) {
            NumberSet numbers;
            for (int n : draws[i].numbers) numbers.add(n);
            tables.pastDraws.push_back(numbers);
        }
    if (needed.lastFifteenSums)
        for (std::size_t i = end > 15 ? end - 15 : 0; i < end; ++i) {
            int sum = 0;
            for (int n : draws[i].numbers) sum += n;
            tables.lastFifteenSums.push_back(sum);
        }
    return tables;
}

std::vector<int> gamePickWithExactValues(const std::vector<int>& pick, const FilterControls& controls,
                                         const Game& game) {
    if (!isChecked(controls.enableExactValues)) return pick;
    NumberSet numbers;
    for (int n : pick) numbers.add(n);
    for (const auto& position : controls.exactValues)
        for (const std::string& box : position) {
            const double v = numberInBox(box);
            if (v >= 1 && v <= game.highest() && v == static_cast<int>(v)) numbers.add(static_cast<int>(v));
        }
    std::vector<int> extended;
    numbers.forEach([&extended](int n) { extended.push_back(n); });
    return extended;
}

} // namespace orvane
