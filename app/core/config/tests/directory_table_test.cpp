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

// Rows after 101 are not read, but the table says they are there, so that they are not ignored
// without a word; a row 102 after a table that ended earlier is no such row.
TEST_F(DirectoryTableTest, ReadsAtMost101RowsAndTellsOfMore) {
    std::string content = "[Startup]\r\n";
    for (int n = 1; n <= 101; ++n)
        content += row(n, "C:\\In" + std::to_string(n));
    writeIni(content);
    EXPECT_FALSE(store_.ReadDirectoryTable().rowsBeyondLimit);
    writeIni(content + row(102, "\" \"") + row(103, "C:\\In103"));
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    EXPECT_EQ(table.tableRowCount, 101);
    ASSERT_EQ(table.rowsRead.size(), 101u);
    EXPECT_EQ(table.rowsRead[100].cells, (Cells{"C:\\In101", "C:\\Out101", "U101", "L101"}));
    EXPECT_TRUE(table.rowsBeyondLimit);
    writeIni("[Startup]\r\n" + row(1, "C:\\In1") + row(102, "C:\\In102"));
    EXPECT_FALSE(store_.ReadDirectoryTable().rowsBeyondLimit);
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

// A cell that no write can store, or a folder that climbs out of its drive, refuses the whole
// table with its reason: the file stays as it was and no folder is made.
TEST_F(DirectoryTableTest, ARefusedTableLeavesTheFileAsItWas) {
    const struct {
        std::size_t row;
        const char* outputFolder;
        const char* message;
    } cases[] = {
        {4, "C:\\Out\r\nInputDir1=C:\\Injected",
         "Unable to write to .\\import.ini: a cell holds a line break"},
        {2, "C:\\Convert\\..\\..\\..\\escaped\\",
         "Directory row 3: the output folder \"C:\\Convert\\..\\..\\..\\escaped\" leads "
         "outside the drive root. Nothing was saved."},
    };
    const std::string before = "[Startup]\r\nInputDir1=C:\\Old\r\n";
    for (const auto& c : cases) {
        writeIni(before);
        std::vector<shell::DirectoryRow> rows(5, gridRow({"C:\\In", "C:\\Out", "1", "00"}));
        rows[c.row] = gridRow({"C:\\In", c.outputFolder, "1", "00"});
        try {
            store_.SaveDirectoryTable(rows);
            ADD_FAILURE() << "saved " << c.outputFolder;
        } catch (const std::runtime_error& refused) {
            EXPECT_STREQ(refused.what(), c.message);
        }
        EXPECT_EQ(iniBytes(), before);
        EXPECT_FALSE(std::filesystem::exists(folder_.path() / "drives/c/Out"));
    }
}

TEST(DirectoryRowRefusalTest, NamesTheRowAndTheFolder) {
    EXPECT_EQ(shell::DirectoryRowRefusal(gridRow({"C:\\..\\d\\In", "C:\\Out", "", ""}), 7),
              "row 7: the input folder \"C:\\..\\d\\In\" leads outside the drive root");
    EXPECT_EQ(shell::DirectoryRowRefusal(gridRow({"C:\\In\\..", "/srv/out", "", ""}), 1),
              std::nullopt);
    EXPECT_EQ(shell::DirectoryRowRefusal(gridRow({"", "", "", ""}), 100), std::nullopt);
}

} // namespace
