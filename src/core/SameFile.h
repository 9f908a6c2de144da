#pragma once

#include <string>

namespace orvane {

// Whether the two paths name one existing file (by any spelling or link). A
// path that does not exist yet, or an empty one, is no other file.
bool sameFile(const std::string& first, const std::string& second);

} // namespace orvane
