// The wheel output file, as the win checker tallies it and the output viewer
// shows it: plain and numbered set lines, and anything else.
#include "FuzzInput.h"
#include "reports/OutputViewer.h"
#include "tally/WinTally.h"

#include <algorithm>
#include <chrono>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::text(data, size);
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = std::string_view(text).substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (const auto set = orvane::setOnLine(line)) {
            std::uint64_t seen = 0;
            for (int n : *set) {
                fuzz::require(n >= 1 && n <= 49, "a set read with a number outside 1..49");
                fuzz::require((seen & (1ull << n)) == 0, "a set read with a number twice");
                seen |= 1ull << n;
            }
        }
        start = end + 1;
    }
    const std::string path = fuzz::inputFile("output", data, size);
    orvane::WinTallyJob tally(path, 0b111111ull << 1);
    while (!tally.advance(std::chrono::milliseconds(100))) {}
    orvane::OutputViewer viewer(path);
    std::string shown;
    while (viewer.read(shown, 1000)) {}
    return 0;
}
