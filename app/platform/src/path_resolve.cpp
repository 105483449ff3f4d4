#include "platform/paths.h"

#include "ascii_case.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <vector>

namespace platform {

namespace {

std::vector<std::string_view> splitComponents(std::string_view path) {
    std::vector<std::string_view> components;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || detail::isPathSeparator(path[i])) {
            if (i > start) {
                components.push_back(path.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return components;
}

std::string appendComponent(const std::string& base, std::string_view component) {
    if (base.empty()) {
        return std::string(component);
    }
    std::string joined = base;
    if (joined.back() != '/') {
        joined += '/';
    }
    joined += component;
    return joined;
}

bool entryExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The entry of the folder that equals the component ignoring case; the smallest name wins when
// several do, so the choice does not depend on the directory order.
std::string findIgnoringCase(const std::string& folder, std::string_view component) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return {};
    }
    std::string best;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (detail::asciiEqualsIgnoringCase(name, component) && (best.empty() || name < best)) {
            best = name;
        }
    }
    ::closedir(dir);
    return best;
}

} // namespace

std::string resolvePath(std::string_view stored) {
    if (stored.empty()) {
        return {};
    }
    std::string resolved;
    std::vector<std::string_view> components;
    std::string driveLetter;
    if (detail::hasDriveLetter(stored)) {
        resolved = driveRoot();
        driveLetter = std::string(1, detail::asciiLower(stored[0]));
        components.push_back(driveLetter);
        for (std::string_view part : splitComponents(stored.substr(2))) {
            components.push_back(part);
        }
    } else {
        if (detail::isPathSeparator(stored.front())) {
            resolved = "/";
        }
        components = splitComponents(stored);
    }

    bool parentExists = true;
    for (std::string_view component : components) {
        std::string candidate = appendComponent(resolved, component);
        if (parentExists && component != "." && component != ".." && !entryExists(candidate)) {
            const std::string match = findIgnoringCase(resolved, component);
            if (match.empty()) {
                parentExists = false;
            } else {
                candidate = appendComponent(resolved, match);
            }
        }
        resolved = std::move(candidate);
    }
    if (detail::isPathSeparator(stored.back()) && !resolved.empty() && resolved.back() != '/') {
        resolved += '/';
    }
    return resolved;
}

bool leavesItsDrive(std::string_view stored) {
    if (!detail::hasDriveLetter(stored)) {
        return false;
    }
    int depth = 0;
    for (std::string_view component : splitComponents(stored.substr(2))) {
        if (component == "..") {
            if (--depth < 0) {
                return true;
            }
        } else if (component != ".") {
            ++depth;
        }
    }
    return false;
}

bool pathExists(std::string_view stored) {
    const std::string native = resolvePath(stored);
    struct stat info {};
    return !native.empty() && ::stat(native.c_str(), &info) == 0;
}

bool isDirectory(std::string_view stored) {
    const std::string native = resolvePath(stored);
    struct stat info {};
    return !native.empty() && ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string executableFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
        return {};
    }
    std::string path(buffer, static_cast<std::size_t>(length));
    path.erase(path.find_last_of('/') + 1);
    return path;
}

} // namespace platform
