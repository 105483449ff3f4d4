#pragma once
// Wildcard directory search that ignores case, as a Windows file search does.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// What an entry is itself, a symbolic link not followed.
enum class EntryKind { RegularFile, Directory, SymbolicLink, Other };

struct FoundEntry {
    std::string name;         // the entry's own name, without folder
    uint64_t size = 0;        // bytes; 0 for folders
    bool isDirectory = false; // a folder, or a link to one
    EntryKind kind = EntryKind::Other;
};

// True when the name matches the pattern ignoring ASCII case: `*` matches any run of
// characters, `?` exactly one.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// Name order of listings: bytes compared with ASCII letters folded to lower case; names that
// differ in case only are ordered by their bytes.
bool caseInsensitiveNameLess(std::string_view a, std::string_view b);

// Lists the entries of a stored folder (resolved with resolvePath) whose names match the
// pattern, in case-insensitive name order (caseInsensitiveNameLess), as a Windows file system
// lists them, so that nothing depends on the order in which files reached the disk. "." and
// ".." are never returned. A missing or unreadable folder yields an empty list.
std::vector<FoundEntry> findEntries(std::string_view storedFolder, std::string_view pattern);

} // namespace platform
