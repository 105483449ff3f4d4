#pragma once
// Starting programs with an argument vector, never through a shell: every argument reaches
// the program as it is, blanks and shell characters included.

#include <string>
#include <vector>

namespace platform {

// Starts a program (a native path; a name without '/' is searched in PATH) with the given
// arguments (argv[1] onwards). With wait, blocks until it ends and stores its exit code in
// *exitCode (128 + signal number when a signal ended it); without wait, returns at once and the
// child is reaped in the background. exitCode may be null. Returns false, without throwing,
// when the program cannot be started. A program that must not hold its caller up for good runs
// through runWatchedProgram (watched_program.h) instead.
bool startProgram(const std::string& program, const std::vector<std::string>& args, bool wait,
                  int* exitCode = nullptr);

// Opens a native path or URL with the desktop's default handler (xdg-open), not waited for.
// Returns false when no handler could be started; callers may ignore it.
bool openWithDefaultHandler(const std::string& pathOrUrl);

} // namespace platform
