#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace orvane {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Reads the leading number of a text the way the boxes are read: blanks are
// skipped anywhere, then an optional sign, digits, a decimal point and an
// exponent. Returns the count of digits seen.
int scanNumber(std::string_view text, double& value) {
    std::string clean;
    for (char c : text)
        if (!isBlank(c)) clean.push_back(c);
    std::size_t i = 0;
    bool negative = false;
    if (i < clean.size() && (clean[i] == '+' || clean[i] == '-')) negative = clean[i++] == '-';
    std::string digits;
    int digitCount = 0;
    while (i < clean.size() && isDigit(clean[i])) {
        digits.push_back(clean[i++]);
        ++digitCount;
    }
    if (i < clean.size() && clean[i] == '.') {
        digits.push_back(clean[i++]);
        while (i < clean.size() && isDigit(clean[i])) {
            digits.push_back(clean[i++]);
            ++digitCount;
        }
    }
    if (digitCount == 0) {
        value = 0;
        return 0;
    }
    if (i < clean.size() && (clean[i] == 'e' || clean[i] == 'E' || clean[i] == 'd' || clean[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < clean.size() && (clean[j] == '+' || clean[j] == '-')) exponent.push_back(clean[j++]);
        std::size_t expStart = j;
        while (j < clean.size() && isDigit(clean[j])) exponent.push_back(clean[j++]);
        if (j > expStart) digits += exponent;
    }
    // from_chars reads a point whatever the C library's locale, which the
    // windows take from the user (a German locale would stop strtod at "2.").
    // A number too large or too small for a double reads as 0.
    value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || !std::isfinite(value)) value = 0;
    if (negative) value = -value;
    return digitCount;
}

} // namespace

double numberInBox(std::string_view text) {
    double value = 0;
    scanNumber(text, value);
    return value;
}

std::optional<double> numberIfAny(std::string_view text) {
    double value = 0;
    if (scanNumber(text, value) == 0) return std::nullopt;
    return value;
}

bool isEmptyBox(std::string_view text) {
    for (char c : text)
        if (!isBlank(c)) return false;
    return true;
}

long long wholeNumberValue(std::string_view text) {
    double magnitude = std::fabs(numberInBox(text));
    if (magnitude > 9.0e18) return 9'000'000'000'000'000'000LL;
    return static_cast<long long>(magnitude);
}

std::optional<int> wholeNumberFrom(std::string_view text, int least, int most) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < least || value > most) return std::nullopt;
    return value;
}

std::string formatCount(std::uint64_t count) {
    std::string digits = std::to_string(count);
    std::string out;
    int lead = static_cast<int>(digits.size() % 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (static_cast<int>(i) - lead) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

std::optional<std::uint64_t> passingPercent(std::uint64_t passing, std::uint64_t generated) {
    if (generated == 0) return std::nullopt;
    // Passing never exceeds generated, so 100 * passing cannot overflow for any
    // count a wheel can reach (at most 13,983,816 sets).
    return passing * 100 / generated;
}

std::string fixedText(double value, int decimals) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

std::string percentText(std::uint64_t percent) { return std::to_string(percent) + "%"; }

std::string setDisplayText(const Combination& set) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%02d %02d %02d %02d %02d %02d", set[0], set[1], set[2], set[3], set[4],
                  set[5]);
    return buffer;
}

std::string numbersDisplayText(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers) {
        if (!text.empty()) text += ' ';
        text += static_cast<char>('0' + n / 10 % 10);
        text += static_cast<char>('0' + n % 10);
    }
    return text;
}

} // namespace orvane
