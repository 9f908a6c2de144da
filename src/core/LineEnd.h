#pragma once

namespace orvane {

// Reports, lists and saved files end their lines with CR LF, as the files the
// program has always written do.
inline constexpr char kLineEnd[] = "\r\n";

} // namespace orvane
