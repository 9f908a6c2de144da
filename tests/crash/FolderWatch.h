#pragma once

#include <string>

// Watches a folder for files being created, written or renamed in it, so the
// test can time a kill from the moment a writer starts on a file.
class FolderWatch {
public:
    explicit FolderWatch(const std::string& folder);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Block until a file other than `name` is created in the folder (a
    // replace's temporary), or until `name` changes (written, or another file
    // renamed over it); false when that does not happen within `timeoutMs`.
    bool waitForFileOtherThan(const std::string& name, int timeoutMs);
    bool waitForChangeOf(const std::string& name, int timeoutMs);

private:
    // Waits for an event for which `wanted(mask, name)` holds.
    template <typename Wanted> bool waitFor(Wanted wanted, int timeoutMs);

    int watch_ = -1;
};
