#include "jobs/input_folders.h"

#include "platform/paths.h"

namespace shell {

bool AnyInputFolderExists(const DirectoryTable& table) {
    for (int i = 0; i < table.tableRowCount; ++i) {
        if (platform::isDirectory(table.rowsRead[static_cast<std::size_t>(i)].inputDir())) {
            return true;
        }
    }
    return false;
}

} // namespace shell
