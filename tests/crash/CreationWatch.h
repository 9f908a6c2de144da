#pragma once

#include <string>

// Watches a folder for files being created in it, so the test can time a kill
// from the moment a writer creates its temporary file.
class CreationWatch {
public:
    explicit CreationWatch(const std::string& folder);
    ~CreationWatch();
    CreationWatch(const CreationWatch&) = delete;
    CreationWatch& operator=(const CreationWatch&) = delete;

    // Blocks until a file other than `name` is created in the folder; false
    // when none is within `timeoutMs`.
    bool waitForFileOtherThan(const std::string& name, int timeoutMs);

private:
    int watch_ = -1;
};
