#pragma once

#include <clocale>
#include <string>

// Puts the C library under a user's locale (LC_ALL) for the life of the
// object, as the windows run once Qt has taken the user's locale, and
// restores the locale that was in force. `active()` is false when the machine
// has no such locale.
class UserLocale {
public:
    explicit UserLocale(const char* name) {
        const char* current = std::setlocale(LC_ALL, nullptr);
        previous_ = current ? current : "C";
        active_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~UserLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    UserLocale(const UserLocale&) = delete;
    UserLocale& operator=(const UserLocale&) = delete;

    bool active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};
