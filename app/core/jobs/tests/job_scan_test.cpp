#include "jobs/job_scan.h"
#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using platform_test::TestFolder;

class JobScanTest : public ::testing::Test {
protected:
    // Rows of "input|output|user|loc".
    void writeTable(const std::vector<std::string>& rows) const {
        std::string content = "[Startup]\r\n";
        const char* keys[] = {"InputDir", "OutputDir", "UserID", "Loc"};
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::string rest = rows[i] + "|||";
            for (const char* key : keys) {
                const std::size_t bar = rest.find('|');
                content += key + std::to_string(i + 1) + "=" + rest.substr(0, bar) + "\r\n";
                rest.erase(0, bar + 1);
            }
        }
        work_.writeFile("import.ini", content);
    }
    void addFile(const std::string& relative, std::size_t size = 0) const {
        drives_.writeFile(relative, std::string(size, 'd'));
    }
    shell::ScanResult scan(bool scheduler = false) const {
        shell::Settings settings;
        settings.EnableSched = scheduler;
        settings.ConvertInterval = 45;
        return shell::ScanJobs(".\\import.ini", settings);
    }
    static std::vector<std::string> column(const shell::ScanResult& r, int c = 0) {
        std::vector<std::string> texts;
        for (const auto& row : r.rows)
            texts.push_back(row.columns[static_cast<std::size_t>(c)]);
        return texts;
    }

    TestFolder drives_;
    TestFolder work_;
    platform_test::ScopedEnv root_{"IMPORT_DRIVE_ROOT", drives_.str()};
    platform_test::ScopedWorkingFolder cwd_{work_.path()};
};

// Within a table row, every .wav match comes before every .dss match, each in name order.
TEST_F(JobScanTest, ListsTheWaitingWavesThenDssFilesOfARow) {
    writeTable({"c:/DICT/type1|C:\\Out\\Here|12345|07"});
    for (const char* name : {"_abc.wav", "_DONE.DSS", "notes.txt", "song.wave"})
        addFile(std::string("c/Dict/Type1/") + name);
    addFile("c/Dict/Type1/b.DSS", 1536);
    addFile("c/Dict/Type1/Mixed.WaV", 0);
    addFile("c/Dict/Type1/abc.wav", 2600);
    const shell::ScanResult r = scan();
    EXPECT_EQ(column(r), (std::vector<std::string>{"abc.wav", "Mixed.WaV", "b.DSS"}));
    EXPECT_EQ(column(r, shell::kColInputSize), (std::vector<std::string>{"3", "0", "2"}));
    EXPECT_EQ(r.rows[0].columns,
              (std::array<std::string, 8>{"abc.wav", "3", " ", " ", "c:/DICT/type1",
                                          "C:\\Out\\Here", "12345", "07"}));
    EXPECT_EQ(r.rows[0].image, 1);
    EXPECT_EQ(r.status.panel0, "Total Files:  3");
    EXPECT_EQ(r.status.panel3, "");
    EXPECT_FALSE(r.status.panel1.has_value());
    EXPECT_EQ(*scan(true).status.panel1, "Next scheduled conversion in 45 min");
}

TEST_F(JobScanTest, TwoRowsWithOneFolderListItsFilesTwice) {
    writeTable({"C:\\Shared|C:\\OutA|111|01", "c:\\shared|C:\\OutB|222|02"});
    addFile("c/Shared/x.wav");
    addFile("c/Shared/y.dss");
    const shell::ScanResult r = scan();
    EXPECT_EQ(column(r, shell::kColUserId), (std::vector<std::string>{"111", "111", "222", "222"}));
    EXPECT_EQ(r.rows[2].columns[shell::kColInputDir], "c:\\shared");
    EXPECT_EQ(r.status.panel0, "Total Files:  4");
}

// An empty InputDir ends the table; a blank or missing folder adds nothing and the table goes
// on; a missing configuration file is an empty table and is not created.
TEST_F(JobScanTest, TheTableEndsAtTheFirstEmptyInputDir) {
    EXPECT_EQ(scan().status.panel0, "Total Files:  0");
    EXPECT_FALSE(std::filesystem::exists(work_.path() / "import.ini"));
    writeTable({"\" \"", "C:\\Nowhere", "C:\\A", "", "C:\\D"});
    addFile("c/A/a.wav");
    addFile("c/D/d.wav");
    const shell::ScanResult r = scan();
    EXPECT_EQ(column(r), std::vector<std::string>{"a.wav"});
    EXPECT_EQ(r.table.tableRowCount, 3);
    writeTable({"|C:\\Out", "C:\\A"});
    EXPECT_TRUE(scan().rows.empty());
    EXPECT_EQ(scan().table.rowsRead[0].outputDir(), "C:\\Out");
}

// A blank row is no folder, even where a folder of that name lies in the working folder.
TEST_F(JobScanTest, ABlankRowIsNeverSearched) {
    work_.writeFile(" /left.wav");
    work_.writeFile("\t/tab.dss");
    writeTable({"\" \"", "\"\t\"", "C:\\A"});
    addFile("c/A/a.wav");
    const shell::ScanResult r = scan();
    EXPECT_EQ(column(r), std::vector<std::string>{"a.wav"});
    EXPECT_EQ(r.table.tableRowCount, 3);
}

// Anything the search returns is listed, a folder whose name matches included (with size 0).
TEST_F(JobScanTest, OddNamesAndFoldersAreListedAsTheyAre) {
    writeTable({"C:\\Odd Names"});
    const std::vector<std::string> names = {"with blanks .wav", "Müller Ärger.wav",
                                            "$(rm -rf x);`y`&|.dss", "quote'\"d.WAV"};
    for (const auto& name : names)
        addFile("c/Odd Names/" + name, 2600);
    drives_.makeFolder("c/Odd Names/x.wav");
    const shell::ScanResult r = scan();
    std::vector<std::string> listed = column(r);
    std::vector<std::string> expected = names;
    expected.push_back("x.wav");
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
    for (const auto& row : r.rows)
        EXPECT_EQ(row.columns[shell::kColInputSize], row.columns[0] == "x.wav" ? "0" : "3");
}

} // namespace
