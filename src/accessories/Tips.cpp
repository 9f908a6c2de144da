#include "accessories/Tips.h"

#include <fstream>

namespace orvane {

std::optional<std::vector<std::string>> loadTips(const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::string> tips;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        tips.push_back(line);
    }
    if (in.bad()) return std::nullopt;
    return tips;
}

std::string missingTipsText() {
    return "That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named TIPOFDAY.TXT using NotePad with "
           "1 "
           "tip per line. Then place it in the same directory as the application. ";
}

std::size_t tipIndexFor(double fraction, std::size_t count) {
    if (count == 0) return 0;
    if (!(fraction >= 0)) fraction = 0;
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(count));
    return index < count ? index : count - 1;
}

} // namespace orvane
