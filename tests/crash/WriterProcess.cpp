#include "WriterProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

WriterProcess::WriterProcess(const std::vector<std::string>& args) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The writer's standard output is the pipe's write end, open only in the writer.
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    readyPipe_ = ends[0];
    if (spawned != 0) {
        close(readyPipe_);
        throw std::runtime_error("the crash writer " + args.front() + " could not be started");
    }
}

WriterProcess::~WriterProcess() {
    if (pid_ > 0 && !reaped_) killAndReap();
    if (readyPipe_ >= 0) close(readyPipe_);
}

bool WriterProcess::waitUntilWriting() {
    char ready = 0;
    ssize_t n;
    do n = read(readyPipe_, &ready, 1);
    while (n < 0 && errno == EINTR);
    return n == 1;
}

std::string WriterProcess::killAndReap() {
    if (!reaped_) kill(pid_, SIGKILL);
    return reap();
}

std::string WriterProcess::reap() {
    while (!reaped_) {
        const pid_t reaped = waitpid(pid_, &status_, 0);
        if (reaped < 0 && errno != EINTR) return "could not be reaped";
        reaped_ = reaped == pid_;
    }
    return endedHow();
}

std::string WriterProcess::endedHow() const {
    if (WIFSIGNALED(status_))
        return WTERMSIG(status_) == SIGKILL ? kKilled : "ended by signal " + std::to_string(WTERMSIG(status_));
    return "exited with status " + std::to_string(WEXITSTATUS(status_));
}
