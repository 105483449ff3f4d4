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
        if (!files::writeFully(write, block.data(), static_cast<std::size_t>(got)))
            return false;
    }
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
    const bool copied = copyContent(from.get(), partial.fd.get());
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
