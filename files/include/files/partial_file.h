#pragma once
// A file that another program may pick up while it is written (a conversion's output, a saved
// sound, a dropped copy, the DSS converter's result) is written under a partial name beside its
// target and published only when complete: ".<name>.<host>-<pid>-<token>.part". The leading "."
// and the ".part" ending keep the scan, the job-number search and a transcription system from
// taking it for a finished file; the host name and the process id tell a later run, on any
// machine sharing the folder, whether its writer may still be at work.

#include "files/unique_fd.h"

#include <sys/types.h>

#include <chrono>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace files {

// A partial file of another machine, whose process cannot be asked, counts as abandoned only
// after it has not changed for this long.
inline constexpr std::chrono::hours kForeignPartialAge{24};

// True for a partial file's name (no folder): a leading "." and the ending ".part".
bool isPartialName(std::string_view name);

// This machine's name as partial names carry it: the host name up to its first ".", letters,
// digits, "-" and "_" only (anything else becomes "_"), never empty.
const std::string& hostName();

struct PartialFile {
    UniqueFd fd; // open for writing; not open when the file could not be created
    std::string path;
};

// Creates a new, empty partial file beside the native target, with `mode` less the umask.
// On failure the descriptor is not open and errno tells why.
PartialFile createPartial(const std::string& nativeTarget, mode_t mode = 0666);

// Who writes a partial file, read from its name.
struct PartialWriter {
    std::string host;
    pid_t pid = 0;
};

// The writer a partial name carries; empty for a name that carries none (not a partial name,
// or one written by an older version without the host).
std::optional<PartialWriter> partialWriter(std::string_view name);

// The name of the target a partial name stands for (".a.wav.pc-12-0.part" gives "a.wav"); empty
// when the name carries no writer.
std::string partialTarget(std::string_view name);

// Removes the partial files in a native folder that no writer will finish: those of this
// machine whose process has ended (a crash or a kill while writing), and any other one that
// has not changed for kForeignPartialAge before `now`. Returns how many.
int removeAbandonedPartials(const std::string& nativeFolder, std::time_t now = std::time(nullptr));

} // namespace files
