#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// The crash writer as a child process: started with its arguments, then
// killed, and always reaped.
class WriterProcess {
public:
    explicit WriterProcess(const std::vector<std::string>& args);
    ~WriterProcess();
    WriterProcess(const WriterProcess&) = delete;
    WriterProcess& operator=(const WriterProcess&) = delete;

    // Blocks until the writer says it has started writing; false when it ended
    // (or could not start) before that.
    bool waitUntilWriting();

    // Sends SIGKILL and reaps the writer. Returns how it ended: "killed" when the
    // kill ended it, else what it did on its own ("exited with status 3").
    std::string killAndReap();

private:
    // Waits for the writer to end; returns how it ended.
    std::string reap();
    std::string endedHow() const;

    pid_t pid_ = -1;
    int status_ = 0;
    bool reaped_ = false;
    int readyPipe_ = -1;
};

// Ended by the kill, as killAndReap() reports it.
inline constexpr const char* kKilled = "killed";
// Ended with status 0 before the kill reached it.
inline constexpr const char* kFinished = "exited with status 0";
