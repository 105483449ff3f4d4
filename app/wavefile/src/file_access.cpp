#include "wavefile/file_access.h"

#include "files/full_write.h"

#include <cerrno>
#include <cstring>

namespace wavefile {

ssize_t ReadFully(WaveFileIo& io, int fd, void* buffer, std::size_t size) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = io.Read(fd, bytes + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

bool WriteFully(WaveFileIo& io, int fd, const void* data, std::size_t size) {
    return files::writeFully(
        [&](const void* bytes, std::size_t count) { return io.Write(fd, bytes, count); }, data,
        size);
}

std::string SystemErrorText(int error) {
    return std::strerror(error);
}

} // namespace wavefile
