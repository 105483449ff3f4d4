#pragma once
// Writing a whole buffer through a write call that may write less than asked (a signal, a pipe,
// a file system near its end), and copying a file's content that way.

#include <sys/types.h>

#include <cerrno>
#include <cstddef>

namespace files {

// Writes all `size` bytes through `write(data, size)`, which answers as ::write does, and
// retries after EINTR. False with errno set; a write that makes no progress counts as a full
// disk (ENOSPC).
template <class Write>
bool writeFully(Write write, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies everything from the current offset of `from` to `to`: in the kernel where it can
// (copy_file_range), else by reading and writing. Every call is checked, short ones included, so
// a target that can take no more reports ENOSPC (EFBIG past the file size limit), never a bare
// I/O error. False with errno set.
bool copyContent(int from, int to);

} // namespace files
