#include "file_access.h"

#include "platform/full_write.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace convert::steps {

FileHandle::~FileHandle() {
    if (fd_ >= 0)
        ::close(fd_);
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

int FileHandle::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool FileHandle::close() {
    if (fd_ < 0)
        return true;
    return ::close(release()) == 0;
}

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
    return platform::writeFully(
        [&](const void* bytes, std::size_t count) { return io.Write(fd, bytes, count); }, data,
        size);
}

std::string SystemErrorText(int error) {
    return std::strerror(error);
}

} // namespace convert::steps
