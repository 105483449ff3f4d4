#include "convert/document_opener.h"

#include "platform/paths.h"
#include "platform/programs.h"

#include <filesystem>
#include <system_error>

namespace convert {

std::string NativeAbsolutePath(const std::string& storedPath) {
    const std::string native = platform::resolvePath(storedPath);
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(native, error);
    return error ? native : absolute.string();
}

DocumentOpener DefaultDocumentOpener() {
    return
        [](const std::string& nativePath) { return platform::openWithDefaultHandler(nativePath); };
}

} // namespace convert
