#include "jobs/job_scan.h"
#include "platform/file_search.h"
#include "platform_test/test_folder.h"

#include <dirent.h>

#include <gtest/gtest.h>

namespace {

using platform_test::ScopedEnv;
using platform_test::ScopedWorkingFolder;
using platform_test::TestFolder;

struct TableRowText {
    std::string input, output, user, loc;
};

class JobScanTest : public ::testing::Test {
protected:
    void writeTable(const std::vector<TableRowText>& rows) const {
        std::string content = "[Startup]\r\n";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            content += "InputDir" + n + "=" + rows[i].input + "\r\nOutputDir" + n + "=" +
                       rows[i].output + "\r\nUserID" + n + "=" + rows[i].user + "\r\nLoc" + n +
                       "=" + rows[i].loc + "\r\n";
        }
        work_.writeFile("import.ini", content);
    }
    void addFile(const std::string& relative, std::size_t size = 0) const {
        drives_.writeFile(relative, std::string(size, 'd'));
    }
    shell::ScanResult scan(bool scheduler = false, int interval = 30) const {
        shell::Settings settings;
        settings.EnableSched = scheduler;
        settings.ConvertInterval = interval;
        return shell::ScanJobs(".\\import.ini", settings);
    }
    // Names the directory search gives for a pattern, skipping converted files.
    std::vector<std::string> waiting(const std::string& folder, const char* pattern) const {
        std::vector<std::string> names;
        for (const auto& e : platform::findEntries(folder, pattern)) {
            if (e.name[0] != '_') {
                names.push_back(e.name);
            }
        }
        return names;
    }
    static std::vector<std::string> captions(const shell::ScanResult& r) {
        std::vector<std::string> names;
        for (const auto& row : r.rows) {
            names.push_back(row.columns[shell::kColInputFile]);
        }
        return names;
    }

    TestFolder drives_;
    TestFolder work_;
    ScopedEnv root_{"IMPORT_DRIVE_ROOT", drives_.str()};
    ScopedWorkingFolder cwd_{work_.path()};
};

TEST_F(JobScanTest, SkipsConvertedFilesAndIgnoresCase) {
    writeTable({{"C:\\Dict\\Type1", "C:\\Convert\\TSP\\type1", "1001", "00"}});
    addFile("c/Dict/Type1/_abc.wav");
    addFile("c/Dict/Type1/_DONE.DSS");
    addFile("c/Dict/Type1/abc.wav");
    addFile("c/Dict/Type1/ABC.DSS");
    addFile("c/Dict/Type1/Mixed.WaV");
    addFile("c/Dict/Type1/notes.txt");
    addFile("c/Dict/Type1/song.wave");
    const shell::ScanResult r = scan();
    ASSERT_EQ(r.rows.size(), 3u);
    std::vector<std::string> expected = waiting("C:\\Dict\\Type1", "*.wav");
    for (const std::string& name : waiting("C:\\Dict\\Type1", "*.dss")) {
        expected.push_back(name);
    }
    EXPECT_EQ(captions(r), expected) << "wav matches first, then dss, in directory order";
    EXPECT_EQ(r.rows.back().columns[shell::kColInputFile], "ABC.DSS");
    EXPECT_EQ(r.status.panel0, "Total Files:  3");
    for (const auto& row : r.rows) {
        EXPECT_EQ(row.image, 1) << row.columns[0];
    }
}

TEST_F(JobScanTest, FillsEveryColumnFromTheFileAndItsTableRow) {
    writeTable({{"c:/DICT/type1", "C:\\Out\\Here", "12345", "07"}});
    addFile("c/Dict/Type1/one.wav", 2600);
    const shell::ScanResult r = scan();
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].columns,
              (std::array<std::string, 8>{"one.wav", "3", " ", " ", "c:/DICT/type1",
                                          "C:\\Out\\Here", "12345", "07"}));
}

TEST_F(JobScanTest, SizesInKbAreRounded) {
    writeTable({{"C:\\In", "C:\\Out", "1", "00"}});
    const struct {
        const char* name;
        std::size_t bytes;
        const char* kb;
    } cases[] = {
        {"a.wav", 1000, "1"}, {"b.wav", 2600, "3"}, {"c.wav", 0, "0"}, {"d.dss", 1536, "2"}};
    for (const auto& c : cases) {
        addFile(std::string("c/In/") + c.name, c.bytes);
    }
    const shell::ScanResult r = scan();
    ASSERT_EQ(r.rows.size(), std::size(cases));
    for (const auto& c : cases) {
        const auto it = std::find_if(r.rows.begin(), r.rows.end(), [&](const shell::JobRow& row) {
            return row.columns[0] == c.name;
        });
        ASSERT_NE(it, r.rows.end()) << c.name;
        EXPECT_EQ(it->columns[shell::kColInputSize], c.kb) << c.name << " of " << c.bytes;
    }
}

TEST_F(JobScanTest, DuplicateRowsListTheFilesTwice) {
    writeTable({{"C:\\Shared", "C:\\OutA", "111", "01"}, {"c:\\shared", "C:\\OutB", "222", "02"}});
    addFile("c/Shared/x.wav");
    addFile("c/Shared/y.dss");
    const shell::ScanResult r = scan();
    ASSERT_EQ(r.rows.size(), 4u);
    EXPECT_EQ(r.rows[0].columns[shell::kColOutputDir], "C:\\OutA");
    EXPECT_EQ(r.rows[1].columns[shell::kColUserId], "111");
    EXPECT_EQ(r.rows[2].columns[shell::kColOutputDir], "C:\\OutB");
    EXPECT_EQ(r.rows[3].columns[shell::kColLoc], "02");
    EXPECT_EQ(r.rows[2].columns[shell::kColInputDir], "c:\\shared");
    EXPECT_EQ(r.status.panel0, "Total Files:  4");
}

TEST_F(JobScanTest, AnEmptyFirstInputDirGivesNoJobs) {
    writeTable({{"", "C:\\Out", "1", "00"}, {"C:\\In", "C:\\Out", "2", "00"}});
    addFile("c/In/x.wav");
    const shell::ScanResult r = scan();
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(r.status.panel0, "Total Files:  0");
    EXPECT_EQ(r.table.tableRowCount, 0);
    ASSERT_EQ(r.table.rowsRead.size(), 1u);
    EXPECT_EQ(r.table.rowsRead[0].outputDir(), "C:\\Out");
}

TEST_F(JobScanTest, AMissingConfigurationGivesNoJobs) {
    const shell::ScanResult r = scan();
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(r.status.panel0, "Total Files:  0");
    EXPECT_FALSE(std::filesystem::exists(work_.path() / "import.ini"));
}

TEST_F(JobScanTest, RowsAfterAnEmptyInputDirAreNotScanned) {
    writeTable({{"C:\\A", "o", "1", "0"},
                {"C:\\B", "o", "2", "0"},
                {"", "o", "3", "0"},
                {"C:\\D", "o", "4", "0"}});
    addFile("c/A/a.wav");
    addFile("c/B/b.wav");
    addFile("c/D/d.wav");
    EXPECT_EQ(captions(scan()), (std::vector<std::string>{"a.wav", "b.wav"}));
}

TEST_F(JobScanTest, ABlankOrMissingFolderAddsNothingAndTheTableGoesOn) {
    writeTable(
        {{"\" \"", " ", " ", " "}, {"C:\\Nowhere", "o", "1", "0"}, {"C:\\In", "o", "2", "0"}});
    addFile("c/In/z.dss");
    const shell::ScanResult r = scan();
    EXPECT_EQ(r.table.tableRowCount, 3);
    EXPECT_EQ(captions(r), (std::vector<std::string>{"z.dss"}));
}

TEST_F(JobScanTest, OddNamesAndFoldersAreListedAsTheyAre) {
    writeTable({{"C:\\Odd Names", "o", "1", "0"}});
    const std::vector<std::string> names = {"with blanks .wav", "Müller Ärger.wav",
                                            "$(rm -rf x);`y`&|.dss", "quote'\"d.WAV"};
    for (const auto& name : names) {
        addFile("c/Odd Names/" + name, 10);
    }
    drives_.makeFolder("c/Odd Names/x.wav");
    const shell::ScanResult r = scan();
    std::vector<std::string> listed = captions(r);
    std::sort(listed.begin(), listed.end());
    std::vector<std::string> expected = names;
    expected.push_back("x.wav");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
    for (const auto& row : r.rows) {
        if (row.columns[0] == "x.wav") {
            EXPECT_EQ(row.columns[shell::kColInputSize], "0") << "a folder has no size";
        }
    }
}

TEST_F(JobScanTest, ReadsUpTo101Rows) {
    std::vector<TableRowText> rows;
    for (int n = 1; n <= 102; ++n) {
        const std::string folder = "In" + std::to_string(n);
        rows.push_back({"C:\\" + folder, "C:\\Out", std::to_string(n), "00"});
        addFile("c/" + folder + "/f" + std::to_string(n) + ".wav");
    }
    writeTable(rows);
    const shell::ScanResult r = scan();
    EXPECT_EQ(r.table.tableRowCount, 101);
    ASSERT_EQ(r.rows.size(), 101u);
    EXPECT_EQ(r.rows.front().columns[0], "f1.wav");
    EXPECT_EQ(r.rows.back().columns[0], "f101.wav");
    EXPECT_EQ(r.status.panel0, "Total Files:  101");
}

TEST_F(JobScanTest, StatusPanelsFollowTheScheduler) {
    writeTable({});
    shell::ScanResult r = scan(false);
    EXPECT_FALSE(r.status.panel1.has_value());
    EXPECT_EQ(r.status.panel3, "");
    r = scan(true, 45);
    ASSERT_TRUE(r.status.panel1.has_value());
    EXPECT_EQ(*r.status.panel1, "Next scheduled conversion in 45 min");
}

} // namespace
