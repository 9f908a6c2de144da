#pragma once

#include <string>
#include <vector>

// The lines of a text whose lines end with CR LF, without their line ends; a
// last line without its CR LF is kept with `missingEnd` added, so a test sees it.
inline std::vector<std::string> linesOf(const std::string& text, const std::string& missingEnd = "") {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + missingEnd);
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}
