#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Reads a pick written as numbers and ranges, "1-12,17,33", into ascending
// distinct numbers. Returns an error text (empty on success).
std::string parsePickList(std::string_view text, std::vector<int>& pick);

} // namespace orvane
