#pragma once
// Files dropped on the main window are copied into the first input folder of the directory
// table, after a question, while the "File Transfer" window shows the file being copied; the
// job list is then rebuilt and the number of copies reported. The window is a seam, so that
// tests run the rules without a display.
//
// Unlike a plain copy, a dropped file never replaces a file of the destination (which may be a
// dictation still waiting for conversion): it is copied as "name(k).ext" with the first free k
// from 1. Every copy goes through a partial file that is renamed when complete, so a scheduled
// run between two files never sees half a file, and a failed copy leaves nothing behind.

#include <string>
#include <vector>

namespace shell {

inline constexpr const char* kImportFilesCaption = "Import Files";
inline constexpr const char* kImportReportCaption = "Import Utility";

// "Do you wish to import files to folder "<folder>"?"
std::string ImportQuestion(const std::string& folder);
// "<path> is an invalid sound file type."
std::string InvalidTypeText(const std::string& path);
// "File:  <path>"
std::string CurrentFileText(const std::string& path);
// "<count> files imported."
std::string ImportedCountText(int count);
// The question asked instead when the destination does not exist yet (a first start):
// "The folder "<folder>" does not exist yet. Do you wish to create it and import files to it?"
std::string CreateFolderQuestion(const std::string& folder);
// "The folder "<folder>" cannot be created: <reason>"
std::string CannotCreateFolderText(const std::string& folder, const std::string& reason);
inline constexpr const char* kNoInputFolderForDropText =
    "No input folder is configured, so the files cannot be imported. Set up the first input "
    "folder with Tools > Directories.";
// Drops the main window refuses while it is busy.
inline constexpr const char* kDropDuringRunText =
    "A conversion is running. Drop the files again when it has ended.";
inline constexpr const char* kDropDuringImportText =
    "Files are still being imported. Drop the other files when this import has ended.";

// The extension from the last dot of the name (after the last '/'), dot included, in lower
// case; ".wav" and ".dss" are accepted.
bool IsAcceptedSoundFile(const std::string& nativePath);

class DropImportWindow {
public:
    virtual ~DropImportWindow() = default;
    // The Yes/No question; true for Yes.
    virtual bool AskToImport(const std::string& question) = 0;
    // A drop with no input folder in the table, or whose folder cannot be created, is refused
    // with this message.
    virtual void RefuseDrop(const std::string& message) = 0;
    // Shows the "File Transfer" window and starts its animation.
    virtual void BeginTransfer() = 0;
    // Handles pending window events (other commands and the scheduler may run meanwhile).
    virtual void ProcessEvents() = 0;
    virtual void ShowCurrentFile(const std::string& text) = 0;
    virtual void ShowInvalidType(const std::string& text) = 0;
    // Stops the animation and closes the "File Transfer" window.
    virtual void EndTransfer() = 0;
    virtual void RefreshJobList() = 0;
    virtual void ShowImportedCount(const std::string& text) = 0;
};

// How many attempts a name gets before a file is given up: "abc.wav", then "abc(1).wav" ...
inline constexpr int kMaxNumberedNames = 9999;

// Imports dropped files (native paths) into the destination folder (a stored path, grid cell
// (0, 1)). Returns the number of files copied; 0 when refused or declined. A blank destination
// names no folder and is refused. A destination that does not exist yet is created, with its
// parents and with the row's output folder (grid cell (1, 1)), when the user agrees: nothing
// else creates input folders, and a first start would otherwise import nothing.
int ImportDroppedFiles(const std::string& destinationFolder,
                       const std::vector<std::string>& nativePaths, DropImportWindow& window,
                       const std::string& outputFolder = {});

// Copies one file into the destination folder under its own name or, when that is taken, the
// first free "name(k).ext". Returns the stored path of the copy, or empty when it failed or
// when the file is the one of its name in the destination already.
std::string CopyWithoutReplacing(const std::string& nativeSource,
                                 const std::string& destinationFolder);

} // namespace shell
