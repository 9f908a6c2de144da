#include "wheel/FilterControls.h"

namespace orvane {

FilterControls::FilterControls(const Game& game) {
    const int k = game.perTicket();
    const std::string everyNumber = std::to_string(k);
    minSum = std::to_string(game.smallestSum());
    maxSum = std::to_string(game.largestSum());
    maxDif = std::to_string(game.highest() - k + 1); // the widest gap a set can have
    lastDrawNumMax = lastDrawNumMaxPos = maxConsecutives = everyNumber;
    evensAllowed.assign(static_cast<std::size_t>(k) + 1, 1);
    tens.assign(static_cast<std::size_t>(game.tensClasses()), everyNumber);
    ones.fill(everyNumber);
    for (int position = 0; position < k; ++position) {
        positionLimits.push_back(std::to_string(position + 1));
        positionLimits.push_back(std::to_string(game.highest() - k + 1 + position));
    }
    maxBelowMid = maxAboveMid = everyNumber;
    lockedIn.assign(static_cast<std::size_t>(k), std::string());
    lockedOut.assign(5 * static_cast<std::size_t>(k), std::string());
    sumsAccepted.assign(static_cast<std::size_t>(game.largestSum() - game.smallestSum()) + 1, false);
    maxFromHistory = everyNumber;
    exactValues.assign(static_cast<std::size_t>(k), {});
}

} // namespace orvane
