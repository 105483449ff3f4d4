#include "platform/safe_files.h"

#include "files/full_write.h"
#include "files/partial_file.h"
#include "files/unique_fd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

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
    const bool copied = files::copyContent(from.get(), partial.fd.get());
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
