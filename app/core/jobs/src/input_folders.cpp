#include "jobs/input_folders.h"

#include "platform/paths.h"

namespace shell {

bool AnyInputFolderExists(const DirectoryTable& table) {
    for (int i = 0; i < table.tableRowCount; ++i) {
        const std::string& folder = table.rowsRead[static_cast<std::size_t>(i)].inputDir();
        if (!IsBlankFolder(folder) && platform::isDirectory(folder)) {
            return true;
        }
    }
    return false;
}

std::string NoInputFolderHint(const DirectoryTable& table) {
    if (AnyInputFolderExists(table)) {
        return {};
    }
    // The drop goes to the first row, also when that row ended the table (then it is empty).
    const std::string first = table.rowsRead.empty() ? std::string() : table.rowsRead[0].inputDir();
    if (IsBlankFolder(first)) {
        return "No input folder is set up. Set one up with Tools > Directories.";
    }
    return "No input folder exists yet. Drop dictation files here to create \"" + first +
           "\" and import them, or set up the folders with Tools > Directories.";
}

} // namespace shell
