#include "convert/conversion_report.h"
#include "convert/report_command.h"

#include "box_recorder.h"
#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace convert {
namespace {

shell::JobRow Row(std::string caption, std::string inputKb, std::string outputFile,
                  std::string outputKb, std::string inputDir, std::string outputDir) {
    shell::JobRow row;
    row.columns = {std::move(caption),
                   std::move(inputKb),
                   std::move(outputFile),
                   std::move(outputKb),
                   std::move(inputDir),
                   std::move(outputDir),
                   "1001",
                   "00"};
    return row;
}

// A converted job, a failed one, a 25-character name with a 40-character input folder, and a
// job with sizes wider than their columns.
const std::vector<shell::JobRow> kMixedSelection = {
    Row("_abc.wav", "12", "N 0315-001 1001 0000 00  .vox", "4", "C:\\Dict\\Type1",
        "C:\\Convert\\TSP\\type1"),
    Row("failed.dss", "3", "Error converting to PCM .wav format", " ", "C:\\Dict\\Type2",
        "C:\\Convert\\TSP\\type2"),
    Row("a_name_of_25_characters.w", "0", " ", " ",
        "C:\\A\\folder\\of\\forty\\characters\\xxxxxxxx",
        "C:\\An\\output\\folder\\that\\is\\never\\cut\\at\\all"),
    Row("big.wav", "1234567", "x", "98765", "/srv/in", "/srv/out"),
};

const std::string kHeading = "\r\n\r\n"
                             "File Name              Original  Converted  Input Directory    "
                             "            Output Directory\r\n"
                             "                       Size (KB) Size (KB)  \r\n" +
                             std::string(91, '-') + "\r\n";

const std::string kMixedReport =
    kHeading +
    "_abc.wav                    12          4   C:\\Dict\\Type1                  "
    "C:\\Convert\\TSP\\type1\r\n"
    "failed.dss                   3              C:\\Dict\\Type2                  "
    "C:\\Convert\\TSP\\type2\r\n"
    "a_name_of_25_charact         0              C:\\A\\folder\\of\\forty\\character "
    "C:\\An\\output\\folder\\that\\is\\never\\cut\\at\\all\r\n"
    "big.wav                  1234567      98765   /srv/in                        /srv/out\r\n"
    "\r\n\r\nTotal Jobs:  4     \r\n";

TEST(ConversionReportTest, HeadingIsExact) {
    EXPECT_EQ(ReportHeading(), kHeading);
    EXPECT_EQ(ReportHeading().size(), 4u + 91u + 2u + 44u + 2u + 91u + 2u);
}

TEST(ConversionReportTest, MixedSelectionIsExact) {
    EXPECT_EQ(ConversionReport(kMixedSelection), kMixedReport);
}

TEST(ConversionReportTest, TotalCountsTheSelectedRows) {
    EXPECT_EQ(ReportTotal(3), "\r\n\r\nTotal Jobs:  3     \r\n");
    EXPECT_EQ(ReportTotal(101), "\r\n\r\nTotal Jobs:  101     \r\n");
}

class CreateReportTest : public testing::Test {
protected:
    platform_test::TestFolder folder;
    platform_test::ScopedWorkingFolder cwd{folder.path()};
    convert_test::BoxRecorder boxes;
    convert_test::OpenRecorder opened;
    std::filesystem::path report = folder.path() / "import.txt";

    void ExpectOneErrorBox(const char* text) const {
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, text);
        EXPECT_EQ(boxes.shown[0].caption, "Error");
        EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::Ok);
        EXPECT_EQ(boxes.shown[0].owner, BoxOwner::None);
        EXPECT_TRUE(opened.opened.empty());
    }
};

TEST_F(CreateReportTest, WritesReplacesAndOpensTheReport) {
    folder.writeFile("import.txt", std::string(5000, 'o'));
    const ReportCommand command(boxes, opened.opener());
    command.CreateReport1Click(kMixedSelection);
    EXPECT_EQ(platform_test::readFileBytes(report), kMixedReport);
    ASSERT_EQ(opened.opened.size(), 1u);
    EXPECT_EQ(std::filesystem::path(opened.opened[0]), report);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(CreateReportTest, NothingSelectedGivesTheInformationBox) {
    const ReportCommand command(boxes, opened.opener());
    command.CreateReport1Click({});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "No jobs have been selected.");
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Information);
    EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::Ok);
    EXPECT_FALSE(std::filesystem::exists(report));
    EXPECT_TRUE(opened.opened.empty());
}

TEST_F(CreateReportTest, AReportThatCannotBeCreatedGivesTheBox) {
    std::filesystem::create_directory(report);
    const ReportCommand command(boxes, opened.opener());
    command.CreateReport1Click(kMixedSelection);
    ExpectOneErrorBox("Error opening report file");
}

TEST_F(CreateReportTest, AReportInAMissingFolderGivesTheBox) {
    const ReportCommand command(boxes, opened.opener(), "C:\\No\\Such\\import.txt");
    command.CreateReport1Click(kMixedSelection);
    ExpectOneErrorBox("Error opening report file");
}

TEST_F(CreateReportTest, AFullDiskIsReportedAndNotOpened) {
    const ReportCommand command(boxes, opened.opener(), "/dev/full");
    command.CreateReport1Click(kMixedSelection);
    ExpectOneErrorBox("Error writing report file");
}

} // namespace
} // namespace convert
