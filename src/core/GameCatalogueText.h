#pragma once

#include <string_view>

namespace orvane {

// The text of data/GAMES.TXT as the program was built with it.
extern const std::string_view kGameCatalogueText;

} // namespace orvane
