#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The tips of the tips file, one per line in file order (blank lines are tips
// too), or nothing when there is no file at `path` or it cannot be read.
std::optional<std::vector<std::string>> loadTips(const std::string& path);

// What the tip window shows when the tips file is missing.
std::string missingTipsText();

// The tip shown for a random fraction in [0, 1): every tip from 0 to count - 1
// equally likely; 0 when there are none.
std::size_t tipIndexFor(double fraction, std::size_t count);

} // namespace orvane
