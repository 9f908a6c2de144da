#include "CreationWatch.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>

CreationWatch::CreationWatch(const std::string& folder) {
    watch_ = inotify_init1(IN_CLOEXEC);
    if (watch_ < 0 || inotify_add_watch(watch_, folder.c_str(), IN_CREATE) < 0)
        throw std::runtime_error("the folder " + folder + " cannot be watched: " + std::strerror(errno));
}

CreationWatch::~CreationWatch() { close(watch_); }

bool CreationWatch::waitForFileOtherThan(const std::string& name, int timeoutMs) {
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
            if (event->len > 0 && name != event->name) return true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}
