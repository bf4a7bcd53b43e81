#include "platform/Platform.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

// The kernel's link keeps pointing at the image this process was started from,
// even if the file on disk has since been rebuilt or replaced.
const char* runningExecutablePath() { return "/proc/self/exe"; }

ChildProcess startProcess(const std::vector<std::string>& argv, bool pipeInput, std::string& problem) {
    ChildProcess process;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    int ends[2] = {-1, -1};
    if (pipeInput && pipe2(ends, O_CLOEXEC) != 0) {
        problem = std::strerror(errno);
        return process;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (pipeInput)
        posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
    pid_t id = -1;
    const int error = posix_spawnp(&id, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (pipeInput)
        close(ends[0]);
    if (error != 0) {
        problem = error == ENOENT ? "not found" : std::strerror(error);
        if (pipeInput)
            close(ends[1]);
        return process;
    }
    process.id = id;
    process.input = pipeInput ? ends[1] : -1;
    return process;
}

int waitForProcess(ChildProcess& process) {
    if (process.input != -1)
        close(process.input);
    process.input = -1;
    int status = 0;
    while (waitpid(process.id, &status, 0) == -1 && errno == EINTR) {
    }
    process.id = -1;
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}
