#include "FolderWatch.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>

FolderWatch::FolderWatch(const std::string& folder) {
    watch_ = inotify_init1(IN_CLOEXEC);
    if (watch_ < 0 || inotify_add_watch(watch_, folder.c_str(), IN_CREATE | IN_MODIFY | IN_MOVED_TO) < 0)
        throw std::runtime_error("the folder " + folder + " cannot be watched: " + std::strerror(errno));
}

FolderWatch::~FolderWatch() { close(watch_); }

bool FolderWatch::waitForFileOtherThan(const std::string& name, int timeoutMs) {
    return waitFor([&name](std::uint32_t mask, const char* file) { return (mask & IN_CREATE) && name != file; },
                   timeoutMs);
}

bool FolderWatch::waitForChangeOf(const std::string& name, int timeoutMs) {
    return waitFor(
        [&name](std::uint32_t mask, const char* file) { return (mask & (IN_MODIFY | IN_MOVED_TO)) && name == file; },
        timeoutMs);
}

template <typename Wanted> bool FolderWatch::waitFor(Wanted wanted, int timeoutMs) {
    alignas(inotify_event) char events[4096];
    for (;;) {
        pollfd ready{watch_, POLLIN, 0};
        const int polled = poll(&ready, 1, timeoutMs);
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0) return false;
        const ssize_t length = read(watch_, events, sizeof events);
        if (length <= 0) return false;
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            if (event->len > 0 && wanted(event->mask, event->name)) return true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}
