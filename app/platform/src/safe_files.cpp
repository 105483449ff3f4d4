#include "platform/safe_files.h"

#include "files/full_write.h"
#include "files/partial_file.h"
#include "files/unique_fd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace platform {
namespace {

constexpr std::size_t kCopyBlock = 1 << 16;
constexpr std::size_t kKernelCopyChunk = 1 << 20;

bool copyByReadAndWrite(int from, int to) {
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
        if (!files::writeFully(write, block.data(), static_cast<std::size_t>(got)))
            return false;
    }
}

// The kernel copies only between some file systems; elsewhere the bytes go through here.
bool kernelCannotCopy(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Opened without blocking, so that a FIFO is refused instead of waited on.
files::UniqueFd openRegularFile(const std::string& nativePath) {
    files::UniqueFd fd(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd || ::fstat(fd.get(), &info) != 0)
        return {};
    if (!S_ISREG(info.st_mode)) {
        fd.reset();
        errno = S_ISDIR(info.st_mode) ? EISDIR : ENOTSUP;
    }
    return fd;
}

} // namespace

bool copyFileContent(int from, int to) {
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, kKernelCopyChunk, 0);
        if (copied > 0)
            continue;
        if (copied == 0)
            return true;
        if (errno == EINTR)
            continue;
        return kernelCannotCopy(errno) && copyByReadAndWrite(from, to);
    }
}

std::error_code copyFilePrivately(const std::string& nativeSource,
                                  const std::string& nativeTarget) {
    const files::UniqueFd from = openRegularFile(nativeSource);
    if (!from)
        return {errno, std::generic_category()};
    // A new file, so that it is the owner's alone whatever lay there before.
    ::unlink(nativeTarget.c_str());
    files::UniqueFd to(
        ::open(nativeTarget.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!to)
        return {errno, std::generic_category()};
    const bool copied = copyFileContent(from.get(), to.get());
    const int error = errno;
    if (copied && to.close())
        return {};
    const std::error_code failure(copied ? errno : error, std::generic_category());
    ::unlink(nativeTarget.c_str());
    return failure;
}

files::PublishResult copyFileSafely(const std::string& nativeSource,
                                    const std::string& nativeTarget, bool replace) {
    using files::PublishResult;
    struct stat target {};
    if (!replace && ::stat(nativeTarget.c_str(), &target) == 0) {
        errno = EEXIST;
        return PublishResult::TargetExists;
    }
    const files::UniqueFd from = openRegularFile(nativeSource);
    if (!from)
        return PublishResult::Failed;
    files::PartialFile partial = files::createPartial(nativeTarget);
    if (!partial.fd)
        return PublishResult::Failed;
    const bool copied = copyFileContent(from.get(), partial.fd.get());
    int saved = errno;
    const bool closed = partial.fd.close();
    if (!copied || !closed) {
        if (copied)
            saved = errno;
        ::unlink(partial.path.c_str());
        errno = saved;
        return PublishResult::Failed;
    }
    return files::publish(partial.path, nativeTarget, replace);
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
