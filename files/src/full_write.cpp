#include "files/full_write.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

namespace files {
namespace {

constexpr std::size_t kCopyBlock = 1 << 16;
constexpr std::size_t kKernelCopyChunk = 1 << 20;

bool copyByReadAndWrite(int from, int to) {
    std::vector<char> block(kCopyBlock);
    const auto write = [to](const void* data, std::size_t size) { return ::write(to, data, size); };
    for (;;) {
        const ssize_t got = ::read(from, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!writeFully(write, block.data(), static_cast<std::size_t>(got)))
            return false;
    }
}

// The kernel copies only between some file systems; elsewhere the bytes go through here.
bool kernelCannotCopy(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

} // namespace

bool copyContent(int from, int to) {
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

} // namespace files
