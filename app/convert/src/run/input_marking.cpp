#include "convert/input_marking.h"

#include "files/publish.h"
#include "platform/paths.h"
#include "platform/safe_files.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace convert {
namespace {

std::string NativeFolder(std::string_view inputDir) {
    const std::string nativeDir = platform::resolvePath(inputDir);
    return nativeDir.empty() || nativeDir.back() == '/' ? nativeDir : nativeDir + "/";
}

} // namespace

bool InputCanBeMarkedDone(std::string_view inputDir, std::string_view inputName) {
    const std::string folder = NativeFolder(inputDir);
    const char* path = folder.empty() ? "." : folder.c_str();
    if (::faccessat(AT_FDCWD, path, W_OK | X_OK, AT_EACCESS) != 0)
        return false;
    const long longestName = ::pathconf(path, _PC_NAME_MAX);
    if (longestName >= 0 && inputName.size() + 1 > static_cast<std::size_t>(longestName)) {
        errno = ENAMETOOLONG;
        return false;
    }
    return true;
}

std::optional<std::string> MarkInputDone(std::string_view inputDir, std::string_view inputName) {
    const std::string folder = NativeFolder(inputDir);
    const std::string from = folder + std::string(inputName);
    const std::string doneName = "_" + std::string(inputName);
    if (files::moveWithoutReplacing(from, folder + doneName))
        return doneName;
    for (int k = 1; k <= kNumberedRenameAttempts; ++k) {
        const std::string numbered = platform::numberedName(doneName, k);
        if (files::moveWithoutReplacing(from, folder + numbered))
            return numbered;
    }
    return std::nullopt;
}

} // namespace convert
