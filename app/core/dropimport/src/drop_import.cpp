#include "dropimport/drop_import.h"

#include "config/directory_table.h"

#include "platform/paths.h"
#include "platform/safe_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace shell {

namespace {

std::string fileNameOf(const std::string& nativePath) {
    const std::size_t slash = nativePath.find_last_of('/');
    return slash == std::string::npos ? nativePath : nativePath.substr(slash + 1);
}

std::string lowerCaseExtensionOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// Creates the folder with its parents; empty when it exists afterwards, else the reason.
std::string createFolder(const std::string& storedFolder) {
    if (IsBlankFolder(storedFolder)) {
        return "no folder is named";
    }
    std::error_code error;
    std::filesystem::create_directories(platform::resolvePath(storedFolder), error);
    return error ? error.message() : std::string();
}

// The question, and for a destination that does not exist yet its creation: true when the files
// are to be copied.
bool agreedToImport(const std::string& destinationFolder, const std::string& outputFolder,
                    DropImportWindow& window) {
    if (platform::isDirectory(destinationFolder)) {
        return window.AskToImport(ImportQuestion(destinationFolder));
    }
    if (!window.AskToImport(CreateFolderQuestion(destinationFolder))) {
        return false;
    }
    if (const std::string reason = createFolder(destinationFolder); !reason.empty()) {
        window.RefuseDrop(CannotCreateFolderText(destinationFolder, reason));
        return false;
    }
    // The conversion reports a missing output folder itself, as after a Directories save.
    static_cast<void>(createFolder(outputFolder));
    return true;
}

} // namespace

std::string ImportQuestion(const std::string& folder) {
    return "Do you wish to import files to folder \"" + folder + "\"?";
}

std::string CreateFolderQuestion(const std::string& folder) {
    return "The folder \"" + folder +
           "\" does not exist yet. Do you wish to create it and import files to it?";
}

std::string CannotCreateFolderText(const std::string& folder, const std::string& reason) {
    return "The folder \"" + folder + "\" cannot be created: " + reason;
}

std::string InvalidTypeText(const std::string& path) {
    return path + " is an invalid sound file type.";
}

std::string CurrentFileText(const std::string& path) {
    return "File:  " + path;
}

std::string ImportedCountText(int count) {
    return std::to_string(count) + " files imported.";
}

bool IsAcceptedSoundFile(const std::string& nativePath) {
    const std::string extension = lowerCaseExtensionOf(fileNameOf(nativePath));
    return extension == ".wav" || extension == ".dss";
}

std::string CopyWithoutReplacing(const std::string& nativeSource,
                                 const std::string& destinationFolder) {
    const std::string name = fileNameOf(nativeSource);
    // A file dropped from the destination itself is there already; a copy beside it would
    // become a second job of the same dictation.
    std::error_code error;
    if (std::filesystem::equivalent(
            nativeSource, platform::resolvePath(platform::joinPath(destinationFolder, name)),
            error)) {
        return {};
    }
    for (int k = 0; k <= kMaxNumberedNames; ++k) {
        const std::string stored =
            platform::joinPath(destinationFolder, k == 0 ? name : platform::numberedName(name, k));
        switch (platform::copyFileSafely(nativeSource, platform::resolvePath(stored), false)) {
        case files::PublishResult::Published:
            return stored;
        case files::PublishResult::TargetExists:
            continue;
        case files::PublishResult::Failed:
            return {};
        }
    }
    return {};
}

int ImportDroppedFiles(const std::string& destinationFolder,
                       const std::vector<std::string>& nativePaths, DropImportWindow& window,
                       const std::string& outputFolder) {
    // An empty table would name no folder and copy to the file system's root; a blank cell
    // would copy into a folder named by blanks.
    if (IsBlankFolder(destinationFolder)) {
        window.RefuseDrop(kNoInputFolderForDropText);
        return 0;
    }
    if (!agreedToImport(destinationFolder, outputFolder, window)) {
        return 0;
    }
    window.BeginTransfer();
    int copied = 0;
    for (const std::string& path : nativePaths) {
        window.ProcessEvents();
        if (!IsAcceptedSoundFile(path)) {
            window.ShowInvalidType(InvalidTypeText(path));
            continue;
        }
        window.ShowCurrentFile(CurrentFileText(path));
        if (!CopyWithoutReplacing(path, destinationFolder).empty()) {
            ++copied;
            window.ProcessEvents();
        }
    }
    window.RefreshJobList();
    window.EndTransfer();
    window.ShowImportedCount(ImportedCountText(copied));
    return copied;
}

} // namespace shell
