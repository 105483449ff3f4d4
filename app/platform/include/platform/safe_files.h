#pragma once
// Copies that another program may pick up while they are written (a conversion's output, a
// dropped copy) go through a partial file beside the target (files/partial_file.h) and are
// published only when complete and on disk.

#include "files/publish.h"

#include <string>
#include <string_view>
#include <system_error>

namespace platform {

// Copies a file through a partial file in the target's folder. Every read and write and the
// flush are checked (errno tells why a copy Failed; a source that is not a regular file is
// refused as by copyFilePrivately); a failed copy leaves nothing behind, and without replace an
// existing target is left untouched (TargetExists).
files::PublishResult copyFileSafely(const std::string& nativeSource,
                                    const std::string& nativeTarget, bool replace);

// Copies the rest of one open file into another: in the kernel where it can (copy_file_range),
// else by reading and writing. Every call is checked, short ones included, so a target that
// can take no more reports ENOSPC (EFBIG past the file size limit), never a bare I/O error.
// False with errno set.
bool copyFileContent(int from, int to);

// The run's private working copy of an input: the whole of a regular file into a file of its
// own (mode 0600, replacing one of that name), without a partial name or a flush. What is not a
// regular file is refused (ENOTSUP, EISDIR) without ever waiting on a FIFO. A failed copy leaves
// no target. The error, or none when copied.
std::error_code copyFilePrivately(const std::string& nativeSource, const std::string& nativeTarget);

// "abc.wav" with k = 2 gives "abc(2).wav": "(" + k + ")" before the extension (from the last
// "." on), at the end of a name without one.
std::string numberedName(std::string_view name, int k);

} // namespace platform
