#include "config/directory_table.h"
#include "config_fixture.h"

namespace {

using config_test::WorkingFolderTest;
using Cells = std::array<std::string, 4>;

class DirectoryTableTest : public WorkingFolderTest {
protected:
    static std::string row(int n, const std::string& input) {
        const std::string r = std::to_string(n);
        return "InputDir" + r + "=" + input + "\r\nOutputDir" + r + "=C:\\Out" + r + "\r\nUserID" +
               r + "=U" + r + "\r\nLoc" + r + "=L" + r + "\r\n";
    }
};

TEST(DirectoryKeyTest, NumbersWithoutLeadingZeros) {
    EXPECT_EQ(shell::DirectoryKey(0, 1), "InputDir1");
    EXPECT_EQ(shell::DirectoryKey(1, 12), "OutputDir12");
    EXPECT_EQ(shell::DirectoryKey(2, 101), "UserID101");
    EXPECT_EQ(shell::DirectoryKey(3, 9), "Loc9");
}

TEST_F(DirectoryTableTest, MissingFileIsAnEmptyTable) {
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    EXPECT_EQ(table.tableRowCount, 0);
    ASSERT_EQ(table.rowsRead.size(), 1u);
    EXPECT_TRUE(table.rowsRead[0].endsTable());
}

TEST_F(DirectoryTableTest, AnEmptyInputDirEndsTheTable) {
    writeIni("[Startup]\r\n" + row(1, "C:\\A") + row(2, "C:\\B") + row(3, "") + row(4, "C:\\D") +
             row(5, "C:\\E"));
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    EXPECT_EQ(table.tableRowCount, 2);
    ASSERT_EQ(table.rowsRead.size(), 3u) << "the ending row is read into the grid too";
    EXPECT_EQ(table.rowsRead[1].cells, (Cells{"C:\\B", "C:\\Out2", "U2", "L2"}));
    EXPECT_EQ(table.rowsRead[2].cells, (Cells{"", "C:\\Out3", "U3", "L3"}));
}

TEST_F(DirectoryTableTest, AMissingInputDirKeyEndsTheTable) {
    writeIni("[Startup]\r\n" + row(1, "C:\\A") + "OutputDir2=C:\\X\r\n" + row(3, "C:\\C"));
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    EXPECT_EQ(table.tableRowCount, 1);
    ASSERT_EQ(table.rowsRead.size(), 2u);
    EXPECT_EQ(table.rowsRead[1].cells, (Cells{"", "C:\\X", "", ""}));
}

TEST_F(DirectoryTableTest, OneBlankIsNotEmpty) {
    writeIni("[Startup]\r\n" + row(1, "\" \"") + row(2, "C:\\B"));
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    EXPECT_EQ(table.tableRowCount, 2);
    EXPECT_EQ(table.rowsRead[0].inputDir(), " ");
}

TEST_F(DirectoryTableTest, ReadsAtMost101Rows) {
    std::string content = "[Startup]\r\n";
    for (int n = 1; n <= 103; ++n) {
        content += row(n, "C:\\In" + std::to_string(n));
    }
    writeIni(content);
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    EXPECT_EQ(table.tableRowCount, 101);
    ASSERT_EQ(table.rowsRead.size(), 101u);
    EXPECT_EQ(table.rowsRead[100].cells, (Cells{"C:\\In101", "C:\\Out101", "U101", "L101"}));
}

TEST_F(DirectoryTableTest, KeysIgnoreCaseAndKeepTheirText) {
    writeIni("[startup]\r\ninputdir1=c:\\dict\\Type 1\r\nOUTPUTDIR1=\\\\server\\share\r\n"
             "userid1=12345\r\nLOC1=07\r\n");
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    ASSERT_EQ(table.tableRowCount, 1);
    EXPECT_EQ(table.rowsRead[0].cells,
              (Cells{"c:\\dict\\Type 1", "\\\\server\\share", "12345", "07"}));
}

} // namespace
