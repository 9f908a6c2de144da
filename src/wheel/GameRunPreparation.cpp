#include "wheel/GameRunPreparation.h"

#include "core/NumberText.h"
#include "history/GameHistory.h"
#include "wheel/RunPreparation.h"

namespace orvane {

std::optional<Notice> readGameRunTables(const FilterControls& controls, const Game& game,
                                        const std::string& historyPath, GameRunTables& tables) {
    const TablesNeeded needed = tablesNeeded(controls, game);
    if (!needed.any()) return std::nullopt;

    const GameHistoryRead read = readGameHistory(game, historyPath);
    if (!read.ok()) return historyNotice(read.error);
    if (needed.lastDraw) {
        if (read.draws.empty()) return noLastDrawNotice(historyPath);
        tables.lastDraw = read.draws.back().numbers;
    }
    if (needed.signatures) {
        // With fewer than 25 draws only the signatures that exist are compared.
        const std::size_t first = read.draws.size() > 25 ? read.draws.size() - 25 : 0;
        for (std::size_t i = first; i < read.draws.size(); ++i)
            tables.forbiddenSignatures.set(evensSignatureOf(read.draws[i].numbers));
    }
    if (needed.pastDraws)
        for (const GameDraw& draw : read.draws) {
            NumberSet numbers;
            for (int n : draw.numbers) numbers.add(n);
            tables.pastDraws.push_back(numbers);
        }
    if (needed.lastFifteenSums) {
        const std::size_t first = read.draws.size() > 15 ? read.draws.size() - 15 : 0;
        for (std::size_t i = first; i < read.draws.size(); ++i) {
            int sum = 0;
            for (int n : read.draws[i].numbers) sum += n;
            tables.lastFifteenSums.push_back(sum);
        }
    }
    return std::nullopt;
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
