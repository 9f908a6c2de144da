#include "core/Excerpt.h"

namespace orvane {

std::string excerpt(std::string_view line, std::size_t most) {
    std::string shown(line.substr(0, most));
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte >= 0x7f) c = '?';
    }
    if (line.size() > most) shown += "...";
    return shown;
}

} // namespace orvane
