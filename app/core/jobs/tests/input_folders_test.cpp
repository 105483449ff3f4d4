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

// A blank row names no folder, even where the working folder holds one of that name.
TEST(InputFoldersTest, ABlankRowIsNoFolder) {
    platform_test::TestFolder work;
    platform_test::ScopedWorkingFolder cwd(work.path());
    work.makeFolder(" ");
    EXPECT_FALSE(shell::AnyInputFolderExists(tableOf({" "})));
}

// The hint names what a drop would create, or only the Directories window when the first row
// names no folder; it is gone once any row's folder exists.
TEST(InputFoldersTest, TheHintSaysHowToGetAnInputFolder) {
    platform_test::TestFolder drives;
    platform_test::ScopedEnv root("IMPORT_DRIVE_ROOT", drives.str());
    const struct {
        std::vector<std::string> folders;
        std::string hint;
    } cases[] = {
        {{"C:\\Dict\\Type1", "C:\\Dict\\Type2"},
         "No input folder exists yet. Drop dictation files here to create \"C:\\Dict\\Type1\" and "
         "import them, or set up the folders with Tools > Directories."},
        {{" ", "C:\\Dict\\Type2"},
         "No input folder is set up. Set one up with Tools > Directories."},
        {{}, "No input folder is set up. Set one up with Tools > Directories."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shell::NoInputFolderHint(tableOf(c.folders)), c.hint) << c.folders.size();
    drives.makeFolder("c/Dict/Type2");
    EXPECT_EQ(shell::NoInputFolderHint(tableOf({" ", "C:\\Dict\\Type2"})), "");
}

} // namespace
