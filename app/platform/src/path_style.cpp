#include "platform/paths.h"

#include "ascii_case.h"

namespace platform {

bool usesBackslashStyle(std::string_view stored) {
    return detail::hasDriveLetter(stored) || stored.find('\\') != std::string_view::npos;
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (folder.empty()) {
        return std::string(name);
    }
    if (!detail::isPathSeparator(folder.back())) {
        joined += usesBackslashStyle(folder) ? '\\' : '/';
    }
    joined += name;
    return joined;
}

} // namespace platform
