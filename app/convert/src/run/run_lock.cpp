#include "convert/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace convert {
namespace {

// Never through a link another user placed; a lock file that another user made and this one
// may only read still takes the lock.
int OpenLockFile(const std::string& nativePath) {
    const int fd = ::open(nativePath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EACCES)
        return fd;
    return ::open(nativePath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
}

} // namespace

RunLock RunLock::TryAcquire(const std::string& nativePath) {
    RunLock lock;
    const int fd = OpenLockFile(nativePath);
    if (fd < 0) {
        lock.openError_ = errno;
        return lock;
    }
    files::UniqueFd file(fd);
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        lock.file_ = std::move(file);
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

} // namespace convert
