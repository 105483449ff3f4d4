#include "files/path_parts.h"

namespace files {

std::string folderOf(std::string_view nativePath) {
    const std::size_t slash = nativePath.rfind('/');
    if (slash == std::string_view::npos)
        return ".";
    return slash == 0 ? "/" : std::string(nativePath.substr(0, slash));
}

std::string nameOf(std::string_view nativePath) {
    const std::size_t slash = nativePath.rfind('/');
    return std::string(slash == std::string_view::npos ? nativePath : nativePath.substr(slash + 1));
}

} // namespace files
