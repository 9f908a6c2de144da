#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// The start of a line read from a file, fit to quote in a message: at most
// `most` characters, then "..." when the line goes on, and every byte but
// printable ASCII and the tab shown as '?'. A line of a damaged file may be
// megabytes long or binary; the message stays short and shows no control
// byte to a terminal or a message box.
std::string excerpt(std::string_view line, std::size_t most = 80);

} // namespace orvane
