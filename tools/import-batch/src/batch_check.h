// import-batch --check: whether the configuration in the current folder can drive a conversion,
// checked as a run would meet it, without converting anything (a service's check before it
// starts watching).
#pragma once

#include <string>
#include <vector>

namespace batch {

// What --watch says of an interval outside 1 to 1440 minutes.
std::string WatchIntervalProblem(int minutes);

// Every problem the configuration has, one text each: an unusable import.ini, an interval
// --watch refuses, a missing drive root, a temporary folder a run cannot use, and for each
// table row an input folder that is missing, unreadable or unwritable (its dictations could not
// be marked done) and an output folder that is missing and cannot be created, or unwritable;
// with speech recognition on, the engine's folders. Empty when all is well.
std::vector<std::string> ConfigurationProblems();

// --check: prints each problem on standard error, or that all is well on standard output; the
// exit status, 0 or 2.
int CheckConfiguration();

} // namespace batch
