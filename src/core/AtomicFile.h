#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Writes `bytes` as the whole of the file at `path`: first to a temporary file
// beside it, flushed, then renamed over it, so the file holds either its old
// contents or all of the new ones, never a part. Gives the reason when it
// fails, and its system error number in `code` when asked; the old file is
// then left as it was.
std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes, int* code = nullptr);

} // namespace orvane
