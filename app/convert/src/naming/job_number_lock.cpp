#include "convert/job_number_lock.h"

#include "convert/job_number_search.h"
#include "platform/paths.h"

namespace convert {

std::string JobNumberLockPath(std::string_view outputDir) {
    const std::string_view parent = JobNumberParent(outputDir);
    std::string folder = parent.empty() ? std::string(".") : platform::resolvePath(parent);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder + kJobNumberLockName;
}

RunLock AcquireJobNumberLock(std::string_view outputDir, const std::function<bool()>& keepWaiting,
                             std::chrono::milliseconds longest) {
    const auto deadline = std::chrono::steady_clock::now() + longest;
    return RunLock::Acquire(
        [&] { return std::chrono::steady_clock::now() < deadline && keepWaiting(); },
        JobNumberLockPath(outputDir), std::chrono::milliseconds(20));
}

} // namespace convert
