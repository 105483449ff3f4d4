#include "files/publish.h"

#include "files/path_parts.h"
#include "files/unique_fd.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

namespace files {
namespace {

// Keeps errno of the failure that matters across the clean-up.
void removeQuietly(const std::string& nativePath) {
    const int saved = errno;
    ::unlink(nativePath.c_str());
    errno = saved;
}

bool syncPath(const std::string& nativePath, int flags) {
    UniqueFd fd(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | flags));
    return fd.isOpen() && ::fsync(fd.get()) == 0;
}

} // namespace

bool syncFile(const std::string& nativePath) {
    return syncPath(nativePath, 0);
}

bool syncFolder(const std::string& nativeFolder) {
    return syncPath(nativeFolder, O_DIRECTORY);
}

bool moveWithoutReplacing(const std::string& nativeFrom, const std::string& nativeTo) {
    return moveWithoutReplacingAt(AT_FDCWD, nativeFrom, AT_FDCWD, nativeTo);
}

bool moveWithoutReplacingAt(int fromFolder, const std::string& fromName, int toFolder,
                            const std::string& toName) {
    if (::renameat2(fromFolder, fromName.c_str(), toFolder, toName.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the no-replace rename: a hard link also refuses an existing name.
    if (::linkat(fromFolder, fromName.c_str(), toFolder, toName.c_str(), 0) != 0)
        return false;
    ::unlinkat(fromFolder, fromName.c_str(), 0);
    return true;
}

PublishResult moveIntoPlace(const std::string& nativePartial, const std::string& nativeTarget,
                            bool replace) {
    // Whatever allocates comes first: once the file is in place, nothing may fail.
    const std::string folder = folderOf(nativeTarget);
    const bool moved = replace ? ::rename(nativePartial.c_str(), nativeTarget.c_str()) == 0
                               : moveWithoutReplacing(nativePartial, nativeTarget);
    if (!moved) {
        const bool exists = errno == EEXIST;
        removeQuietly(nativePartial);
        return exists ? PublishResult::TargetExists : PublishResult::Failed;
    }
    syncFolder(folder);
    return PublishResult::Published;
}

PublishResult publish(const std::string& nativePartial, const std::string& nativeTarget,
                      bool replace) {
    if (!syncFile(nativePartial)) {
        removeQuietly(nativePartial);
        return PublishResult::Failed;
    }
    return moveIntoPlace(nativePartial, nativeTarget, replace);
}

} // namespace files
