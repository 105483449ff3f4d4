#include "speech_folders.h"

#include "platform/paths.h"

namespace convert::steps {
namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

char separatorFor(std::string_view folder) {
    return platform::usesBackslashStyle(folder) ? '\\' : '/';
}

std::string_view fileNameOf(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

} // namespace

std::string WithTrailingSeparator(std::string_view folder) {
    std::string result(folder);
    if (result.empty() || !isSeparator(result.back()))
        result += separatorFor(folder);
    return result;
}

std::string SpeechInputFolder(std::string_view speechInput, std::string_view userId) {
    const std::string folder = WithTrailingSeparator(speechInput);
    if (!userId.empty()) {
        const std::string userFolder = folder + std::string(userId);
        if (platform::isDirectory(userFolder))
            return WithTrailingSeparator(userFolder);
    }
    return folder;
}

std::string SpeechFilePath(std::string_view inputFolder, std::string_view outputPath) {
    const std::string_view name = fileNameOf(outputPath);
    const std::size_t dot = name.rfind('.');
    return std::string(inputFolder) + std::string(name.substr(0, dot)) + ".wav";
}

std::string TextDestination(std::string_view outputDir, bool moveOutputText) {
    if (moveOutputText)
        return WithTrailingSeparator(outputDir);
    const std::size_t separator = outputDir.find_last_of("\\/");
    const std::string_view parent = separator == std::string_view::npos
                                        ? std::string_view()
                                        : outputDir.substr(0, separator + 1);
    return std::string(parent) + "Documents" + separatorFor(outputDir);
}

} // namespace convert::steps
