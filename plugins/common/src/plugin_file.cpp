#include "common/plugin_file.h"

#include "common/message_sink.h"
#include "textpack/string_ids.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace common {
namespace {

int openForReading(const char* name) {
    const int fd = ::open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return fd;
    }
    // A directory opens on POSIX systems but is not a file a plug-in can read.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        return -1;
    }
    return fd;
}

} // namespace

PluginFile::PluginFile(const char* fileName, bool forReading)
    : fileName_(fileName) {
    handle_ = forReading ? openForReading(fileName)
                         : ::open(fileName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (handle_ < 0) {
        reportSystemError(fileName_);
    }
}

PluginFile::PluginFile(const char* fileName, OpenHandle handle)
    : handle_(handle.descriptor)
    , fileName_(fileName) {}

PluginFile::~PluginFile() {
    close();
}

void PluginFile::close() {
    if (handle_ >= 0) {
        ::close(handle_);
        handle_ = -1;
    }
}

bool PluginFile::flush() {
    if (::fsync(handle_) != 0) {
        return reportSystemError(fileName_);
    }
    return true;
}

bool PluginFile::closeReporting() {
    const int handle = handle_;
    handle_ = -1;
    // Linux releases the handle even when close fails; it must not be closed again.
    if (::close(handle) != 0 && errno != EINTR) {
        return reportSystemError(fileName_);
    }
    return true;
}

bool PluginFile::read(void* buffer, std::size_t n) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::read(handle_, bytes + done, n - done);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return reportSystemError(fileName_);
        }
        if (got == 0) {
            return reportWithName(fileName_, loadText(TEXT_ID_SHORT_READ));
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool PluginFile::write(const void* buffer, std::size_t n) {
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t put = ::write(handle_, bytes + done, n - done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return reportSystemError(fileName_);
        }
        if (put == 0) {
            return reportWithName(fileName_, loadText(TEXT_ID_SHORT_WRITE));
        }
        done += static_cast<std::size_t>(put);
    }
    startWriteback(n);
    return true;
}

// The device writes while the plug-in goes on encoding; the flush at the end then waits for the
// last few megabytes instead of the whole file. Only a hint: a file that cannot take it (a pipe,
// a device) is written as before.
void PluginFile::startWriteback(std::size_t written) {
    constexpr uint64_t kWritebackBytes = uint64_t{4} << 20;
    writtenUpTo_ += written;
    if (writtenUpTo_ - handedOver_ < kWritebackBytes) {
        return;
    }
#if defined(SYNC_FILE_RANGE_WRITE)
    ::sync_file_range(handle_, static_cast<off_t>(handedOver_),
                      static_cast<off_t>(writtenUpTo_ - handedOver_), SYNC_FILE_RANGE_WRITE);
#endif
    handedOver_ = writtenUpTo_;
}

bool PluginFile::seek(int32_t distance, SeekMethod method) {
    const int whence = method == SeekMethod::Begin     ? SEEK_SET
                       : method == SeekMethod::Current ? SEEK_CUR
                                                       : SEEK_END;
    if (::lseek(handle_, distance, whence) == static_cast<off_t>(-1)) {
        return reportSystemError(fileName_);
    }
    return true;
}

bool PluginFile::size(uint32_t& out) {
    struct stat info {};
    if (handle_ < 0 || ::fstat(handle_, &info) != 0) {
        return false;
    }
    // Keeping only the low 32 bits would silently read a wrong length; refuse such files.
    if (static_cast<uint64_t>(info.st_size) > std::numeric_limits<uint32_t>::max()) {
        errno = EFBIG;
        return reportSystemError(fileName_);
    }
    out = static_cast<uint32_t>(info.st_size);
    return true;
}

} // namespace common
