#pragma once

#include "core/Notice.h"

#include <string>
#include <vector>

namespace orvane {

// Why the pool file's numbers could not all be loaded.
enum class PoolLoadError {
    None = 0,
    Unreadable = 1,    // the file is missing or cannot be read
    NotANumber = 2,    // a field is not a whole number (a Verbose report fails here)
    OutOfRange = 3,    // a number outside 1 to 49
};

// The numbers of a Minimum-style pool file in file order: fields separated by
// commas or line ends, blanks around them ignored; an empty field ends the
// list. On a failure `numbers` holds those read before it.
struct PoolFileRead {
    std::vector<int> numbers;
    PoolLoadError error = PoolLoadError::None;
    bool ok() const { return error == PoolLoadError::None; }
};
PoolFileRead readPoolFile(const std::string& path);

// "A problem has ocurred: ... Error code N reported." titled "Unable To Continue".
Notice poolLoadNotice(PoolLoadError error);

} // namespace orvane
