#include "convert/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <utility>

namespace convert {
namespace {

int OpenLockFile(const std::string& nativePath) {
    return ::open(nativePath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
}

} // namespace

RunLock RunLock::TryAcquire(const std::string& nativePath) {
    RunLock lock;
    const int fd = OpenLockFile(nativePath);
    if (fd < 0) {
        lock.unavailable_ = true;
        return lock;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        lock.fd_ = fd;
    else
        ::close(fd);
    return lock;
}

RunLock RunLock::Acquire(const std::function<bool()>& keepWaiting, const std::string& nativePath,
                         std::chrono::milliseconds pollInterval) {
    for (;;) {
        RunLock lock = TryAcquire(nativePath);
        if (lock.held() || lock.unavailable() || !keepWaiting())
            return lock;
        std::this_thread::sleep_for(pollInterval);
    }
}

RunLock::RunLock(RunLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
    , unavailable_(other.unavailable_) {}

RunLock& RunLock::operator=(RunLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        unavailable_ = other.unavailable_;
    }
    return *this;
}

RunLock::~RunLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace convert
