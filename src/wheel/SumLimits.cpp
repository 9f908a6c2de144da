#include "wheel/SumLimits.h"

#include "core/NumberText.h"

namespace orvane {

namespace {
const char* const kTitle = "Impossible Value Entered";
Notice impossible(const char* text) { return Notice{text, kTitle, NoticeIcon::Exclamation}; }
} // namespace

SumLimitCheck checkSumLimits(std::string minSumText, std::string maxSumText) {
    SumLimitCheck check{std::move(minSumText), std::move(maxSumText), 279, {}};
    auto minSum = [&] { return numberInBox(check.minSumText); };
    auto maxSum = [&] { return numberInBox(check.maxSumText); };

    // A minimum box that holds no number at all reads as 0, so it is corrected here too.
    if (minSum() < 21) {
        check.notices.push_back(impossible("The sum of a 6/49 Lotto drawing cannot be smaller than 21."));
        check.minSumText = "21";
    }
    if (maxSum() < minSum()) {
        check.notices.push_back(
            impossible("The minimum allowed sum cannot be greater than the value of the maximum sum indicated."));
        check.minSumText = "21";
    }
    if (maxSum() > 279) {
        check.notices.push_back(impossible("The sum of a 6/49 Lotto drawing cannot be larger than 279."));
        check.maxSumText = "279";
    }
    if (minSum() > maxSum()) {
        check.notices.push_back(
            impossible("The maximum allowed sum cannot be less than the value of the minimum sum indicated."));
        check.maxSumText = "279";
    }
    check.maxSumValue = wholeNumberValue(check.maxSumText);
    return check;
}

} // namespace orvane
