#include "convert/job_error_reporter.h"

#include "platform_test/test_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace convert {
namespace {

class LogJobErrorTest : public testing::Test {
protected:
    platform_test::TestFolder folder;
    std::filesystem::path logPath = folder.path() / "errorlog.txt";
    FixedClock clock{2026, 3, 15, 14, 35, 9};
    shell::Settings settings;
    std::vector<shell::JobRow> rows = std::vector<shell::JobRow>(3);
    std::string panel3;
    JobRowsErrorView view{rows, panel3};
    JobErrorReporter reporter{settings, clock, view, ErrorLogFile(logPath.string()),
                              TimeStampFormats{"%m/%d/%Y", "%H:%M:%S"}};
};

TEST_F(LogJobErrorTest, WithoutTheLogOnlyTheRowAndStatusShowIt) {
    settings.ShowErrors = false;
    reporter.LogJobError(1, "Error converting to PCM .wav format");
    EXPECT_EQ(rows[1].columns[shell::kColOutputFile], "Error converting to PCM .wav format");
    EXPECT_EQ(rows[0].columns[shell::kColOutputFile], "");
    EXPECT_EQ(panel3, "Error converting to PCM .wav format");
    EXPECT_FALSE(std::filesystem::exists(logPath));
}

TEST_F(LogJobErrorTest, WithTheLogAppendsOneLinePerError) {
    settings.ShowErrors = true;
    platform_test::ScopedEnv drive{"IMPORT_DRIVE_ROOT", folder.str()};
    reporter.LogJobError(0, "Error creating output file - C:\\Out\\x.vox");
    clock.Set(2026, 3, 16, 0, 0, 0);
    reporter.LogJobError(2, "Could not copy file C:\\In\\a.wav to Windows temp folder");
    EXPECT_EQ(platform_test::readFileBytes(logPath),
              "03/15/2026 14:35:09: Error:  Error creating output file - C:\\Out\\x.vox\r\n"
              "03/16/2026: Error:  Could not copy file C:\\In\\a.wav to Windows temp folder\r\n");
    EXPECT_EQ(panel3, "Could not copy file C:\\In\\a.wav to Windows temp folder");
}

TEST_F(LogJobErrorTest, ALongTextIsWholeInTheRowAndCutInTheLog) {
    settings.ShowErrors = true;
    const std::string text(150, 'e');
    reporter.LogJobError(0, text);
    EXPECT_EQ(rows[0].columns[shell::kColOutputFile], text);
    EXPECT_EQ(panel3, text);
    EXPECT_EQ(platform_test::readFileBytes(logPath),
              "03/15/2026 14:35:09: Error:  " + std::string(100, 'e') + "\r\n");
}

TEST_F(LogJobErrorTest, TheLogFollowsTheSettingAtEachReport) {
    reporter.LogJobError(0, "first");
    settings.ShowErrors = true;
    reporter.LogJobError(0, "second");
    EXPECT_EQ(platform_test::readFileBytes(logPath), "03/15/2026 14:35:09: Error:  second\r\n");
}

// The job's error still reaches its row; why the log failed is said once (in the status bar by
// default) until the log can be written again.
TEST_F(LogJobErrorTest, AnUnwritableLogIsSaidOnceAndTheErrorStillShows) {
    settings.ShowErrors = true;
    const std::string folderLog =
        "The error log " + logPath.string() + " cannot be written (Is a directory)";
    std::filesystem::create_directory(logPath); // a folder cannot be opened for appending
    const JobErrorReporter blocked(settings, clock, view, ErrorLogFile(logPath.string()));
    const struct {
        const char* text;
        bool logIsFolder;
        std::string panel3;
    } reports[] = {
        {"Error renaming input file C:\\In\\a.wav", true, folderLog},
        {"second", true, "second"},
        {"third", false, "third"},
        {"fourth", true, folderLog},
    };
    for (const auto& report : reports) {
        std::filesystem::remove(logPath);
        if (report.logIsFolder)
            std::filesystem::create_directory(logPath);
        blocked.LogJobError(2, report.text);
        EXPECT_EQ(rows[2].columns[shell::kColOutputFile], report.text);
        EXPECT_EQ(panel3, report.panel3) << report.text;
    }
    const JobErrorReporter full(settings, clock, view, ErrorLogFile("/dev/full"));
    full.LogJobError(0, "disk full");
    EXPECT_EQ(rows[0].columns[shell::kColOutputFile], "disk full");
    EXPECT_EQ(panel3, "The error log /dev/full cannot be written (No space left on device)");
}

TEST_F(LogJobErrorTest, ARowOutsideTheListOnlyReachesStatusAndLog) {
    settings.ShowErrors = true;
    reporter.LogJobError(3, "late");
    reporter.LogJobError(-1, "early");
    for (const shell::JobRow& row : rows) {
        EXPECT_EQ(row.columns[shell::kColOutputFile], "");
    }
    EXPECT_EQ(panel3, "early");
    EXPECT_EQ(platform_test::readFileBytes(logPath),
              "03/15/2026 14:35:09: Error:  late\r\n03/15/2026 14:35:09: Error:  early\r\n");
}

TEST(ErrorLogFileTest, AStoredPathWithADriveLetterLiesBelowTheDriveRoot) {
    platform_test::TestFolder root;
    platform_test::ScopedEnv drive{"IMPORT_DRIVE_ROOT", root.str()};
    root.makeFolder("c/Logs");
    EXPECT_TRUE(ErrorLogFile("C:\\Logs\\errorlog.txt").Append("x\r\n"));
    EXPECT_EQ(platform_test::readFileBytes(root.path() / "c/Logs/errorlog.txt"), "x\r\n");
    EXPECT_FALSE(ErrorLogFile("C:\\Missing\\errorlog.txt").Append("x\r\n"));
    EXPECT_FALSE(ErrorLogFile("/dev/full").Append("x\r\n"));
    // A FIFO in the log's place, with no one reading it, is refused rather than waited on.
    ASSERT_EQ(::mkfifo((root.path() / "c/Logs/fifo.txt").c_str(), 0600), 0);
    EXPECT_FALSE(ErrorLogFile("C:\\Logs\\fifo.txt").Append("x\r\n"));
    EXPECT_EQ(errno, ENXIO);
}

} // namespace
} // namespace convert
