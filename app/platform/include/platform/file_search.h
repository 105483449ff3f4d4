#pragma once
// Wildcard directory search that ignores case, as a Windows file search does.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FoundEntry {
    std::string name;  // the entry's own name, without folder
    uint64_t size = 0; // bytes; 0 for folders
    bool isDirectory = false;
};

// True when the name matches the pattern ignoring ASCII case: `*` matches any run of
// characters, `?` exactly one.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// Lists the entries of a stored folder (resolved with resolvePath) whose names match the
// pattern, in the order the file system returns them. "." and ".." are never returned.
// A missing or unreadable folder yields an empty list.
std::vector<FoundEntry> findEntries(std::string_view storedFolder, std::string_view pattern);

} // namespace platform
