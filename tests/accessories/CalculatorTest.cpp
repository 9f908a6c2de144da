#include "accessories/Calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

using namespace orvane;

namespace {

// Presses the keys named in `keys`, separated by blanks: digits and points
// ("12.5" is four presses), "+", "-", "X", "/", "=", "+/-", "1/y", "SqRt",
// "BackSpace" and "Clear". Returns the display.
std::string press(Calculator& calculator, const std::string& keys) {
    std::istringstream words(keys);
    std::string key;
    while (words >> key) {
        if (key == "+")
            calculator.operation(Calculator::Operation::Addition);
        else if (key == "-")
            calculator.operation(Calculator::Operation::Subtraction);
        else if (key == "X")
            calculator.operation(Calculator::Operation::Multiplication);
        else if (key == "/")
            calculator.operation(Calculator::Operation::Division);
        else if (key == "=")
            calculator.equals();
        else if (key == "+/-")
            calculator.changeSign();
        else if (key == "1/y")
            calculator.reciprocal();
        else if (key == "SqRt")
            calculator.squareRoot();
        else if (key == "BackSpace")
            calculator.backSpace();
        else if (key == "Clear")
            calculator.clear();
        else
            for (char c : key) {
                if (c == '.')
                    calculator.point();
                else if (c >= '0' && c <= '9')
                    calculator.digit(c - '0');
                else
                    ADD_FAILURE() << "no key " << c;
            }
    }
    return calculator.display();
}

std::string pressed(const std::string& keys) {
    Calculator calculator;
    return press(calculator, keys);
}

} // namespace

TEST(Calculator, StartsEmptyWithBackSpaceOff) {
    Calculator calculator;
    EXPECT_EQ(calculator.display(), "");
    EXPECT_FALSE(calculator.backSpaceEnabled());
    EXPECT_EQ(calculator.value(), 0);
}

TEST(Calculator, EqualsAppliesThePendingOperationToTheTwoNumbers) {
    EXPECT_EQ(pressed("12 + 30 ="), "42");
    EXPECT_EQ(pressed("12 - 30 ="), "-18");
    EXPECT_EQ(pressed("12 X 2.5 ="), "30");
    EXPECT_EQ(pressed("7 / 2 ="), "3.5");
    EXPECT_EQ(pressed("2 / 3 ="), "0.666666666666667");
}

TEST(Calculator, OperationsChainLeftToRight) {
    EXPECT_EQ(pressed("2 + 3 X 4 ="), "20");
    EXPECT_EQ(pressed("10 - 4 + 1 ="), "7");
    EXPECT_EQ(pressed("7 + 3 + 2 ="), "12");
    EXPECT_EQ(pressed("100 / 4 - 5 X 2 ="), "40");
    // The operation key shows what the chain has come to.
    Calculator calculator;
    EXPECT_EQ(press(calculator, "2 + 3 X"), "5");
    EXPECT_EQ(calculator.pending(), Calculator::Operation::Multiplication);
    EXPECT_EQ(press(calculator, "4 -"), "20");
    EXPECT_EQ(press(calculator, "1 ="), "19");
}

TEST(Calculator, AnOperationKeyWithoutANewNumberOnlyChangesTheOperation) {
    EXPECT_EQ(pressed("6 + - 2 ="), "4");
    EXPECT_EQ(pressed("6 + + 2 ="), "8");
    // After "=" the next operation starts from the result, whether or not a
    // number was typed since: 2 + 3 = is done.
    EXPECT_EQ(pressed("2 + 3 = X 4 ="), "20");
    EXPECT_EQ(pressed("2 + 3 = 5 + 1 ="), "6");
    EXPECT_EQ(pressed("2 + 3 = = +/- + 1 ="), "-6"); // 2 + 5 is 7, -7 + 1
    // Clear ends the chain.
    EXPECT_EQ(pressed("2 + 3 Clear 4 + 1 ="), "5");
}

TEST(Calculator, FunctionKeysGiveTheNumberAChainTakes) {
    EXPECT_EQ(pressed("10 + 16 SqRt X 2 ="), "28");
    EXPECT_EQ(pressed("1 + 4 1/y X 8 ="), "10");
    EXPECT_EQ(pressed("10 + 3 +/- X 2 ="), "14");
    // A failure in the chain shows "Error" and goes on from 0.
    Calculator calculator;
    EXPECT_EQ(press(calculator, "7 / 0 +"), "Error");
    EXPECT_EQ(press(calculator, "5 ="), "5");
}

TEST(Calculator, EqualsAgainRepeatsTheOperationOnTheNumberShown) {
    Calculator calculator;
    EXPECT_EQ(press(calculator, "7 + ="), "14");
    EXPECT_EQ(press(calculator, "="), "21");
    EXPECT_EQ(press(calculator, "="), "28");
    EXPECT_EQ(pressed("10 - 3 = ="), "3"); // 10 - 3, then 10 - 7
    // A chained calculation repeats its last operation.
    EXPECT_EQ(pressed("1 + 1 + = ="), "6"); // 1 + 1, then 2 + 2, then 2 + 4
}

TEST(Calculator, EqualsWithoutAnOperationLeavesTheDisplay) {
    EXPECT_EQ(pressed("12.50 ="), "12.50");
    EXPECT_EQ(pressed("="), "");
}

TEST(Calculator, TheNumberStaysShownUntilTheNextDigitReplacesIt) {
    Calculator calculator;
    EXPECT_EQ(press(calculator, "45 +"), "45");
    EXPECT_EQ(press(calculator, "6"), "6");
    EXPECT_EQ(press(calculator, "="), "51");
    EXPECT_EQ(press(calculator, "8"), "8");
    EXPECT_EQ(pressed("45 + ."), ".");
    EXPECT_EQ(pressed("45 + .5 ="), "45.5");
}

TEST(Calculator, APointIsTypedOncePerNumber) {
    EXPECT_EQ(pressed("1.2.3"), "1.23");
    EXPECT_EQ(pressed(".5 X 4 ="), "2");
    EXPECT_EQ(pressed("1.5 + 2.5 = .25"), ".25"); // a result's point does not count
}

TEST(Calculator, ATypedNumberTakesFifteenDigits) {
    EXPECT_EQ(pressed("1234567890123456789"), "123456789012345");
    Calculator full;
    press(full, "123456789012345");
    EXPECT_FALSE(full.digit(6));
    EXPECT_FALSE(full.digit(0));
    EXPECT_EQ(full.display(), "123456789012345");
    EXPECT_TRUE(full.point());
    EXPECT_EQ(pressed("9.999999999999999"), "9.99999999999999");
    // Leading zeros are not digits of the number.
    EXPECT_EQ(pressed("0.000000000000000001"), "0.000000000000000001");
    Calculator calculator;
    press(calculator, "0.000000000000000001");
    EXPECT_DOUBLE_EQ(calculator.value(), 1e-18);
    // The next number has its own fifteen.
    EXPECT_EQ(pressed("123456789012345 + 1234"), "1234");
}

TEST(Calculator, ATypedNumberLongerThanTheDisplayIsRefusedNotCut) {
    // Leading zeros are no digits of the number, but they take room.
    Calculator calculator;
    const std::string longest = "0." + std::string(Calculator::kDisplayChars - 4, '0') + "1";
    ASSERT_EQ(longest.size(), Calculator::kDisplayChars - 1);
    EXPECT_EQ(press(calculator, longest), longest);
    EXPECT_FALSE(calculator.digit(5));
    EXPECT_EQ(calculator.display(), longest);
    // A sign still fits in front of it.
    EXPECT_EQ(press(calculator, "+/-"), "-" + longest);
    EXPECT_EQ(calculator.display().size(), Calculator::kDisplayChars);
    EXPECT_FALSE(calculator.digit(5));
    EXPECT_EQ(press(calculator, "BackSpace 7"), "-" + longest.substr(0, longest.size() - 1) + "7");

    Calculator zeros;
    const std::string allZeros(Calculator::kDisplayChars - 1, '0');
    EXPECT_EQ(press(zeros, allZeros + "0"), allZeros);
    EXPECT_FALSE(zeros.point());
    EXPECT_EQ(zeros.display(), allZeros);
    // A new number starts with room again.
    EXPECT_EQ(press(zeros, "+ 5"), "5");
}

TEST(Calculator, SignTogglesALeadingMinus) {
    Calculator calculator;
    press(calculator, "12.5");
    EXPECT_EQ(press(calculator, "+/-"), "-12.5");
    EXPECT_EQ(calculator.value(), -12.5);
    EXPECT_EQ(press(calculator, "+/-"), "12.5");
    EXPECT_EQ(pressed("+/-"), "");
    EXPECT_EQ(pressed("3 - 5 = +/-"), "2");
    // A changed result is still a result: the next digit starts anew.
    EXPECT_EQ(pressed("3 - 5 = +/- 7"), "7");
    EXPECT_EQ(pressed("+/- 0"), "0");
}

TEST(Calculator, BackSpaceRemovesTheLastCharacterUntilNoneIsLeft) {
    Calculator calculator;
    press(calculator, "12");
    EXPECT_TRUE(calculator.backSpaceEnabled());
    EXPECT_EQ(press(calculator, "BackSpace"), "1");
    EXPECT_TRUE(calculator.backSpaceEnabled());
    EXPECT_EQ(press(calculator, "BackSpace"), "");
    EXPECT_FALSE(calculator.backSpaceEnabled());
    EXPECT_EQ(press(calculator, "BackSpace"), "");
    EXPECT_EQ(press(calculator, "."), ".");
    EXPECT_TRUE(calculator.backSpaceEnabled());
}

TEST(Calculator, ClearForgetsTheDisplayAndThePendingOperation) {
    Calculator calculator;
    press(calculator, "7 + 3 Clear");
    EXPECT_EQ(calculator.display(), "");
    EXPECT_FALSE(calculator.backSpaceEnabled());
    EXPECT_EQ(calculator.pending(), Calculator::Operation::None);
    EXPECT_EQ(press(calculator, "5 ="), "5");
}

TEST(Calculator, ReciprocalAndSquareRootShowAResult) {
    EXPECT_EQ(pressed("4 1/y"), "0.25");
    EXPECT_EQ(pressed("3 1/y"), "0.333333333333333");
    EXPECT_EQ(pressed("16 SqRt"), "4");
    EXPECT_EQ(pressed("2 SqRt"), "1.4142135623731"); // 1.41421356237310 without its trailing zero
    EXPECT_EQ(pressed("0 SqRt"), "0");
    EXPECT_EQ(pressed("0 +/- SqRt"), "0"); // never "-0"
    // The next digit starts a new number rather than extending the result.
    EXPECT_EQ(pressed("16 SqRt 5"), "5");
    // The result takes part in a pending operation.
    EXPECT_EQ(pressed("10 + 16 SqRt ="), "14");
}

TEST(Calculator, ResultsShowFifteenSignificantDigits) {
    EXPECT_EQ(pressed(".1 + .2 ="), "0.3");
    EXPECT_EQ(pressed("1.1 X 1.1 ="), "1.21");
    EXPECT_EQ(pressed("1 - .9 ="), "0.1");
    // The rounded text is the number carried on.
    EXPECT_EQ(pressed(".1 + .2 = - .3 ="), "0");
}

TEST(Calculator, FailuresShowErrorWhichReadsAsZero) {
    for (const char* keys : {"7 / 0 =", "7 / BackSpace =", "0 1/y", "1/y", "4 +/- SqRt", "2 - 6 = SqRt"}) {
        Calculator calculator;
        EXPECT_EQ(press(calculator, keys), "Error") << keys;
        EXPECT_EQ(calculator.value(), 0) << keys;
        EXPECT_TRUE(calculator.backSpaceEnabled()) << keys;
    }
    // Read as 0 by the operations.
    EXPECT_EQ(pressed("7 / 0 = + 5 ="), "5");
    EXPECT_EQ(pressed("0 1/y X 5 ="), "0");
    // Repeating the failed division fails again.
    EXPECT_EQ(pressed("7 / 0 = ="), "Error");
}

TEST(Calculator, AfterErrorTheNextEntryStartsANewNumber) {
    EXPECT_EQ(pressed("0 1/y 5"), "5");
    EXPECT_EQ(pressed("0 1/y ."), ".");
    EXPECT_EQ(pressed("0 1/y +/-"), "Error");
    Calculator calculator;
    press(calculator, "0 1/y BackSpace");
    EXPECT_EQ(calculator.display(), "");
    EXPECT_FALSE(calculator.backSpaceEnabled());
}

TEST(Calculator, AResultTooLargeForADoubleIsError) {
    Calculator calculator;
    press(calculator, "999999999999999");
    // Squared again and again: about 1E+30, 1E+60, 1E+120, 1E+240, then past the largest double.
    for (int k = 0; k < 4; ++k) {
        press(calculator, "X =");
        ASSERT_NE(calculator.display(), "Error") << k;
    }
    EXPECT_EQ(calculator.display(), "9.99999999999984E+239");
    EXPECT_EQ(press(calculator, "X ="), "Error");
    EXPECT_EQ(press(calculator, "7"), "7");
}

TEST(Calculator, BigAndSmallResultsReadBackAsTheyAreShown) {
    Calculator calculator;
    press(calculator, "100000000000000");
    EXPECT_EQ(press(calculator, "X ="), "1E+28");
    EXPECT_EQ(press(calculator, "1/y"), "1E-28");
    EXPECT_DOUBLE_EQ(calculator.value(), 1e-28);
    EXPECT_EQ(press(calculator, "1/y"), "1E+28");
    EXPECT_EQ(press(calculator, "+/- X 2 ="), "-2E+28");
    EXPECT_DOUBLE_EQ(calculator.value(), -2e28);
}

TEST(CalculatorText, DropsTrailingZerosAndNegativeZero) {
    EXPECT_EQ(calculatorText(14), "14");
    EXPECT_EQ(calculatorText(-2.5), "-2.5");
    EXPECT_EQ(calculatorText(0.1 + 0.2), "0.3");
    EXPECT_EQ(calculatorText(100), "100");
    EXPECT_EQ(calculatorText(-0.0), "0");
}

TEST(CalculatorText, UsesExponentsFrom1E15AndBelow0Point0001) {
    EXPECT_EQ(calculatorText(123456789012345), "123456789012345");
    EXPECT_EQ(calculatorText(999999999999999.4), "999999999999999");
    EXPECT_EQ(calculatorText(1e15), "1E+15");
    EXPECT_EQ(calculatorText(1234567890123456789.0), "1.23456789012346E+18");
    EXPECT_EQ(calculatorText(1e20), "1E+20");
    EXPECT_EQ(calculatorText(-1.5e300), "-1.5E+300");
    EXPECT_EQ(calculatorText(0.0001), "0.0001");
    EXPECT_EQ(calculatorText(0.00001), "1E-5");
    EXPECT_EQ(calculatorText(1.5e-7), "1.5E-7");
    EXPECT_EQ(calculatorText(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
}

TEST(CalculatorText, NumbersBeyondADoubleAreError) {
    EXPECT_EQ(calculatorText(std::numeric_limits<double>::infinity()), "Error");
    EXPECT_EQ(calculatorText(-std::numeric_limits<double>::infinity()), "Error");
    EXPECT_EQ(calculatorText(std::nan("")), "Error");
    // Rounded to fifteen digits the largest double would read back as infinite.
    EXPECT_EQ(calculatorText(std::numeric_limits<double>::max()), "Error");
    EXPECT_EQ(calculatorText(1.7976931348623e308), "1.7976931348623E+308");
}
