#include "wheel/SumLimits.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {
const std::string kBelow21 = "The sum of a 6/49 Lotto drawing cannot be smaller than 21.";
const std::string kMinAboveMax =
    "The minimum allowed sum cannot be greater than the value of the maximum sum indicated.";
const std::string kAbove279 = "The sum of a 6/49 Lotto drawing cannot be larger than 279.";
const std::string kMaxBelowMin = "The maximum allowed sum cannot be less than the value of the minimum sum indicated.";

std::vector<std::string> textsOf(const SumLimitCheck& check) {
    std::vector<std::string> texts;
    for (const Notice& notice : check.notices) {
        EXPECT_EQ(notice.title, "Impossible Value Entered");
        EXPECT_EQ(notice.icon, NoticeIcon::Exclamation);
        texts.push_back(notice.text);
    }
    return texts;
}
} // namespace

TEST(SumLimits, DefaultsPassUntouched) {
    SumLimitCheck check = checkSumLimits("21", "279");
    EXPECT_TRUE(check.notices.empty());
    EXPECT_EQ(check.minSumText, "21");
    EXPECT_EQ(check.maxSumText, "279");
    EXPECT_EQ(check.maxSumValue, 279);
}

TEST(SumLimits, EachCorrectionShowsItsMessage) {
    SumLimitCheck low = checkSumLimits("10", "279");
    EXPECT_EQ(textsOf(low), std::vector<std::string>{kBelow21});
    EXPECT_EQ(low.minSumText, "21");

    SumLimitCheck high = checkSumLimits("21", "300");
    EXPECT_EQ(textsOf(high), std::vector<std::string>{kAbove279});
    EXPECT_EQ(high.maxSumText, "279");
    EXPECT_EQ(high.maxSumValue, 279);
}

TEST(SumLimits, CrossedLimitsGiveBothCrossingMessages) {
    // Minimum 30, maximum 20: the minimum drops to 21, which still exceeds 20.
    SumLimitCheck check = checkSumLimits("30", "20");
    EXPECT_EQ(textsOf(check), (std::vector<std::string>{kMinAboveMax, kMaxBelowMin}));
    EXPECT_EQ(check.minSumText, "21");
    EXPECT_EQ(check.maxSumText, "279");
}

TEST(SumLimits, MinimumThatIsNoNumberCountsAsZero) {
    SumLimitCheck check = checkSumLimits("", "279");
    EXPECT_EQ(textsOf(check), std::vector<std::string>{kBelow21});
    EXPECT_EQ(check.minSumText, "21");
    check = checkSumLimits("abc", "150.9");
    EXPECT_EQ(check.minSumText, "21");
    EXPECT_EQ(check.maxSumValue, 150);
}

TEST(SumLimits, AnotherGamesRangeAndMessages) {
    const SumLimitCheck low = checkSumLimits("10", "200", *gameFromMatrix("5/39"));
    EXPECT_EQ(low.minSumText, "15");
    EXPECT_EQ(low.maxSumText, "185");
    EXPECT_EQ(low.maxSumValue, 185);
    ASSERT_EQ(low.notices.size(), 2u);
    EXPECT_EQ(low.notices[0].text, "The sum of a 5/39 drawing cannot be smaller than 15.");
    EXPECT_EQ(low.notices[1].text, "The sum of a 5/39 drawing cannot be larger than 185.");
    // A 6/49 game of another name keeps the 6/49 words.
    const SumLimitCheck lotto = checkSumLimits("3", "279", *gameFromMatrix("6/49"));
    EXPECT_EQ(lotto.notices.at(0).text, "The sum of a 6/49 Lotto drawing cannot be smaller than 21.");
}
