#include "platform/programs.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace platform {

namespace {

int waitForExit(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

} // namespace

bool startProgram(const std::string& program, const std::vector<std::string>& args, bool wait,
                  int* exitCode) {
    if (program.empty()) {
        return false;
    }
    std::vector<char*> argv;
    argv.reserve(args.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    pid_t child = 0;
    const bool searchPath = program.find('/') == std::string::npos;
    const int error =
        searchPath ? ::posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ)
                   : ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (error != 0) {
        return false;
    }
    if (wait) {
        const int code = waitForExit(child);
        if (exitCode != nullptr) {
            *exitCode = code;
        }
        return true;
    }
    // The caller does not wait; someone must reap the child so that it leaves no zombie.
    std::thread([child] { waitForExit(child); }).detach();
    return true;
}

bool openWithDefaultHandler(const std::string& pathOrUrl) {
    return startProgram("xdg-open", {pathOrUrl}, false);
}

} // namespace platform
