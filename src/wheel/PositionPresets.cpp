#include "wheel/PositionPresets.h"

#include "core/Binomial.h"

#include <algorithm>
#include <utility>

namespace orvane {

namespace {

constexpr std::array<std::array<int, 12>, 4> kMeasured649{{
    {1, 39, 2, 42, 3, 44, 7, 46, 12, 48, 20, 49},   // 99.99%
    {1, 30, 3, 38, 5, 44, 7, 46, 15, 48, 23, 49},   // 98%
    {1, 24, 3, 31, 7, 39, 12, 46, 17, 48, 30, 49},  // 90%
    {1, 15, 5, 21, 11, 31, 15, 42, 26, 48, 38, 49}, // 50%
}};

bool isSixFortyNine(const Game& game) {
    const Game classic = Game::lotto649();
    return game.highest() == classic.highest() && game.perTicket() == classic.perTicket();
}

} // namespace

const std::array<int, 12>& measuredPresetOf649(PositionPreset preset) {
    return kMeasured649[static_cast<std::size_t>(preset)];
}

std::vector<PositionRange> positionBounds(const Game& game) {
    std::vector<PositionRange> bounds;
    bounds.reserve(static_cast<std::size_t>(game.perTicket()));
    for (int i = 0; i < game.perTicket(); ++i) bounds.push_back({i + 1, game.highest() - game.perTicket() + i + 1});
    return bounds;
}

double presetShare(PositionPreset preset) {
    switch (preset) {
    case PositionPreset::Percent99: return 0.9999;
    case PositionPreset::Percent98: return 0.98;
    case PositionPreset::Percent90: return 0.90;
    case PositionPreset::Percent50: return 0.50;
    case PositionPreset::UserLimits: break;
    }
    return 1.0;
}

std::vector<PositionRange> positionRangesKeeping(const Game& game, double share) {
    const int n = game.highest(), k = game.perTicket();
    std::vector<PositionRange> ranges;
    for (const PositionRange& bound : positionBounds(game)) {
        const int i = static_cast<int>(ranges.size()) + 1; // the i-th smallest
        // The values by how many sets hold them at this position, most first
        // (the lower value first on a tie), taken until they hold the share.
        std::vector<std::pair<std::uint64_t, int>> byCount;
        for (int x = bound.low; x <= bound.high; ++x)
            byCount.emplace_back(binomial(x - 1, i - 1) * binomial(n - x, k - i), x);
        std::stable_sort(byCount.begin(), byCount.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        const double wanted = share * static_cast<double>(binomial(n, k));
        PositionRange range{bound.high, bound.low};
        double held = 0;
        for (const auto& [count, x] : byCount) {
            range.low = std::min(range.low, x);
            range.high = std::max(range.high, x);
            held += static_cast<double>(count);
            if (held >= wanted) break;
        }
        ranges.push_back(range);
    }
    return ranges;
}

std::vector<PositionRange> presetRanges(const Game& game, PositionPreset preset) {
    if (!isSixFortyNine(game)) return positionRangesKeeping(game, presetShare(preset));
    const std::array<int, 12>& table = measuredPresetOf649(preset);
    std::vector<PositionRange> ranges;
    for (std::size_t p = 0; p < 6; ++p) ranges.push_back({table[2 * p], table[2 * p + 1]});
    return ranges;
}

} // namespace orvane
