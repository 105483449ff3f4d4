#pragma once
// The lock of a day's job numbers: a job holds it from the search for the highest number until
// its output name is reserved (its partial file lies in the output folder, where every later
// search counts it), so that runs of other working folders and other machines that number into
// the same sibling folders never hand out one number twice. It is the lock file
// ".import-numbers.lock" in the parent of the output folder, the folder of the siblings
// Type1 to Type101, taken only for that moment.

#include "convert/run_lock.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace convert {

inline constexpr const char* kJobNumberLockName = ".import-numbers.lock";
// Another run holds the lock for a search of the folders and the creation of one file: a wait
// this long means that run is stuck.
inline constexpr std::chrono::seconds kJobNumberLockWait{30};

// The native lock file for an output folder (stored).
std::string JobNumberLockPath(std::string_view outputDir);

// Waits for the lock while `keepWaiting` says so, kJobNumberLockWait at most. Not held when
// the wait was given up or ran out; unavailable() when no lock file can be made there (a
// parent folder this user may not write), where the job goes on without it: the reserved
// partial name and the output's publication without replacing still keep one output from
// taking another's name.
RunLock AcquireJobNumberLock(std::string_view outputDir, const std::function<bool()>& keepWaiting,
                             std::chrono::milliseconds longest = kJobNumberLockWait);

} // namespace convert
