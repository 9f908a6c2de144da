#include "core/PickText.h"

#include <array>
#include <charconv>

namespace orvane {

namespace {
bool parseNumber(std::string_view text, int& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}
} // namespace

std::string parsePickList(std::string_view text, std::vector<int>& pick, int highest) {
    std::array<bool, 128> chosen{};
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) comma = text.size();
        std::string_view item = text.substr(start, comma - start);
        std::size_t dash = item.find('-');
        int low = 0, high = 0;
        bool ok = dash == std::string_view::npos
                      ? parseNumber(item, low) && (high = low, true)
                      : parseNumber(item.substr(0, dash), low) && parseNumber(item.substr(dash + 1), high);
        if (!ok) return "'" + std::string(item) + "' is not a number or a range like 1-12";
        if (low < 1 || high > highest || low > highest || high < 1)
            return "'" + std::string(item) + "' lies outside the numbers 1 to " + std::to_string(highest);
        if (low > high) return "the range '" + std::string(item) + "' runs backwards";
        for (int n = low; n <= high; ++n) chosen[static_cast<std::size_t>(n)] = true;
        start = comma + 1;
    }
    pick.clear();
    for (int n = 1; n <= highest; ++n)
        if (chosen[static_cast<std::size_t>(n)]) pick.push_back(n);
    return {};
}

} // namespace orvane
