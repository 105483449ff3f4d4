#pragma once
// The lock that keeps conversions of one working folder from overlapping: the window's runs and
// the command-line runner's hold the lock file "import.lock" in the working folder for the
// length of every run. The lock is the system's advisory file lock, so it ends with its
// holder, a killed one included; the file itself stays.

#include "files/unique_fd.h"

#include <chrono>
#include <functional>
#include <string>

namespace convert {

inline constexpr const char* kRunLockFileName = "import.lock";

class RunLock {
public:
    // Takes the lock if it is free. held() tells whether it was taken.
    static RunLock TryAcquire(const std::string& nativePath = kRunLockFileName);
    // Waits until the lock is free and takes it, checking `keepWaiting` between attempts (a
    // signal to stop); not held when waiting was given up or the file cannot be opened.
    static RunLock Acquire(const std::function<bool()>& keepWaiting,
                           const std::string& nativePath = kRunLockFileName,
                           std::chrono::milliseconds pollInterval = std::chrono::milliseconds(200));

    bool held() const { return file_.isOpen(); }
    // True when the lock file could not be opened at all (an unwritable working folder);
    // openError() then says why (an errno value).
    bool unavailable() const { return openError_ != 0; }
    int openError() const { return openError_; }

private:
    RunLock() = default;
    files::UniqueFd file_;
    int openError_ = 0;
};

} // namespace convert
