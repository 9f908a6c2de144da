#include "core/NumberText.h"

#include "support/UserLocale.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(NumberInBox, ReadsTheLeadingNumberAndSkipsBlanks) {
    EXPECT_EQ(numberInBox("12"), 12);
    EXPECT_EQ(numberInBox("  12  "), 12);
    EXPECT_EQ(numberInBox("12 apples"), 12);
    EXPECT_EQ(numberInBox("1 2"), 12);
    EXPECT_EQ(numberInBox("-7.5"), -7.5);
    EXPECT_EQ(numberInBox("2.7"), 2.7);
    EXPECT_EQ(numberInBox("1e2"), 100);
}

TEST(NumberInBox, TextWithoutANumberIsZero) {
    EXPECT_EQ(numberInBox(""), 0);
    EXPECT_EQ(numberInBox("abc"), 0);
    EXPECT_EQ(numberInBox("-"), 0);
    EXPECT_EQ(numberInBox("."), 0);
}

TEST(WholeNumberValue, TakesTheIntegerPartOfTheMagnitude) {
    EXPECT_EQ(wholeNumberValue("-7.9"), 7);
    EXPECT_EQ(wholeNumberValue("44"), 44);
    EXPECT_EQ(wholeNumberValue("x"), 0);
    EXPECT_GT(wholeNumberValue("1e300"), 0); // huge texts clamp rather than overflow
}

TEST(FormatCount, GroupsThousands) {
    EXPECT_EQ(formatCount(0), "0");
    EXPECT_EQ(formatCount(7), "7");
    EXPECT_EQ(formatCount(999), "999");
    EXPECT_EQ(formatCount(1000), "1,000");
    EXPECT_EQ(formatCount(123456), "123,456");
    EXPECT_EQ(formatCount(1234567), "1,234,567");
    EXPECT_EQ(formatCount(13983816), "13,983,816");
}

TEST(PassingPercent, IsTheIntegerPartOfTheExactQuotient) {
    EXPECT_EQ(passingPercent(2, 3), 66u);
    EXPECT_EQ(passingPercent(1, 3), 33u);
    EXPECT_EQ(passingPercent(29, 100), 29u); // 29/100*100 falls below 29 in floating point
    EXPECT_EQ(passingPercent(57, 100), 57u);
    EXPECT_EQ(passingPercent(7, 7), 100u);
    EXPECT_EQ(passingPercent(0, 13983816), 0u);
    EXPECT_EQ(passingPercent(13983815, 13983816), 99u);
    EXPECT_FALSE(passingPercent(0, 0).has_value());
    EXPECT_EQ(percentText(66), "66%");
}

TEST(SetDisplayText, ShowsTwoDigitsPerNumber) {
    EXPECT_EQ(setDisplayText({1, 2, 3, 4, 5, 9}), "01 02 03 04 05 09");
    EXPECT_EQ(setDisplayText({3, 11, 17, 25, 38, 44}), "03 11 17 25 38 44");
}

// A German or French user writes "2,7"; the boxes read a point whatever the locale.
TEST(NumberInBox, ReadsAPointUnderACommaLocale) {
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
        UserLocale locale(name);
        if (!locale.active()) GTEST_SKIP() << name << " is not available";
        EXPECT_EQ(numberInBox("2.7"), 2.7) << name;
        EXPECT_EQ(numberInBox("-0.5e1"), -5) << name;
        EXPECT_EQ(numberInBox("2,7"), 2) << name;
        EXPECT_EQ(wholeNumberValue("6.9"), 6) << name;
    }
}

TEST(FixedText, WritesAPointWithTheDigitsAskedForInEveryLocale) {
    EXPECT_EQ(fixedText(12.5, 2), "12.50");
    EXPECT_EQ(fixedText(0.125, 2), "0.12"); // an exact tie goes to the even digit, as printf does
    EXPECT_EQ(fixedText(2.0 / 3.0, 6), "0.666667");
    EXPECT_EQ(fixedText(1e20, 0), "100000000000000000000");
    UserLocale locale("de_DE.UTF-8");
    if (!locale.active()) GTEST_SKIP() << "de_DE.UTF-8 is not available";
    EXPECT_EQ(fixedText(12.5, 2), "12.50");
    EXPECT_EQ(fixedText(-0.25, 1), "-0.2");
}
