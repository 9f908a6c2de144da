#pragma once

#include <string>

namespace orvane {

enum class NoticeIcon { Information, Exclamation, Question, Critical, None };

// A message the program shows the user: the window puts it in a message box,
// the command line prints its text on standard error.
struct Notice {
    std::string text;
    std::string title;
    NoticeIcon icon = NoticeIcon::Information;

    bool operator==(const Notice&) const = default;
};

} // namespace orvane
