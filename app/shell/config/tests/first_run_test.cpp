#include "config_fixture.h"

namespace {

using config_test::WorkingFolderTest;

class FirstRunTest : public WorkingFolderTest {};

// The file a fresh start must leave, spelled out for the example rows.
std::string expectedFirstRunFile() {
    std::string text = "[Startup]\r\n"
                       "InputDir1=C:\\Dict\\Type1\r\nOutputDir1=C:\\Convert\\TSP\\type1\r\n"
                       "UserID1=1001\r\nLoc1=00\r\n"
                       "InputDir2=C:\\Dict\\Type2\r\nOutputDir2=C:\\Convert\\TSP\\type2\r\n"
                       "UserID2=1002\r\nLoc2=00\r\n"
                       "InputDir3=C:\\Dict\\Type3\r\nOutputDir3=C:\\Convert\\TSP\\type3\r\n"
                       "UserID3=1003\r\nLoc3=00\r\n"
                       "InputDir4=C:\\Dict\\Type4\r\nOutputDir4=C:\\Convert\\TSP\\type4\r\n"
                       "UserID4=1004\r\nLoc4=00\r\n"
                       "InputDir5=C:\\Dict\\Type5\r\nOutputDir5=C:\\Convert\\TSP\\type5\r\n"
                       "UserID5=1005\r\nLoc5=00\r\n"
                       "InputDir6=C:\\Dict\\Type6\r\nOutputDir6=C:\\Convert\\TSP\\type6\r\n"
                       "UserID6=1006\r\nLoc6=00\r\n"
                       "InputDir7=C:\\Dict\\Type7\r\nOutputDir7=C:\\Convert\\TSP\\type7\r\n"
                       "UserID7=1007\r\nLoc7=00\r\n"
                       "InputDir8=C:\\Dict\\Type8\r\nOutputDir8=C:\\Convert\\TSP\\type8\r\n"
                       "UserID8=1008\r\nLoc8=00\r\n"
                       "InputDir9=C:\\Dict\\Type9\r\nOutputDir9=C:\\Convert\\TSP\\type9\r\n"
                       "UserID9=1009\r\nLoc9=00\r\n";
    for (int n = 10; n <= 101; ++n) {
        const std::string row = std::to_string(n);
        // One blank is stored quoted so that it reads back as one blank.
        text += "InputDir" + row + "=\" \"\r\nOutputDir" + row + "=\" \"\r\nUserID" + row +
                "=\" \"\r\nLoc" + row + "=\" \"\r\n";
    }
    return text;
}

TEST_F(FirstRunTest, FreshStartWritesExactlyThe404DirectoryKeys) {
    ASSERT_TRUE(store_.EnsureFirstRun());
    const std::string bytes = iniBytes();
    EXPECT_EQ(bytes, expectedFirstRunFile());
    std::size_t keyLines = 0;
    for (std::size_t at = bytes.find('='); at != std::string::npos; at = bytes.find('=', at + 1)) {
        ++keyLines;
    }
    EXPECT_EQ(keyLines, 404u);
}

TEST_F(FirstRunTest, AnExistingFileIsLeftAlone) {
    writeIni("; kept\r\n");
    EXPECT_FALSE(store_.EnsureFirstRun());
    EXPECT_EQ(iniBytes(), "; kept\r\n");
}

TEST_F(FirstRunTest, TheFreshTableReadsBackWith101Rows) {
    store_.EnsureFirstRun();
    const shell::DirectoryTable table = store_.ReadDirectoryTable();
    ASSERT_EQ(table.tableRowCount, 101);
    ASSERT_EQ(table.rowsRead.size(), 101u);
    EXPECT_EQ(
        table.rowsRead[0].cells,
        (std::array<std::string, 4>{"C:\\Dict\\Type1", "C:\\Convert\\TSP\\type1", "1001", "00"}));
    EXPECT_EQ(
        table.rowsRead[8].cells,
        (std::array<std::string, 4>{"C:\\Dict\\Type9", "C:\\Convert\\TSP\\type9", "1009", "00"}));
    for (int row = 10; row <= 101; ++row) {
        EXPECT_EQ(table.rowsRead[static_cast<std::size_t>(row - 1)].cells,
                  (std::array<std::string, 4>{" ", " ", " ", " "}))
            << "row " << row;
    }
    EXPECT_TRUE(store_.LoadSettings().ShowTips) << "no single key is written on first run";
}

TEST_F(FirstRunTest, FailedFirstRunRaises) {
    folder_.makeFolder("import.ini");
    EXPECT_FALSE(store_.EnsureFirstRun()) << "a folder of that name counts as present";
    const shell::ConfigStore unwritable("/proc/import.ini");
    EXPECT_THROW(unwritable.EnsureFirstRun(), shell::ConfigWriteError);
}

} // namespace
