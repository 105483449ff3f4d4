#include "config/directory_table.h"
#include "config_fixture.h"

namespace {

using config_test::WorkingFolderTest;
using Cells = std::array<std::string, 4>;

shell::DirectoryRow gridRow(const std::string& in, const std::string& out, const std::string& user,
                            const std::string& loc) {
    shell::DirectoryRow row;
    row.cells = {in, out, user, loc};
    return row;
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
    const SavedCase& c = GetParam();
    shell::DirectoryRow typed;
    typed.cells = c.typed;
    EXPECT_EQ(shell::SavedRowValues(typed).cells, c.stored) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SavedRowValuesTest,
    ::testing::Values(
        SavedCase{
            "unchanged", {"C:\\In", "C:\\Out", "1001", "00"}, {"C:\\In", "C:\\Out", "1001", "00"}},
        SavedCase{"trailing backslash",
                  {"C:\\In\\", "C:\\Out\\", "1", "0"},
                  {"C:\\In", "C:\\Out", "1", "0"}},
        SavedCase{
            "one backslash only", {"C:\\In\\\\", "/out/", "", ""}, {"C:\\In\\", "/out/", "", ""}},
        SavedCase{
            "long user and location", {"a", "b", "1234567", "007"}, {"a", "b", "12345", "00"}},
        SavedCase{"non-ASCII kept whole", {"a", "b", "Müller", "Äb"}, {"a", "b", "Mülle", "Äb"}},
        SavedCase{"empty", {"", "", "", ""}, {"", "", "", ""}},
        SavedCase{"one blank", {" ", " ", " ", " "}, {" ", " ", " ", " "}}));

TEST(FirstCharactersTest, CountsUtf8Characters) {
    EXPECT_EQ(shell::FirstCharacters("abcdef", 5), "abcde");
    EXPECT_EQ(shell::FirstCharacters("abc", 5), "abc");
    EXPECT_EQ(shell::FirstCharacters("ÄÖÜßé!", 5), "ÄÖÜßé");
    EXPECT_EQ(shell::FirstCharacters("€x", 1), "€");
    EXPECT_EQ(shell::FirstCharacters("", 2), "");
    EXPECT_EQ(shell::FirstCharacters("ab", 0), "");
}

class DirectorySaveTest : public WorkingFolderTest {
protected:
    platform_test::ScopedEnv root_{"IMPORT_DRIVE_ROOT", folder_.str() + "/drives"};
};

TEST_F(DirectorySaveTest, WritesRows1To100InKeyOrder) {
    store_.SaveDirectoryTable({gridRow("C:\\In\\", "C:\\Out", "1234567", "abc")});
    std::string expected = "[Startup]\r\nInputDir1=C:\\In\r\nOutputDir1=C:\\Out\r\n"
                           "UserID1=12345\r\nLoc1=ab\r\n";
    for (int n = 2; n <= 100; ++n) {
        const std::string r = std::to_string(n);
        expected +=
            "InputDir" + r + "=\r\nOutputDir" + r + "=\r\nUserID" + r + "=\r\nLoc" + r + "=\r\n";
    }
    EXPECT_EQ(iniBytes(), expected);
}

TEST_F(DirectorySaveTest, AnEmptiedRowEndsTheTableAndLaterRowsKeepTheirValues) {
    store_.SaveDirectoryTable({gridRow("C:\\A", "C:\\OA", "1", "01"),
                               gridRow("", "C:\\OB", "2", "02"),
                               gridRow("C:\\C", "C:\\OC", "3", "03")});
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    EXPECT_EQ(table.tableRowCount, 1);
    EXPECT_EQ(store_.ReadString("InputDir3", "x"), "C:\\C");
    EXPECT_EQ(store_.ReadString("Loc3", "x"), "03");
}

TEST_F(DirectorySaveTest, RowsOver100AreNotWritten) {
    writeIni("[Startup]\r\nInputDir101=C:\\Kept\r\n");
    std::vector<shell::DirectoryRow> rows(101, gridRow("C:\\In", "", "1", "00"));
    rows[100] = gridRow("C:\\New", "", "", "");
    store_.SaveDirectoryTable(rows);
    EXPECT_EQ(store_.ReadString("InputDir101", ""), "C:\\Kept");
    EXPECT_EQ(store_.ReadString("InputDir100", ""), "C:\\In");
}

TEST_F(DirectorySaveTest, CreatesEachOutputFolderOneLevelDeep) {
    folder_.makeFolder("drives/c/Convert");
    folder_.makeFolder("drives/c/Existing");
    store_.SaveDirectoryTable({gridRow("C:\\In", "C:\\CONVERT\\New One\\", "1", "00"),
                               gridRow("C:\\In", "C:\\Missing\\Deep", "1", "00"),
                               gridRow("C:\\In", "C:\\Existing", "1", "00"),
                               gridRow("C:\\In", "", "1", "00")});
    EXPECT_TRUE(std::filesystem::is_directory(folder_.path() / "drives/c/Convert/New One"));
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "drives/c/Missing"));
    EXPECT_TRUE(std::filesystem::is_directory(folder_.path() / "drives/c/Existing"));
    EXPECT_EQ(store_.ReadString("OutputDir1", ""), "C:\\CONVERT\\New One");
}

TEST_F(DirectorySaveTest, AFailedWriteRaises) {
    folder_.makeFolder("import.ini");
    try {
        store_.SaveDirectoryTable({gridRow("C:\\In", "C:\\Out", "1", "00")});
        FAIL() << "no error";
    } catch (const shell::ConfigWriteError& e) {
        EXPECT_STREQ(e.what(), "Unable to write to .\\import.ini");
    }
}

TEST_F(DirectorySaveTest, ACellWithALineBreakIsRefusedBeforeAnythingIsWritten) {
    const std::string before = "[Startup]\r\nInputDir1=C:\\Old\r\n";
    writeIni(before);
    std::vector<shell::DirectoryRow> rows(5, gridRow("C:\\In", "C:\\Out", "1", "00"));
    rows[4] = gridRow("C:\\In", "C:\\Out\r\nInputDir1=C:\\Injected", "1", "00");
    EXPECT_THROW(store_.SaveDirectoryTable(rows), shell::ConfigWriteError);
    EXPECT_EQ(iniBytes(), before);
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "drives/c/Out"));
}

TEST_F(DirectorySaveTest, CellsWithEqualSignsQuotesAndOtherScriptsReadBackAsTyped) {
    const shell::DirectoryRow typed =
        gridRow("C:\\Diktat = Müller", "\"C:\\Out put\"", "Ü=2", "é\"");
    store_.SaveDirectoryTable({typed});
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    ASSERT_EQ(table.tableRowCount, 1);
    EXPECT_EQ(table.rowsRead[0].cells, typed.cells);
}

} // namespace
