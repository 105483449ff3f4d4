#include "platform/safe_files.h"

#include "files/full_write.h"
#include "files/partial_file.h"
#include "files/unique_fd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

files::PublishResult copyFileSafely(const std::string& nativeSource,
                                    const std::string& nativeTarget, bool replace) {
    using files::PublishResult;
    struct stat target {};
    if (!replace && ::stat(nativeTarget.c_str(), &target) == 0) {
        errno = EEXIST;
        return PublishResult::TargetExists;
    }
    const files::UniqueFd from(::open(nativeSource.c_str(), O_RDONLY | O_CLOEXEC));
    if (!from)
        return PublishResult::Failed;
    struct stat source {};
    if (::fstat(from.get(), &source) != 0)
        return PublishResult::Failed;
    if (S_ISDIR(source.st_mode)) {
        errno = EISDIR;
        return PublishResult::Failed;
    }
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
