#include "wheel/SumLimits.h"

#include "core/NumberText.h"

namespace orvane {

namespace {
const char* const kTitle = "Impossible Value Entered";
Notice impossible(std::string text) { return Notice{std::move(text), kTitle, NoticeIcon::Exclamation}; }

// "a 6/49 Lotto drawing", "a 5/39 drawing": the main numbers are what is summed.
std::string drawingOf(const Game& game) {
    if (game.isLotto649()) return "a 6/49 Lotto drawing";
    return "a " + std::to_string(game.perTicket()) + "/" + std::to_string(game.highest()) + " drawing";
}
} // namespace

SumLimitCheck checkSumLimits(std::string minSumText, std::string maxSumText, const Game& game) {
    const int smallest = game.smallestSum(), largest = game.largestSum();
    SumLimitCheck check{std::move(minSumText), std::move(maxSumText), largest, {}};
    auto minSum = [&] { return numberInBox(check.minSumText); };
    auto maxSum = [&] { return numberInBox(check.maxSumText); };

    // A minimum box that holds no number at all reads as 0, so it is corrected here too.
    if (minSum() < smallest) {
        check.notices.push_back(
            impossible("The sum of " + drawingOf(game) + " cannot be smaller than " + std::to_string(smallest) + "."));
        check.minSumText = std::to_string(smallest);
    }
    if (maxSum() < minSum()) {
        check.notices.push_back(
            impossible("The minimum allowed sum cannot be greater than the value of the maximum sum indicated."));
        check.minSumText = std::to_string(smallest);
    }
    if (maxSum() > largest) {
        check.notices.push_back(
            impossible("The sum of " + drawingOf(game) + " cannot be larger than " + std::to_string(largest) + "."));
        check.maxSumText = std::to_string(largest);
    }
    if (minSum() > maxSum()) {
        check.notices.push_back(
            impossible("The maximum allowed sum cannot be less than the value of the minimum sum indicated."));
        check.maxSumText = std::to_string(largest);
    }
    check.maxSumValue = wholeNumberValue(check.maxSumText);
    return check;
}

} // namespace orvane
