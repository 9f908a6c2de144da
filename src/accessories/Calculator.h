#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace orvane {

// The four-function calculator behind frmCalculator. It holds the display as
// text (the number being typed is converted only when it is used), one pending
// operation and its first operand, and the new-entry flag that makes the next
// digit start a new number. Operations chain left to right without precedence:
// an operation key pressed after a new number first evaluates the pending
// operation and shows its result (2 + 3 X 4 = shows 20). "=" evaluates the
// pending operation and keeps it, so pressing "=" again applies it once more
// to the number shown (7 + = = shows 14, then 21).
//
// A result is shown with up to 15 significant digits, so 0.1 + 0.2 shows 0.3.
// A division by zero, the reciprocal of zero, the square root of a negative
// number and any result too large for a double show "Error", which reads as 0
// when used; the next digit or point starts a new number.
class Calculator {
public:
    enum class Operation { None, Addition, Subtraction, Multiplication, Division };

    // What the display shows for a failed calculation.
    static inline const std::string kError = "Error";
    // The most digits a typed number takes (leading zeros aside), the precision
    // results are shown with; further digits are refused.
    static constexpr int kMaxTypedDigits = 15;
    // The characters the display shows, as wide as the longest result
    // ("-8.88888888888888E-308"). A typed number takes one fewer, so that a
    // sign put in front still fits; a digit or point beyond it is refused.
    static constexpr std::size_t kDisplayChars = 22;

    // The keys. digit() and point() tell whether they were taken: a number as
    // long as the display holds, or of fifteen digits, takes no more (and
    // digit() takes nothing outside 0..9).
    bool digit(int d);
    bool point();
    void operation(Operation op);
    void equals();
    void changeSign();
    void reciprocal();
    void squareRoot();
    void backSpace();
    void clear();

    const std::string& display() const { return display_; }
    // BackSpace has something to remove exactly when the display is not empty.
    bool backSpaceEnabled() const { return !display_.empty(); }
    // The display's number: the leading number of its text; an empty or
    // non-numeric text (such as "Error") is 0.
    double value() const;
    Operation pending() const { return pending_; }

private:
    // Starts a new number when the flag says so, then types `c`.
    void type(char c);
    // Whether one more character fits the number being typed.
    bool roomToType() const;
    // The display became the number the pending operation is to take.
    void operandEntered();
    // Shows a result (or "Error" for a failed one) and lets the next digit
    // start a new number.
    void showResult(std::optional<double> result);
    bool showsError() const { return display_ == kError; }

    std::string display_;
    Operation pending_ = Operation::None;
    std::optional<double> first_;
    double second_ = 0;
    bool newEntry_ = false;
    // An operation key was pressed and "=" not yet: the calculation chains.
    bool chaining_ = false;
    // A number was entered since that operation key, so the next operation
    // key evaluates the pending one first.
    bool operandTyped_ = false;
};

// A result as the display shows it: up to 15 significant digits without
// trailing zeros ("0.3", "14", "-2.5"); from 1E+15 up and below 0.0001 in
// exponent form with a capital E and no padded exponent ("1E+20",
// "1.5E-7"). A value that is not finite, or whose text would not read back as
// a finite number, is "Error".
std::string calculatorText(double value);

} // namespace orvane
