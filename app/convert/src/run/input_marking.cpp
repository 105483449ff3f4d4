#include "convert/input_marking.h"

#include "platform/paths.h"
#include "platform/safe_files.h"

namespace convert {

std::optional<std::string> MarkInputDone(std::string_view inputDir, std::string_view inputName) {
    const std::string nativeDir = platform::resolvePath(inputDir);
    const std::string folder =
        nativeDir.empty() || nativeDir.back() == '/' ? nativeDir : nativeDir + "/";
    const std::string from = folder + std::string(inputName);
    const std::string doneName = "_" + std::string(inputName);
    if (platform::renameWithoutReplacing(from, folder + doneName))
        return doneName;
    for (int k = 1; k <= kNumberedRenameAttempts; ++k) {
        const std::string numbered = platform::numberedName(doneName, k);
        if (platform::renameWithoutReplacing(from, folder + numbered))
            return numbered;
    }
    return std::nullopt;
}

} // namespace convert
