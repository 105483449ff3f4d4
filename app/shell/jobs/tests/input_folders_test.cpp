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

class InputFoldersTest : public ::testing::Test {
protected:
    platform_test::TestFolder drives_;
    platform_test::ScopedEnv root_{"IMPORT_DRIVE_ROOT", drives_.str()};
};

TEST_F(InputFoldersTest, AnEmptyTableLeadsNowhere) {
    EXPECT_FALSE(shell::AnyInputFolderExists(tableOf({})));
}

TEST_F(InputFoldersTest, TheFirstStartsExampleFoldersAreMissing) {
    EXPECT_FALSE(shell::AnyInputFolderExists(tableOf({"C:\\Dict\\Type1", "C:\\Dict\\Type2", " "})));
}

TEST_F(InputFoldersTest, OneExistingFolderInAnyRowIsEnough) {
    drives_.makeFolder("c/dict/type2");
    EXPECT_TRUE(shell::AnyInputFolderExists(tableOf({"C:\\Dict\\Type1", "C:\\Dict\\Type2"})));
}

TEST_F(InputFoldersTest, AFileIsNoFolder) {
    drives_.writeFile("c/Dict/Type1", "x");
    EXPECT_FALSE(shell::AnyInputFolderExists(tableOf({"C:\\Dict\\Type1"})));
}

} // namespace
