#include "wheel/RunPreparation.h"

#include "checks/FilterChecks.h"
#include "core/NumberText.h"
#include "wheel/SumLimits.h"

namespace orvane {

std::vector<Notice> normaliseForRun(FilterControls& controls, const Game& game) {
    const long long everyNumber = game.perTicket();
    for (std::string& box : controls.ones) box = std::to_string(std::min(wholeNumberValue(box), everyNumber));
    controls.maxDif = std::to_string(wholeNumberValue(controls.maxDif));
    for (std::string& box : controls.tens) {
        if (box.empty()) box = std::to_string(everyNumber);
        const double value = numberInBox(box);
        if (value < 0 || value > static_cast<double>(everyNumber)) box = std::to_string(everyNumber);
        box = std::to_string(wholeNumberValue(box));
    }
    SumLimitCheck sums = checkSumLimits(controls.minSum, controls.maxSum, game);
    controls.minSum = sums.minSumText;
    controls.maxSum = sums.maxSumText;
    return sums.notices;
}

std::vector<int> pickWithExactValues(const std::vector<int>& pick, const FilterControls& controls) {
    if (!isChecked(controls.enableExactValues)) return pick;
    std::array<bool, 50> selected{};
    for (int n : pick) selected[n] = true;
    for (const auto& position : controls.exactValues) {
        std::array<double, 10> values{};
        for (int i = 0; i < 10; ++i) values[i] = numberInBox(position[i]);
        SelectExactValues(values, selected);
    }
    std::vector<int> extended;
    for (int n = 1; n <= 49; ++n)
        if (selected[n]) extended.push_back(n);
    return extended;
}

Notice historyNotice(const std::string& problem) {
    return Notice{problem + " The wheel cannot start until the history file is mended or another one is chosen.",
                  "History File Problem", NoticeIcon::Exclamation};
}

std::array<int, 15> lastFifteenSums(const std::vector<DrawRecord>& draws) {
    std::array<int, 15> sums{};
    const std::size_t first = draws.size() > 15 ? draws.size() - 15 : 0;
    for (std::size_t i = first; i < draws.size(); ++i) {
        int sum = 0;
        for (int n : draws[i].numbers) sum += n;
        sums[i - first] = sum;
    }
    return sums;
}

TablesNeeded tablesNeeded(const FilterControls& controls, const Game& game) {
    const int k = game.perTicket();
    TablesNeeded needed;
    needed.lastDraw = numberInBox(controls.lastDrawNumMax) < k || numberInBox(controls.lastDrawNumMaxPos) < k;
    needed.signatures = isChecked(controls.evensSignatures);
    needed.pastDraws = isChecked(controls.filterAgainstHistory);
    needed.lastFifteenSums = isChecked(controls.rejectLast15Sums);
    return needed;
}

Notice noLastDrawNotice(const std::string& historyPath) {
    return historyNotice("The history file " + historyPath +
                         " holds no draw, so the sets cannot be compared with the last draw.");
}

std::optional<Notice> readRunTables(const FilterControls& controls, const std::string& historyPath, RunTables& tables) {
    const TablesNeeded needed = tablesNeeded(controls);
    if (!needed.any()) return std::nullopt;

    HistoryRead read = readHistoryRecords(historyPath);
    if (!read.ok()) return historyNotice(read.error);
    if (needed.lastDraw) {
        if (read.draws.empty()) return noLastDrawNotice(historyPath);
        tables.lastDraw = read.draws.back().numbers;
    }
    if (needed.signatures) {
        // With fewer than 25 draws only the signatures that exist are compared.
        const std::size_t first = read.draws.size() > 25 ? read.draws.size() - 25 : 0;
        for (std::size_t i = first; i < read.draws.size(); ++i)
            tables.forbiddenSignatures |= std::uint64_t{1} << evensSignature(read.draws[i].numbers);
    }
    if (needed.pastDraws) tables.history = HistoryIndex(read.draws, wholeNumberValue(controls.maxFromHistory));
    if (needed.lastFifteenSums) tables.lastFifteenSums = lastFifteenSums(read.draws);
    return std::nullopt;
}

} // namespace orvane
