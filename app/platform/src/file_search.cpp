#include "platform/file_search.h"

#include "ascii_case.h"
#include "platform/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

namespace platform {

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || detail::asciiLower(pattern[p]) ==
                                                                   detail::asciiLower(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

namespace {

EntryKind kindOf(mode_t mode) {
    if (S_ISREG(mode))
        return EntryKind::RegularFile;
    if (S_ISDIR(mode))
        return EntryKind::Directory;
    return S_ISLNK(mode) ? EntryKind::SymbolicLink : EntryKind::Other;
}

FoundEntry describeEntry(int folderFd, const char* name) {
    FoundEntry found;
    found.name = name;
    struct stat info {};
    if (::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return found;
    found.kind = kindOf(info.st_mode);
    // A dangling link is still an entry of the folder; it is listed with its own size.
    if (found.kind == EntryKind::SymbolicLink)
        ::fstatat(folderFd, name, &info, 0);
    found.isDirectory = S_ISDIR(info.st_mode);
    found.size = found.isDirectory ? 0 : static_cast<uint64_t>(info.st_size);
    return found;
}

} // namespace

bool caseInsensitiveNameLess(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto left = static_cast<unsigned char>(detail::asciiLower(a[i]));
        const auto right = static_cast<unsigned char>(detail::asciiLower(b[i]));
        if (left != right)
            return left < right;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    // Names that differ in case only still come in one fixed order.
    return a < b;
}

std::vector<FoundEntry> findEntries(std::string_view storedFolder, std::string_view pattern) {
    std::vector<FoundEntry> entries;
    const std::string folder = storedFolder.empty() ? std::string(".") : resolvePath(storedFolder);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return entries;
    }
    const int folderFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == ".." || !wildcardMatch(pattern, name)) {
            continue;
        }
        entries.push_back(describeEntry(folderFd, entry->d_name));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const FoundEntry& a, const FoundEntry& b) {
        return caseInsensitiveNameLess(a.name, b.name);
    });
    return entries;
}

} // namespace platform
