// Convert All, Convert Selected and ConvertJob over real files: names, rows, renames, texts.
#include "run_fixture.h"

#include "convert/job_paths.h"
#include "files/partial_file.h"

namespace convert_test {
namespace {

using shell::kColOutputFile;
using shell::kColOutputSize;

// Each row brings its own output folder, user ID and location to the name.
TEST_F(RunFixture, ConvertAllConvertsOnlyWaitingRowsAndASecondRunDoesNothing) {
    const shell::DirectoryRow type2{{"C:\\Dict\\Type1", "C:\\Convert\\TSP\\type2", "2002", "05"}};
    const fs::path output2 = folder.makeFolder("drives/c/Convert/TSP/type2");
    addJob("_a.wav", wave());
    addJob("b.wav", wave());
    addJob("c.wav", wave(), type2);

    run.ConvertAll();

    EXPECT_EQ(host.caption(0), "_a.wav");
    EXPECT_EQ(host.caption(1), "_b.wav");
    EXPECT_EQ(host.rows[1].image, shell::kImageConverted);
    EXPECT_EQ(host.cell(1, kColOutputFile), kFirstName + ".wav");
    EXPECT_EQ(host.cell(2, kColOutputFile), "N 0315-002 2002 0000 05  .wav");
    EXPECT_EQ(folderEntries(inputFolder), (Names{"_a.wav", "_b.wav", "_c.wav"}));
    EXPECT_EQ(folderEntries(output2), Names{"N 0315-002 2002 0000 05  .wav"});
    EXPECT_EQ(platform_test::readFileBytes(outputFolder / (kFirstName + ".wav")), wave());

    run.ConvertAll();
    EXPECT_EQ(host.outcomes.size(), 2u);
    EXPECT_EQ(folderEntries(outputFolder).size(), 1u);
    EXPECT_TRUE(leftoverTempFiles().empty());
}

struct FormatCase {
    const char* label;
    int formatIndex;
    uint16_t formatCode;
    const char* inputName;
    const char* extension;
    std::size_t expectedBytes; // of the 10001 test samples
};

// CTest lists each case under its label.
void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.label;
}

class OutputFormatTest : public RunFixture, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(OutputFormatTest, WritesTheOutputInTheFormatAndShowsItsSize) {
    const FormatCase& c = GetParam();
    host.formatIndex = c.formatIndex;
    host.formatCode = c.formatCode;
    addJob(c.inputName, wave());

    run.ConvertAll();

    ASSERT_TRUE(host.outcomes.at(0).converted) << host.outcomes[0].error;
    const std::string name = kFirstName + c.extension;
    EXPECT_EQ(fs::file_size(outputFolder / name), c.expectedBytes);
    EXPECT_EQ(host.cell(0, kColOutputFile), name);
    EXPECT_EQ(host.cell(0, kColOutputSize), std::to_string(c.expectedBytes / 1024 + 1));
    EXPECT_EQ(host.outcomes[0].outputPath, "C:\\Convert\\TSP\\type1\\" + name);
    EXPECT_EQ(steps.voxWrites, c.formatIndex == 0 || c.formatIndex == 1 ? 1 : 0);
    EXPECT_TRUE(leftoverTempFiles().empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, OutputFormatTest,
                         ::testing::Values(FormatCase{"ulaw", 0, 7, "a.wav", ".vox", 10001},
                                           FormatCase{"adpcm", 1, 23, "a.wav", ".vox", 5001},
                                           FormatCase{"wav", 2, 7, "a.WAV", ".wav", 20046},
                                           FormatCase{"original", 3, 7, "a.Wav", ".Wav", 20046},
                                           FormatCase{"none", -1, 7, "a.wav", ".wav", 20046},
                                           FormatCase{"dssAsOriginal", 3, 7, "note.DSS", ".DSS",
                                                      20046}));

TEST_F(RunFixture, TheSizeColumnIsTheSizeInKbPlusOne) {
    const std::pair<std::size_t, const char*> cases[] = {
        {0, "1"}, {1023, "1"}, {1024, "2"}, {2048, "3"}, {2049, "3"}};
    for (const auto& [bytes, expected] : cases)
        addJob("s" + std::to_string(bytes) + ".wav", std::string(bytes, 'x'));
    run.ConvertAll();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(host.cell(i, kColOutputSize), cases[i].second) << cases[i].first << " bytes";
}

TEST_F(RunFixture, ATakenDoneNameGetsTheNextNumberAndNothingIsReplaced) {
    folder.writeFile("drives/c/Dict/Type1/_abc.wav", "first");
    folder.writeFile("drives/c/Dict/Type1/_abc(1).wav", "second");
    addJob("abc.wav", "third");
    run.ConvertAll();
    EXPECT_EQ(host.caption(0), "_abc(2).wav");
    EXPECT_EQ(platform_test::readFileBytes(inputFolder / "_abc.wav"), "first");
    EXPECT_EQ(platform_test::readFileBytes(inputFolder / "_abc(1).wav"), "second");
    EXPECT_EQ(platform_test::readFileBytes(inputFolder / "_abc(2).wav"), "third");
}

// Selected rows are converted whether done or not, and the texts number rows, not jobs.
TEST_F(RunFixture, ConvertSelectedConvertsTheSelectedRowsAndNumbersThemAsRows) {
    for (int i = 1; i <= 10; ++i)
        addJob((i == 3 ? "_f" : "f") + std::to_string(i) + ".wav", wave());
    host.selected = {2, 6};
    run.ConvertSelected();

    EXPECT_EQ(host.panel1History,
              (Names{"Converting File:  3 of 10", "Converting File:  7 of 10", ""}));
    EXPECT_EQ(host.statusTexts, (Names{"Converting File: 3 of 10", "Converting File: 7 of 10"}));
    EXPECT_EQ(host.fileNameTexts, (Names{"Converting: _f3.wav", "Converting: f7.wav"}));
    EXPECT_EQ(host.inputTexts.at(0), "Input Dir: C:\\Dict\\Type1");
    EXPECT_EQ(host.outputTexts.at(0), "Output Dir: C:\\Convert\\TSP\\type1");
    EXPECT_EQ(host.progressRepaints, 2);
    EXPECT_EQ(host.caption(1), "f2.wav");
    EXPECT_EQ(host.caption(2), "__f3.wav");
    EXPECT_TRUE(fs::exists(inputFolder / "__f3.wav"));
}

TEST_F(RunFixture, ConvertSelectedWithoutASelectionOnlyWarns) {
    addJob("a.wav", wave());
    run.ConvertSelected();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "Error");
    EXPECT_EQ(boxes.shown[0].text, "No files have been selected!");
    EXPECT_EQ(boxes.shown[0].icon, convert::BoxIcon::Warning);
    EXPECT_EQ(boxes.shown[0].owner, convert::BoxOwner::None);
    EXPECT_EQ(host.runsBegun, 0);
    EXPECT_EQ(host.caption(0), "a.wav");
}

TEST_F(RunFixture, TheEndRestartsTheSchedulerWhenItIsOn) {
    settings.EnableSched = true;
    settings.ConvertInterval = 45;
    addJob("a.wav", wave());
    run.ConvertAll();
    EXPECT_EQ(host.runsEnded, 1);
    EXPECT_EQ(host.timerStarts, 1);
    EXPECT_EQ(host.panels[1], "Next scheduled conversion in 45 min");

    settings.EnableSched = false;
    run.ConvertAll();
    EXPECT_EQ(host.timerStarts, 1);
    EXPECT_EQ(host.panels[1], "");
}

// The day is taken again for every job of a run.
TEST_F(RunFixture, ADayChangeBetweenJobsRestartsTheNumbering) {
    folder.writeFile("drives/c/Convert/TSP/type1/N 0316-004 1001 0000 00  .wav", "x");
    addJob("a.wav", wave());
    addJob("b.wav", wave());
    host.onJobFinished = [this](const convert::JobOutcome&) { clock.Set(2026, 3, 16, 0, 1); };
    run.ConvertAll();
    EXPECT_EQ(host.cell(0, kColOutputFile), kFirstName + ".wav");
    EXPECT_EQ(host.cell(1, kColOutputFile), "N 0316-005 1001 0000 00  .wav");
}

TEST_F(RunFixture, PartialFilesNeitherCountAsJobsNorSurviveFromEndedWriters) {
    // An ended process's half-written output carrying a high number of the day.
    folder.writeFile("drives/c/Convert/TSP/type1/.N 0315-077 1001 0000 00  .wav." +
                         files::hostName() + "-999999999-0.part",
                     "half");
    addJob("a.wav", wave());
    run.ConvertAll();
    EXPECT_EQ(host.cell(0, kColOutputFile), kFirstName + ".wav");
    EXPECT_EQ(folderEntries(outputFolder), Names{kFirstName + ".wav"});
}

class UnusualNameTest : public RunFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnusualNameTest, ConvertsAndRenamesTheInput) {
    settings.AppendSource = true;
    host.formatIndex = 1;
    host.formatCode = 23;
    const std::string name = GetParam();
    addJob(name, wave());
    run.ConvertAll();
    ASSERT_TRUE(host.outcomes.at(0).converted) << host.outcomes[0].error;
    EXPECT_EQ(host.caption(0), "_" + name);
    EXPECT_TRUE(fs::exists(inputFolder / ("_" + name)));
    const std::string expected =
        "N 0315-001 1001 0000 00 " + name.substr(0, name.rfind('.')) + " .vox";
    EXPECT_EQ(host.cell(0, kColOutputFile), expected);
    EXPECT_TRUE(fs::exists(outputFolder / expected));
}

INSTANTIATE_TEST_SUITE_P(Names, UnusualNameTest,
                         ::testing::Values("memo with blanks.wav", "it's \"quoted\".wav",
                                           "Größe Ärztin.wav", "-leading dash.wav", "--help.wav",
                                           "a;b&$(c).wav"));

// The temporary files carry the job's number, not the input's name, which may be as long as
// the file system allows.
TEST(JobPathsTest, BuildsThePathsOfAJob) {
    const convert::JobPaths wave =
        convert::BuildJobPaths("C:\\Dict\\Type1", "abc.wav", "C:\\Out", "N x.vox", "/t.d/run/", 7);
    EXPECT_EQ(wave.inputPath, "C:\\Dict\\Type1\\abc.wav");
    EXPECT_EQ(wave.tempWavePath, "/t.d/run/job7.wav");
    EXPECT_EQ(wave.pcmPath, "/t.d/run/job7tmp.wav");
    EXPECT_EQ(wave.inputCopyPath, "");
    EXPECT_EQ(wave.voxPath, "/t.d/run/job7.vox");
    EXPECT_EQ(wave.outputPath, "C:\\Out\\N x.vox");
    const std::string longest(251, 'n');
    const convert::JobPaths dss =
        convert::BuildJobPaths("/in", longest + ".DSS", "/o", "n", "/t.d/", 12);
    EXPECT_EQ(dss.tempWavePath, "/t.d/job12.wav");
    EXPECT_EQ(dss.pcmPath, "/t.d/job12tmp.wav");
    EXPECT_EQ(dss.inputCopyPath, "/t.d/" + longest + ".DSS");
    EXPECT_EQ(dss.inputPath, "/in/" + longest + ".DSS");
    EXPECT_EQ(convert::WithFileEnding("/t.d/run/noext", "tmp.wav"), "/t.d/run/noexttmp.wav");
    EXPECT_EQ(convert::WithFileEnding("/t.d/run.x/noext", "tmp.wav"), "/t.d/run.x/noexttmp.wav");
    EXPECT_TRUE(convert::IsDssInput("No.te.DSS"));
    EXPECT_FALSE(convert::IsDssInput("x.dssx"));
}

} // namespace
} // namespace convert_test
