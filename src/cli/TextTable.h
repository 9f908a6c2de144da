#pragma once

// Rows of cells as plain text, each column as wide as its widest cell, for
// the command line's tables and the printouts.

#include <string>
#include <vector>

namespace orvane {

// Every line starts with `indent` and ends with "\n"; no cell is cut.
std::string textTable(const std::vector<std::vector<std::string>>& rows, const std::string& indent = "  ");

} // namespace orvane
