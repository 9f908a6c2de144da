#pragma once

#include <string>

namespace orvane {

// Reads the whole file at `path`, as bytes, onto the end of `text`. Returns 0,
// or the system error number when the file cannot be opened or read (ENOENT
// when it does not exist, EISDIR for a folder).
int readFileBytes(const std::string& path, std::string& text);

} // namespace orvane
