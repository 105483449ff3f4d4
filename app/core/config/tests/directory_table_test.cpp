#include "config/directory_table.h"
#include "config_fixture.h"
#include "platform_test/folder_listing.h"

namespace {

using config_test::WorkingFolderTest;
using Cells = std::array<std::string, 4>;

shell::DirectoryRow gridRow(const Cells& cells) {
    shell::DirectoryRow row;
    row.cells = cells;
    return row;
}

class DirectoryTableTest : public WorkingFolderTest {
protected:
    static std::string row(int n, const std::string& input) {
        const std::string r = std::to_string(n);
        return "InputDir" + r + "=" + input + "\r\nOutputDir" + r + "=C:\\Out" + r + "\r\nUserID" +
               r + "=U" + r + "\r\nLoc" + r + "=L" + r + "\r\n";
    }

    platform_test::ScopedEnv root_{"IMPORT_DRIVE_ROOT", folder_.str() + "/drives"};
};

// The file a fresh start leaves: rows 1-9 with the example values, rows 10-101 one blank,
// stored quoted so that it reads back as one blank and keeps the table going.
TEST_F(DirectoryTableTest, TheFirstRunWritesThe404KeysOfTheDefaultTable) {
    ASSERT_TRUE(store_.EnsureFirstRun());
    std::string expected = "[Startup]\r\n";
    for (int n = 1; n <= 101; ++n) {
        const std::string r = std::to_string(n);
        const bool example = n <= 9;
        expected += "InputDir" + r + "=" + (example ? "C:\\Dict\\Type" + r : "\" \"") + "\r\n";
        expected +=
            "OutputDir" + r + "=" + (example ? "C:\\Convert\\TSP\\type" + r : "\" \"") + "\r\n";
        expected += "UserID" + r + "=" + (example ? "100" + r : "\" \"") + "\r\n";
        expected += "Loc" + r + "=" + (example ? "00" : "\" \"") + "\r\n";
    }
    EXPECT_EQ(iniBytes(), expected);
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    EXPECT_EQ(table.tableRowCount, 101);
    EXPECT_EQ(table.rowsRead[100].cells, (Cells{" ", " ", " ", " "}));

    writeIni("; kept\r\n");
    EXPECT_FALSE(store_.EnsureFirstRun());
    EXPECT_EQ(iniBytes(), "; kept\r\n");
    EXPECT_THROW(shell::ConfigStore("/proc/import.ini").EnsureFirstRun(), shell::ConfigWriteError);
}

TEST_F(DirectoryTableTest, AnEmptyOrMissingInputDirEndsTheTableAndIsReadIntoTheGrid) {
    writeIni("[Startup]\r\n" + row(1, "\" \"") + row(2, "C:\\B") + row(3, "") + row(4, "C:\\D"));
    shell::DirectoryTable table = store_.ReadDirectoryTable();
    EXPECT_EQ(table.tableRowCount, 2) << "one blank is not empty";
    ASSERT_EQ(table.rowsRead.size(), 3u);
    EXPECT_EQ(table.rowsRead[2].cells, (Cells{"", "C:\\Out3", "U3", "L3"}));

    writeIni("[Startup]\r\n" + row(1, "C:\\A") + "outputdir2=C:\\X\r\n" + row(3, "C:\\C"));
    table = store_.ReadDirectoryTable();
    EXPECT_EQ(table.tableRowCount, 1);
    EXPECT_EQ(table.rowsRead[1].cells, (Cells{"", "C:\\X", "", ""}));
}

TEST_F(DirectoryTableTest, ReadsAtMost101Rows) {
    std::string content = "[Startup]\r\n";
    for (int n = 1; n <= 103; ++n)
        content += row(n, "C:\\In" + std::to_string(n));
    writeIni(content);
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    EXPECT_EQ(table.tableRowCount, 101);
    ASSERT_EQ(table.rowsRead.size(), 101u);
    EXPECT_EQ(table.rowsRead[100].cells, (Cells{"C:\\In101", "C:\\Out101", "U101", "L101"}));
}

struct SavedCase {
    const char* label;
    Cells typed;
    Cells stored;
};

void PrintTo(const SavedCase& c, std::ostream* os) {
    *os << c.label;
}

class SavedRowValuesTest : public ::testing::TestWithParam<SavedCase> {};

TEST_P(SavedRowValuesTest, TrimsAsTheDialogStores) {
    EXPECT_EQ(shell::SavedRowValues(gridRow(GetParam().typed)).cells, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SavedRowValuesTest,
    ::testing::Values(
        SavedCase{"trailing backslash",
                  {"C:\\In\\", "C:\\Out\\", "1", "0"},
                  {"C:\\In", "C:\\Out", "1", "0"}},
        SavedCase{
            "one backslash only", {"C:\\In\\\\", "/out/", "", ""}, {"C:\\In\\", "/out/", "", ""}},
        SavedCase{
            "long user and location", {"a", "b", "1234567", "007"}, {"a", "b", "12345", "00"}},
        SavedCase{"characters, not bytes", {"a", "b", "ÄÖÜßé!", "€x"}, {"a", "b", "ÄÖÜßé", "€x"}},
        SavedCase{"one blank", {" ", " ", " ", " "}, {" ", " ", " ", " "}}));

TEST_F(DirectoryTableTest, SaveWritesRows1To100AndLeavesTheRest) {
    writeIni("[Startup]\r\nInputDir101=C:\\Kept\r\n");
    store_.SaveDirectoryTable({gridRow({"C:\\In\\", "C:\\Out", "1234567", "abc"})});
    std::string expected = "[Startup]\r\nInputDir101=C:\\Kept\r\nInputDir1=C:\\In\r\n"
                           "OutputDir1=C:\\Out\r\nUserID1=12345\r\nLoc1=ab\r\n";
    for (int n = 2; n <= 100; ++n) {
        const std::string r = std::to_string(n);
        expected +=
            "InputDir" + r + "=\r\nOutputDir" + r + "=\r\nUserID" + r + "=\r\nLoc" + r + "=\r\n";
    }
    EXPECT_EQ(iniBytes(), expected);
}

TEST_F(DirectoryTableTest, SaveCreatesEachOutputFolderOneLevelDeep) {
    folder_.makeFolder("drives/c/Convert");
    store_.SaveDirectoryTable({gridRow({"C:\\In", "C:\\CONVERT\\New One\\", "1", "00"}),
                               gridRow({"C:\\In", "C:\\Missing\\Deep", "1", "00"}),
                               gridRow({"C:\\In", "", "1", "00"})});
    EXPECT_TRUE(std::filesystem::is_directory(folder_.path() / "drives/c/Convert/New One"));
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "drives/c/Missing"));
}

// The first run's blank rows keep the table going but name no folder: Save creates none, in the
// working folder or anywhere else.
TEST_F(DirectoryTableTest, SaveCreatesNoFolderForABlankOutputCell) {
    store_.SaveDirectoryTable(
        {gridRow({" ", " ", " ", " "}), gridRow({"C:\\In", " \t", "1", "00"})});
    EXPECT_EQ(platform_test::folderEntries(folder_.path()), std::vector<std::string>{"import.ini"});
}

TEST(BlankFolderTest, OnlyWhiteSpaceNamesNoFolder) {
    for (const char* blank : {"", " ", "   ", "\t", " \t "})
        EXPECT_TRUE(shell::IsBlankFolder(blank)) << '"' << blank << '"';
    for (const char* folder : {"C:\\In", " x ", ".", "_"})
        EXPECT_FALSE(shell::IsBlankFolder(folder)) << '"' << folder << '"';
}

TEST_F(DirectoryTableTest, AnEmptiedRowEndsTheTableAndTheRowsAfterItKeepTheirValues) {
    store_.SaveDirectoryTable({gridRow({"C:\\A", "C:\\OA", "1", "01"}),
                               gridRow({"", "C:\\OB", "2", "02"}),
                               gridRow({"C:\\Diktat = Müller", "\"C:\\Out put\"", "Ü=2", "é\""})});
    EXPECT_EQ(store_.ReadDirectoryTable().tableRowCount, 1);
    EXPECT_EQ(store_.ReadString("InputDir3", ""), "C:\\Diktat = Müller");
    EXPECT_EQ(store_.ReadString("OutputDir3", ""), "\"C:\\Out put\"");
    EXPECT_EQ(store_.ReadString("UserID3", ""), "Ü=2");
    EXPECT_EQ(store_.ReadString("Loc3", ""), "é\"");
}

TEST_F(DirectoryTableTest, ACellWithALineBreakIsRefusedBeforeAnythingIsWritten) {
    const std::string before = "[Startup]\r\nInputDir1=C:\\Old\r\n";
    writeIni(before);
    std::vector<shell::DirectoryRow> rows(5, gridRow({"C:\\In", "C:\\Out", "1", "00"}));
    rows[4] = gridRow({"C:\\In", "C:\\Out\r\nInputDir1=C:\\Injected", "1", "00"});
    try {
        store_.SaveDirectoryTable(rows);
        FAIL() << "no error";
    } catch (const shell::ConfigWriteError& e) {
        EXPECT_STREQ(e.what(), "Unable to write to .\\import.ini: a cell holds a line break");
    }
    EXPECT_EQ(iniBytes(), before);
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "drives/c/Out"));
}

} // namespace
