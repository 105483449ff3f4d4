#include "jobs/input_folders.h"
#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

namespace {

shell::DirectoryTable tableOf(const std::vector<std::string>& inputFolders) {
    shell::DirectoryTable table;
    for (const std::string& folder : inputFolders) {
        shell::DirectoryRow row;
        row.cells[0] = folder;
        table.rowsRead.push_back(row);
    }
    table.tableRowCount = static_cast<int>(inputFolders.size());
    table.rowsRead.emplace_back(); // the empty row that ended the table
    return table;
}

TEST(InputFoldersTest, OneExistingFolderInAnyRowIsEnough) {
    platform_test::TestFolder drives;
    platform_test::ScopedEnv root("IMPORT_DRIVE_ROOT", drives.str());
    drives.writeFile("c/Dict/Type1", "a file is no folder");
    const auto examples = tableOf({"C:\\Dict\\Type1", "C:\\Dict\\Type2", " "});
    EXPECT_FALSE(shell::AnyInputFolderExists(tableOf({})));
    EXPECT_FALSE(shell::AnyInputFolderExists(examples));
    drives.makeFolder("c/Dict/type2");
    EXPECT_TRUE(shell::AnyInputFolderExists(examples));
}

} // namespace
