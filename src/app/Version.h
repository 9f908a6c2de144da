#pragma once

namespace orvane {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 135;

} // namespace orvane
