#pragma once
// Marks a converted input as done by renaming it with a leading "_", which takes it out of the
// job list. A name already taken is never replaced: the numbered names "_abc(1).wav" to
// "_abc(100).wav" are tried in turn.

#include <optional>
#include <string>
#include <string_view>

namespace convert {

inline constexpr int kNumberedRenameAttempts = 100;

// Whether the input can be renamed to its done name: the folder is writable for this process
// and "_" + the name fits the file system's limit (errno tells why not). A job checks it before
// it converts: an input converted but never marked done would be converted again by every
// later run.
bool InputCanBeMarkedDone(std::string_view inputDir, std::string_view inputName);

// The new name under which the input now lies (no folder), or nothing when all 101 names
// failed (the input keeps its name). inputDir is stored.
std::optional<std::string> MarkInputDone(std::string_view inputDir, std::string_view inputName);

} // namespace convert
