#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Writes `bytes` as the whole of the file at `path`: first to a temporary file
// beside it, synced to the disk, then renamed over it, and the folder synced,
// so the file holds either its old contents or all of the new ones, never a
// part, even after a power loss. Gives the reason when it
// fails, and its system error number in `code` when asked; the old file is
// then left as it was.
std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes, int* code = nullptr);

// The temporary file beside `path` that this process writes before renaming
// it over `path`. Its name carries a random mark drawn once per process, so two
// programs saving the same file at once never write into one temporary, and a
// temporary left by a killed program is never the next one's.
std::string temporaryPathFor(const std::string& path);

} // namespace orvane
