#pragma once
// Copies that another program may pick up while they are written (a conversion's output, a
// dropped copy) go through a partial file beside the target (files/partial_file.h) and are
// published only when complete and on disk.

#include "files/publish.h"

#include <string>
#include <string_view>

namespace platform {

// Copies a file through a partial file in the target's folder. Every read and write and the
// flush are checked (errno tells why a copy Failed: ENOSPC for a full disk; a source that is not
// a regular file is refused, EISDIR or ENOTSUP, without waiting on a FIFO); a failed copy leaves
// nothing behind, and without replace an existing target is left untouched (TargetExists).
files::PublishResult copyFileSafely(const std::string& nativeSource,
                                    const std::string& nativeTarget, bool replace);

// "abc.wav" with k = 2 gives "abc(2).wav": "(" + k + ")" before the extension (from the last
// "." on), at the end of a name without one.
std::string numberedName(std::string_view name, int k);

} // namespace platform
