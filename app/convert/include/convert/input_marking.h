#pragma once
// Marks a converted input as done by renaming it with a leading "_", which takes it out of the
// job list. A name already taken is never replaced: the numbered names "_abc(1).wav" to
// "_abc(100).wav" are tried in turn.

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace convert {

inline constexpr int kNumberedRenameAttempts = 100;

// The done names of an input in the order they are tried: "_" + the name, then the numbered
// ones.
std::string DoneName(std::string_view inputName, int attempt);

// The first done name that is free in the open folder, for an input owned by `inputOwner`
// that this process may rename there. A job asks before it converts: an input converted but
// never marked done would be converted again by every later run. Nothing, with errno set, when
// it may not: the folder is not writable (EACCES), its sticky bit keeps other users' files
// (EPERM), "_" + the name passes the file system's limit (ENAMETOOLONG), or every done name is
// taken (EEXIST).
std::optional<std::string> FreeDoneName(int folder, std::string_view inputName, uid_t inputOwner);

// Renames the input in the open folder to `doneName`, or when that is taken meanwhile to the
// first free done name, never replacing a file; then flushes the folder, so that the mark
// outlives a crash. The name it now has, or nothing with errno set.
std::optional<std::string> MarkInputDone(int folder, std::string_view inputName,
                                         std::string_view doneName);

} // namespace convert
