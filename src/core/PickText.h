#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Reads a pick written as numbers and ranges, "1-12,17,33", into ascending
// distinct numbers from 1 to `highest` (49 unless a game says otherwise).
// Returns an error text (empty on success).
std::string parsePickList(std::string_view text, std::vector<int>& pick, int highest = 49);

} // namespace orvane
