#include "accessories/Calculator.h"

#include "core/NumberText.h"

#include <charconv>
#include <cmath>

namespace orvane {

namespace {

// Reads the leading number of a text: an optional "-", digits with at most
// one point, and an exponent. Read without regard to the user's locale, as the
// display always uses a point. Nothing readable, or a number out of range, is 0.
double leadingNumber(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end == first || !std::isfinite(value)) return 0;
    return value;
}

// Digits of the number being typed, leading zeros aside.
int significantDigits(const std::string& text) {
    int count = 0;
    for (char c : text)
        if (isDigit(c) && (count > 0 || c != '0')) ++count;
    return count;
}

std::optional<double> apply(Calculator::Operation op, double first, double second) {
    switch (op) {
    case Calculator::Operation::Addition: return first + second;
    case Calculator::Operation::Subtraction: return first - second;
    case Calculator::Operation::Multiplication: return first * second;
    case Calculator::Operation::Division:
        if (second == 0) return std::nullopt;
        return first / second;
    case Calculator::Operation::None: break;
    }
    return std::nullopt;
}

} // namespace

std::string calculatorText(double value) {
    if (!std::isfinite(value)) return Calculator::kError;
    if (value == 0) return "0"; // and never "-0"

    // Shortest of fixed and exponent forms at 15 significant digits, trailing
    // zeros dropped, as printf's %.15g writes it but without the locale.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);

    // "1e+20" and "1.5e-07" become "1E+20" and "1.5E-7".
    const std::size_t e = text.find('e');
    if (e != std::string::npos) {
        std::string exponent = text.substr(e + 2);
        exponent.erase(0, exponent.find_first_not_of('0'));
        text = text.substr(0, e) + 'E' + text[e + 1] + exponent;
    }
    // Rounded to 15 digits, the largest doubles read back as too large.
    if (leadingNumber(text) == 0) return Calculator::kError;
    return text;
}

double Calculator::value() const { return leadingNumber(display_); }

void Calculator::type(char c) {
    if (newEntry_) {
        display_.clear();
        newEntry_ = false;
    }
    display_.push_back(c);
    operandEntered();
}

bool Calculator::roomToType() const {
    if (newEntry_) return true;
    const std::size_t sign = !display_.empty() && display_.front() == '-' ? 1 : 0;
    return display_.size() - sign + 1 < kDisplayChars;
}

void Calculator::operandEntered() {
    if (chaining_) operandTyped_ = true;
}

bool Calculator::digit(int d) {
    if (d < 0 || d > 9) return false;
    if (!newEntry_ && significantDigits(display_) >= kMaxTypedDigits) return false;
    if (!roomToType()) return false;
    type(static_cast<char>('0' + d));
    return true;
}

bool Calculator::point() {
    // The number being typed takes one point.
    if (!newEntry_ && display_.find('.') != std::string::npos) return false;
    if (!roomToType()) return false;
    type('.');
    return true;
}

void Calculator::operation(Operation op) {
    if (op == Operation::None) return;
    // Left to right: 2 + 3 X first makes 5 of 2 + 3.
    if (chaining_ && operandTyped_ && pending_ != Operation::None && first_)
        showResult(apply(pending_, *first_, value()));
    pending_ = op;
    first_ = value();
    newEntry_ = true;
    chaining_ = true;
    operandTyped_ = false;
}

void Calculator::equals() {
    second_ = value();
    if (pending_ != Operation::None && first_) showResult(apply(pending_, *first_, second_));
    newEntry_ = true;
    // The calculation is done; "=" again repeats it, an operation key starts
    // the next one from the result.
    chaining_ = false;
    operandTyped_ = false;
}

void Calculator::changeSign() {
    if (display_.empty() || showsError()) return;
    if (display_.front() == '-')
        display_.erase(0, 1);
    else
        display_.insert(0, 1, '-');
    operandEntered();
}

void Calculator::reciprocal() {
    const double v = value();
    showResult(v == 0 ? std::nullopt : std::optional<double>(1 / v));
    operandEntered();
}

void Calculator::squareRoot() {
    const double v = value();
    showResult(v < 0 ? std::nullopt : std::optional<double>(std::sqrt(v)));
    operandEntered();
}

void Calculator::backSpace() {
    // "Error" goes as a whole: it is not a number to edit.
    if (showsError())
        display_.clear();
    else if (!display_.empty())
        display_.pop_back();
}

void Calculator::clear() {
    display_.clear();
    pending_ = Operation::None;
    first_.reset();
    second_ = 0;
    chaining_ = false;
    operandTyped_ = false;
}

void Calculator::showResult(std::optional<double> result) {
    display_ = result ? calculatorText(*result) : kError;
    newEntry_ = true;
}

} // namespace orvane
