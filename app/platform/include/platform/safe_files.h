#pragma once
// Files that another program may pick up while they are written (a conversion's output, a
// dropped copy, the DSS converter's result) are written under a partial name in the same
// folder and moved into place only when complete and on disk. The partial name has a leading
// "." and a ".part" ending, so that neither the scan, nor the job-number search, nor a
// transcription system takes it for a finished file.

#include <string>
#include <string_view>

namespace platform {

// True for a partial file's name (no folder): a leading "." and the ending ".part".
bool isPartialName(std::string_view name);

// A partial file's native path for a native target path: "." + the target's name + a token
// unique to this process and call + ".part", in the target's folder.
std::string partialPathFor(const std::string& nativeTarget);

enum class PublishResult {
    Published,    // the target now holds the complete file
    TargetExists, // refused: a file of that name exists and must not be replaced
    Failed,       // an error (errno tells); nothing is left at the partial path
};

// Flushes the partial file to disk and moves it to the target. Without replace an existing
// target is never replaced, not even one that appears meanwhile. On any result but Published
// the partial file is removed.
PublishResult publishFile(const std::string& nativePartial, const std::string& nativeTarget,
                          bool replace);

// Copies a file through a partial file in the target's folder. Every read and write and the
// flush are checked; a failed copy leaves nothing behind, and without replace an existing
// target is left untouched (TargetExists).
PublishResult copyFileSafely(const std::string& nativeSource, const std::string& nativeTarget,
                             bool replace);

// Renames a file, failing (errno EEXIST) rather than replacing a file of the new name.
bool renameWithoutReplacing(const std::string& nativeFrom, const std::string& nativeTo);

// Removes the partial files in a native folder that an ended process left behind (a crash or
// a kill while writing), recognised by the process id in their token; partial files of live
// processes are being written and stay. Returns how many were removed.
int removeAbandonedPartials(const std::string& nativeFolder);

// "abc.wav" with k = 2 gives "abc(2).wav": "(" + k + ")" before the extension (from the last
// "." on), at the end of a name without one.
std::string numberedName(std::string_view name, int k);

} // namespace platform
