#include "platform/watched_program.h"

#include "files/unique_fd.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kPollInterval{10};
constexpr int kCannotStart = 127;

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// Done before the fork: the child may only make system calls.
std::string programPath(const std::string& program) {
    if (program.find('/') != std::string::npos)
        return program;
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + program;
        if (isExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

// From here on only async-signal-safe calls: the caller may have other threads.

void killOwnGroup(int) {
    ::kill(0, SIGKILL);
}

void setHandler(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
}

void unblockAllSignals() {
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

void tellStartError(int pipe, int error) {
    while (::write(pipe, &error, sizeof error) < 0 && errno == EINTR) {
    }
}

[[noreturn]] void execProgram(const char* path, char* const argv[], int errorPipe, pid_t keeper) {
    // The caller's handled and ignored signals (SIGPIPE, SIGTERM) are not the program's.
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE})
        setHandler(signal, SIG_DFL);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != keeper)
        ::_exit(kCannotStart);
    ::execve(path, argv, environ);
    tellStartError(errorPipe, errno);
    ::_exit(kCannotStart);
}

// The keeper leads the program's process group and takes the whole group with it when the
// caller's waiting thread ends, whatever ended it.
[[noreturn]] void runKeeper(const char* path, char* const argv[], int errorPipe, pid_t caller) {
    ::setpgid(0, 0);
    setHandler(SIGTERM, killOwnGroup);
    for (const int signal : {SIGINT, SIGHUP, SIGPIPE})
        setHandler(signal, SIG_DFL);
    unblockAllSignals();
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != caller)
        killOwnGroup(0);
    const pid_t keeper = ::getpid();
    const pid_t child = ::fork();
    if (child == 0)
        execProgram(path, argv, errorPipe, keeper);
    if (child < 0) {
        tellStartError(errorPipe, errno);
        ::_exit(kCannotStart);
    }
    // Nothing of the caller's stays open here: not the start pipe, not a lock.
    ::close_range(3, ~0U, 0);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            ::_exit(kCannotStart);
    }
    ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
}

// The errno the program's start failed with; 0 once it runs. The pipe closes at its exec.
int readStartError(int pipe) {
    int error = 0;
    std::size_t got = 0;
    while (got < sizeof error) {
        const ssize_t n = ::read(pipe, reinterpret_cast<char*>(&error) + got, sizeof error - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return 0;
        got += static_cast<std::size_t>(n);
    }
    return error;
}

int exitCodeOf(int status) {
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

int reap(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return exitCodeOf(status);
}

WatchedProgramEnd waitWatched(pid_t keeper, const ProgramWatch& watch) {
    using How = WatchedProgramEnd::How;
    const bool limited = watch.timeLimit.count() > 0;
    const Clock::time_point deadline = Clock::now() + watch.timeLimit;
    for (;;) {
        int status = 0;
        const pid_t ended = ::waitpid(keeper, &status, WNOHANG);
        if (ended == keeper)
            return {How::Exited, exitCodeOf(status), 0};
        if (ended < 0 && errno != EINTR)
            return {How::Exited, -1, 0};
        const bool stop = watch.stopRequested && watch.stopRequested();
        if (stop || (limited && Clock::now() >= deadline)) {
            ::kill(-keeper, SIGKILL);
            reap(keeper);
            return {stop ? How::Stopped : How::TimedOut, -1, 0};
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

} // namespace

WatchedProgramEnd runWatchedProgram(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const ProgramWatch& watch) {
    using How = WatchedProgramEnd::How;
    const std::string path = program.empty() ? std::string() : programPath(program);
    if (path.empty())
        return {How::NotStarted, -1, ENOENT};
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return {How::NotStarted, -1, errno};
    files::UniqueFd readEnd(pipeEnds[0]);
    files::UniqueFd writeEnd(pipeEnds[1]);
    const pid_t caller = ::getpid();
    const pid_t keeper = ::fork();
    if (keeper < 0)
        return {How::NotStarted, -1, errno};
    if (keeper == 0)
        runKeeper(path.c_str(), argv.data(), pipeEnds[1], caller);
    // Set on both sides, so that a kill of the group right away reaches the keeper.
    ::setpgid(keeper, keeper);
    writeEnd.reset();
    if (const int error = readStartError(readEnd.get()); error != 0) {
        reap(keeper);
        return {How::NotStarted, -1, error};
    }
    return waitWatched(keeper, watch);
}

} // namespace platform
