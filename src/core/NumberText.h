#pragma once

#include "core/Combination.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <string_view>

namespace orvane {

// An ASCII digit, whatever the locale says.
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number a text box holds: its leading numeric part with blanks skipped.
// An empty or non-numeric text gives 0; "12 apples" gives 12.
double numberInBox(std::string_view text);

// The box's number as numberInBox reads it, or nothing when the text holds
// none: empty, blanks only, or not starting with a number ("ab", "-", ".").
std::optional<double> numberIfAny(std::string_view text);

// A box with no text, or blanks only.
bool isEmptyBox(std::string_view text);

// Integer part of the absolute value of the box's number.
long long wholeNumberValue(std::string_view text);

// A whole number from `least` to `most`, typed as plain digits (blanks around
// them allowed): "7" and " 49 " are, "7.5", "-7", "7x" and "" are not.
std::optional<int> wholeNumberFrom(std::string_view text, int least, int most);

// Counts with thousands separators and no leading zeros: 13,983,816.
std::string formatCount(std::uint64_t count);

// Integer part of the exact quotient 100 * passing / generated, or nothing
// when no set was generated (the display then stays as it stands).
std::optional<std::uint64_t> passingPercent(std::uint64_t passing, std::uint64_t generated);

// `value` with `decimals` digits after a point, rounded: fixedText(2.345, 1) is
// "2.3". Written the same in every locale, as printf's "%.*f" is not.
std::string fixedText(double value, int decimals);

// "66%" style text for the percentage display.
std::string percentText(std::uint64_t percent);

// A set as shown on screen: two digits per number, single blanks: "03 11 17 25 38 44".
std::string setDisplayText(const Combination& set);
// Numbers of any game as shown on screen, the same way.
std::string numbersDisplayText(const std::vector<int>& numbers);

} // namespace orvane
