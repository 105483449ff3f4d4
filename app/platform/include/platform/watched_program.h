#pragma once
// Running a program that must never hold its caller up for good (the DSS converter): it runs in a
// process group of its own, is waited for with a time limit and a stop request, and is killed
// with its whole group when either comes. A keeper process leads the group and kills it when the
// caller dies, even by SIGKILL, so that no process of the group outlives its caller.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace platform {

struct ProgramWatch {
    // Zero or less: no limit.
    std::chrono::milliseconds timeLimit{0};
    // Asked often while the program runs, on the waiting thread; may be empty.
    std::function<bool()> stopRequested;
};

struct WatchedProgramEnd {
    enum class How {
        Exited,     // exitCode holds its exit code (128 + signal when a signal ended it)
        TimedOut,   // the time limit passed: the group was killed
        Stopped,    // stopRequested answered true: the group was killed
        NotStarted, // error holds why (an errno value)
    };
    How how = How::NotStarted;
    int exitCode = -1;
    int error = 0;
};

// Starts the program (a native path; a name without '/' is searched in PATH) with the arguments
// (argv[1] onwards) and the current environment, and waits for it as the watch says. Blocks the
// calling thread, whose end would end the keeper too: call it from a thread that waits. Nothing
// is thrown.
WatchedProgramEnd runWatchedProgram(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const ProgramWatch& watch);

} // namespace platform
