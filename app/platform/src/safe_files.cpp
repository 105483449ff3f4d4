#include "platform/safe_files.h"

#include "platform/full_write.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <vector>

namespace platform {
namespace {

constexpr std::string_view kPartialEnding = ".part";
constexpr std::size_t kCopyBlock = 1 << 16;

std::string folderOf(const std::string& nativePath) {
    const std::size_t slash = nativePath.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : nativePath.substr(0, slash);
}

std::string nameOf(const std::string& nativePath) {
    const std::size_t slash = nativePath.rfind('/');
    return slash == std::string::npos ? nativePath : nativePath.substr(slash + 1);
}

// Keeps errno of the failure that matters across the clean-up.
void removeQuietly(const std::string& nativePath) {
    const int saved = errno;
    ::unlink(nativePath.c_str());
    errno = saved;
}

bool syncFile(const std::string& nativePath) {
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return synced;
}

// A rename is on disk only once its folder is; a failure here loses nothing that is not
// already in place, so it is not reported.
void syncFolder(const std::string& nativeFolder) {
    const int fd = ::open(nativeFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The process id of a partial name's token ".<name>.<pid>-<counter>.part"; 0 when the name
// carries none.
pid_t writerOfPartial(std::string_view name) {
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

bool processHasEnded(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

bool moveWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the no-replace rename: a hard link also refuses an existing name.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

bool copyContent(int from, int to) {
    std::vector<char> block(kCopyBlock);
    for (;;) {
        const ssize_t got = ::read(from, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        const auto write = [to](const void* data, std::size_t size) {
            return ::write(to, data, size);
        };
        if (!writeFully(write, block.data(), static_cast<std::size_t>(got)))
            return false;
    }
}

} // namespace

bool isPartialName(std::string_view name) {
    return name.size() > kPartialEnding.size() && name.front() == '.' &&
           name.ends_with(kPartialEnding);
}

std::string partialPathFor(const std::string& nativeTarget) {
    static std::atomic<unsigned> counter{0};
    std::string path = folderOf(nativeTarget);
    if (path.back() != '/')
        path += '/';
    path += '.';
    path += nameOf(nativeTarget);
    path += '.';
    path += std::to_string(::getpid());
    path += '-';
    path += std::to_string(counter.fetch_add(1));
    path += kPartialEnding;
    return path;
}

PublishResult publishFile(const std::string& nativePartial, const std::string& nativeTarget,
                          bool replace) {
    if (!syncFile(nativePartial)) {
        removeQuietly(nativePartial);
        return PublishResult::Failed;
    }
    const bool moved = replace ? ::rename(nativePartial.c_str(), nativeTarget.c_str()) == 0
                               : moveWithoutReplacing(nativePartial, nativeTarget);
    if (!moved) {
        const bool exists = errno == EEXIST;
        removeQuietly(nativePartial);
        return exists ? PublishResult::TargetExists : PublishResult::Failed;
    }
    syncFolder(folderOf(nativeTarget));
    return PublishResult::Published;
}

PublishResult copyFileSafely(const std::string& nativeSource, const std::string& nativeTarget,
                             bool replace) {
    struct stat target {};
    if (!replace && ::stat(nativeTarget.c_str(), &target) == 0) {
        errno = EEXIST;
        return PublishResult::TargetExists;
    }
    const int from = ::open(nativeSource.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0)
        return PublishResult::Failed;
    struct stat source {};
    if (::fstat(from, &source) != 0 || S_ISDIR(source.st_mode)) {
        if (S_ISDIR(source.st_mode))
            errno = EISDIR;
        const int saved = errno;
        ::close(from);
        errno = saved;
        return PublishResult::Failed;
    }
    const std::string partial = partialPathFor(nativeTarget);
    const int to = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (to < 0) {
        const int saved = errno;
        ::close(from);
        errno = saved;
        return PublishResult::Failed;
    }
    const bool copied = copyContent(from, to);
    int saved = errno;
    ::close(from);
    const bool closed = ::close(to) == 0;
    if (!copied || !closed) {
        if (copied)
            saved = errno;
        ::unlink(partial.c_str());
        errno = saved;
        return PublishResult::Failed;
    }
    return publishFile(partial, nativeTarget, replace);
}

bool renameWithoutReplacing(const std::string& nativeFrom, const std::string& nativeTo) {
    return moveWithoutReplacing(nativeFrom, nativeTo);
}

int removeAbandonedPartials(const std::string& nativeFolder) {
    DIR* dir = ::opendir(nativeFolder.c_str());
    if (dir == nullptr)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t writer = writerOfPartial(entry->d_name);
        if (writer > 0 && processHasEnded(writer) &&
            ::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

std::string numberedName(std::string_view name, int k) {
    const std::size_t dot = name.rfind('.');
    const std::string_view stem = dot == std::string_view::npos ? name : name.substr(0, dot);
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view() : name.substr(dot);
    std::string result(stem);
    result += '(';
    result += std::to_string(k);
    result += ')';
    result += extension;
    return result;
}

} // namespace platform
