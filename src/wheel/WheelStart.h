#pragma once

#include "core/Notice.h"

namespace orvane {

// A run needs at least this many numbers in the pick.
inline constexpr int kMinimumPoolSize = 7;

inline Notice poolTooSmallNotice() {
    return Notice{"Not enough numbers have been selected.  You must select at least 7 numbers in order to wheel them.",
                  "Problem", NoticeIcon::Exclamation};
}

} // namespace orvane
