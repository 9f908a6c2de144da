#pragma once

#include <array>

namespace orvane {

// One six-number set of the pick, positions A to F in ascending order.
using Combination = std::array<int, 6>;

} // namespace orvane
