#include "files/partial_file.h"

#include "files/path_parts.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace files {
namespace {

constexpr std::string_view kPartialEnding = ".part";
// Each library keeps its own count, so two of them in one process may pick one name: enough
// attempts to step past those and past names left by writers that died.
constexpr unsigned kCreateAttempts = 100;

std::string partialPathFor(const std::string& nativeTarget, unsigned token) {
    const std::size_t slash = nativeTarget.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string path = nativeTarget.substr(0, nameStart);
    path += '.';
    path.append(nativeTarget, nameStart, std::string::npos);
    path += '.';
    path += std::to_string(::getpid());
    path += '-';
    path += std::to_string(token);
    path += kPartialEnding;
    return path;
}

bool processHasEnded(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

bool isPartialName(std::string_view name) {
    return name.size() > kPartialEnding.size() && name.front() == '.' &&
           name.ends_with(kPartialEnding);
}

PartialFile createPartial(const std::string& nativeTarget, mode_t mode) {
    static std::atomic<unsigned> counter{0};
    for (unsigned attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::string path = partialPathFor(nativeTarget, counter.fetch_add(1));
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return {UniqueFd(fd), std::move(path)};
        if (errno != EEXIST)
            break;
    }
    return {};
}

pid_t partialWriter(std::string_view name) {
    if (!isPartialName(name))
        return 0;
    name.remove_suffix(kPartialEnding.size());
    const std::size_t dash = name.rfind('-');
    const std::size_t dot = name.rfind('.', dash);
    if (dash == std::string_view::npos || dot == std::string_view::npos || dot + 1 >= dash)
        return 0;
    pid_t pid = 0;
    for (char c : name.substr(dot + 1, dash - dot - 1)) {
        if (c < '0' || c > '9' || pid > 100000000)
            return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

int removeAbandonedPartials(const std::string& nativeFolder) {
    DIR* dir = ::opendir(nativeFolder.c_str());
    if (dir == nullptr)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t writer = partialWriter(entry->d_name);
        if (writer > 0 && processHasEnded(writer) &&
            ::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

} // namespace files
