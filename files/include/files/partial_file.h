#pragma once
// A file that another program may pick up while it is written (a conversion's output, a saved
// sound, a dropped copy, the DSS converter's result) is written under a partial name beside its
// target and published only when complete: ".<name>.<pid>-<token>.part". The leading "." and
// the ".part" ending keep the scan, the job-number search and a transcription system from
// taking it for a finished file; the process id tells a later run whether its writer has ended.

#include "files/unique_fd.h"

#include <sys/types.h>

#include <string>
#include <string_view>

namespace files {

// True for a partial file's name (no folder): a leading "." and the ending ".part".
bool isPartialName(std::string_view name);

struct PartialFile {
    UniqueFd fd; // open for writing; not open when the file could not be created
    std::string path;
};

// Creates a new, empty partial file beside the native target, with `mode` less the umask.
// On failure the descriptor is not open and errno tells why.
PartialFile createPartial(const std::string& nativeTarget, mode_t mode = 0666);

// The process id in a partial name's token; 0 when the name carries none.
pid_t partialWriter(std::string_view name);

// Removes the partial files in a native folder whose writer has ended (a crash or a kill
// while writing); those of live processes are being written and stay. Returns how many.
int removeAbandonedPartials(const std::string& nativeFolder);

} // namespace files
