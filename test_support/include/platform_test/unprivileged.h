#pragma once
// Runs a check where file permissions bind. The suite runs as root in CI, and root may write
// into any folder, so a check that needs an unwritable folder runs in a child process that
// first drops to the unprivileged user "nobody". Run as any other user, the child keeps its
// user.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform_test {

inline constexpr uid_t kNobodyId = 65534;

// Gives everyone full access to a folder and everything below it, so that the unprivileged
// child can work in a test folder that root created (temporary folders are private).
inline void shareWithEveryone(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::permissions(folder, fs::perms::all, fs::perm_options::add, ignored);
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored))
        fs::permissions(entry.path(), fs::perms::all, fs::perm_options::add, ignored);
}

// In a child process about to do what the test checks: becomes "nobody" when running as root,
// else keeps its user. False when the privileges could not be dropped.
inline bool dropPrivileges() {
    if (::geteuid() != 0)
        return true;
    const gid_t group = kNobodyId;
    return ::setgroups(1, &group) == 0 && ::setgid(kNobodyId) == 0 && ::setuid(kNobodyId) == 0;
}

// The check's result, run in a child process without privileges; empty when the child could not
// drop them or did not end normally. The child ends with _exit, so nothing of the parent's
// state (buffers, leak checks, test results) is run twice.
inline std::optional<bool> runUnprivileged(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        if (!dropPrivileges())
            ::_exit(3);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return std::nullopt;
    const int code = WEXITSTATUS(status);
    if (code > 1)
        return std::nullopt;
    return code == 0;
}

} // namespace platform_test
