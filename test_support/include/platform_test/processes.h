#pragma once
// Processes a test's stand-in programs started, found by the ids they wrote down, for checks that
// none of them outlives what should have ended it.

#include <signal.h>
#include <sys/types.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace platform_test {

// True when the process is gone, or is a zombie that only waits for its parent (a process whose
// parent died is reaped by whoever adopts it, which in a container may never happen).
inline bool processEnded(pid_t pid) {
    if (::kill(pid, 0) != 0 && errno == ESRCH)
        return true;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(stat)),
                           std::istreambuf_iterator<char>());
    const std::size_t nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos || nameEnd + 2 >= text.size())
        return !stat.good();
    const char state = text[nameEnd + 2];
    return state == 'Z' || state == 'X';
}

// The process ids in a file, one a line ("echo $$ >> file" in a script); empty when missing.
inline std::vector<pid_t> processIdsIn(const std::filesystem::path& file) {
    std::vector<pid_t> ids;
    std::ifstream in(file);
    for (long id = 0; in >> id;)
        ids.push_back(static_cast<pid_t>(id));
    return ids;
}

} // namespace platform_test
