// Every failure of a job: its exact text in the row, the status bar and the log, the input left
// waiting, no output and no partial or temporary file left behind, and the run going on.
#include "run_fixture.h"

#include "platform_test/unprivileged.h"

namespace convert_test {
namespace {

using shell::kColOutputFile;

const std::string kOutput = "C:\\Convert\\TSP\\type1\\N 0315-001 1001 0000 00  ";
const std::string kLongestName = std::string(251, 'n') + ".wav";

struct FailureCase {
    const char* label;
    int formatIndex;
    const char* inputName;
    std::function<void(RunFixture&, FakeSteps&)> arrange;
    std::string expectedText;
    std::string expectedDetail = ""; // why, for the command-line runner's line
};

class JobFailureTest : public RunFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(JobFailureTest, ReportsTheTextLeavesTheInputWaitingAndGoesOn) {
    const FailureCase& c = GetParam();
    settings.ShowErrors = true;
    host.formatIndex = c.formatIndex;
    host.formatCode = 23;
    addJob(c.inputName, wave());
    addJob("next.wav", wave());
    c.arrange(*this, steps);

    run.ConvertAll();

    EXPECT_EQ(host.cell(0, kColOutputFile), c.expectedText);
    EXPECT_EQ(host.caption(0), c.inputName);
    EXPECT_EQ(host.rows[0].image, shell::kImageWaiting);
    EXPECT_FALSE(host.outcomes.at(0).converted);
    EXPECT_EQ(host.outcomes[0].error, c.expectedText);
    EXPECT_EQ(host.outcomes[0].detail, c.expectedDetail);
    const std::string log = platform_test::readFileBytes(folder.path() / "errorlog.txt");
    EXPECT_NE(log.find(": Error:  " + c.expectedText.substr(0, 100)), std::string::npos) << log;
    EXPECT_TRUE(leftoverTempFiles().empty());
    for (const std::string& name : namesIn(outputFolder))
        EXPECT_EQ(name.front(), 'N') << "nothing partial is left: " << name;
    // The run went on: the next job was converted (unless the failure hit every job).
    EXPECT_EQ(host.outcomes.size(), 2u);
}

const FailureCase kFailures[] = {
    {"inputVanished", 3, "gone.wav",
     [](RunFixture& f, FakeSteps&) { fs::remove(f.inputFolder / "gone.wav"); },
     "Could not copy file C:\\Dict\\Type1\\gone.wav to Windows temp folder",
     "No such file or directory"},
    {"inputIsAFolder", 2, "folder.wav",
     [](RunFixture& f, FakeSteps&) {
         fs::remove(f.inputFolder / "folder.wav");
         fs::create_directory(f.inputFolder / "folder.wav");
     },
     "Could not copy file C:\\Dict\\Type1\\folder.wav to Windows temp folder", "Is a directory"},
    {"dssConverter", 1, "note.dss", [](RunFixture&, FakeSteps& s) { s.failDss = true; },
     "Could not convert C:\\Dict\\Type1\\note.dss to .wav format in Windows temp folder"},
    {"pcmConversion", 1, "a.wav",
     [](RunFixture&, FakeSteps& s) {
         s.duringWave = [&s] { s.failWave = s.waveSources.size() == 1; };
     },
     "Error converting to PCM .wav format", "the step's reason"},
    {"voxSave", 1, "a.wav",
     [](RunFixture&, FakeSteps& s) {
         s.duringWave = [&s] { s.failVox = s.waveSources.size() == 1; };
     },
     kOutput + ".vox - error in wav to vox conversion", "the step's reason"},
    {"speechCopy", 3, "a.wav",
     [](RunFixture& f, FakeSteps& s) {
         f.settings.SpeechRec = true;
         s.failSpeech = true;
     },
     "Error converting to PCM .wav format in Speech Rec folder", "the step's reason"},
    // "_" + the name would pass the file system's limit: the input could never be marked done,
    // and every later run would convert it again.
    {"inputCannotBeMarkedDone", 2, kLongestName.c_str(), [](RunFixture&, FakeSteps&) {},
     "Error renaming input file C:\\Dict\\Type1\\" + kLongestName, "File name too long"},
    {"outputExistsWav", 2, "N 0315-001 1001 0000 00 memo.wav",
     [](RunFixture& f, FakeSteps&) {
         // A header-named input keeps its name, which a file of the output folder already has.
         std::ofstream(f.outputFolder / "N 0315-001 1001 0000 00 memo .wav") << "earlier";
     },
     "Output file already exists - C:\\Convert\\TSP\\type1\\N 0315-001 1001 0000 00 memo .wav"},
    {"outputExistsVox", 1, "N 0315-001 1001 0000 00 memo.wav",
     [](RunFixture& f, FakeSteps&) {
         std::ofstream(f.outputFolder / "N 0315-001 1001 0000 00 memo .vox") << "earlier";
     },
     "Output file already exists - C:\\Convert\\TSP\\type1\\N 0315-001 1001 0000 00 memo .vox"},
};

INSTANTIATE_TEST_SUITE_P(Failures, JobFailureTest, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(RunFixture, AnExistingOutputIsNeverReplaced) {
    host.formatIndex = 2;
    std::ofstream(outputFolder / "N 0315-001 1001 0000 00 memo .wav") << "earlier";
    addJob("N 0315-001 1001 0000 00 memo.wav", wave());
    run.ConvertAll();
    EXPECT_EQ(platform_test::readFileBytes(outputFolder / "N 0315-001 1001 0000 00 memo .wav"),
              "earlier");
    EXPECT_TRUE(fs::exists(inputFolder / "N 0315-001 1001 0000 00 memo.wav"));
}

TEST_F(RunFixture, AMissingOutputFolderFailsEveryJobOfIt) {
    fs::remove(outputFolder);
    addJob("a.wav", wave());
    run.ConvertAll();
    EXPECT_EQ(host.cell(0, kColOutputFile), "Error creating output file - " + kOutput + ".wav");
    EXPECT_EQ(host.panels[3], host.cell(0, kColOutputFile));
    EXPECT_TRUE(fs::exists(inputFolder / "a.wav"));
}

TEST_F(RunFixture, AnUnwritableOutputFolderLeavesTheInputWaiting) {
    addJob("a.wav", wave());
    addJob("b.wav", wave());
    platform_test::shareWithEveryone(folder.path());
    fs::permissions(outputFolder,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::optional<bool> checked = platform_test::runUnprivileged([&] {
        run.ConvertAll();
        return host.cell(0, kColOutputFile) == "Error creating output file - " + kOutput + ".wav" &&
               host.caption(1) == "b.wav" && fs::exists(inputFolder / "a.wav") &&
               namesIn(outputFolder).empty() && leftoverTempFiles().empty();
    });
    ASSERT_TRUE(checked.has_value()) << "the check could not run without privileges";
    EXPECT_TRUE(*checked);
}

TEST_F(RunFixture, AnUnreadableInputStaysWaitingAndTheRunGoesOn) {
    addJob("locked.wav", wave());
    addJob("open.wav", wave());
    platform_test::shareWithEveryone(folder.path());
    fs::permissions(inputFolder / "locked.wav", fs::perms::none);
    const std::optional<bool> checked = platform_test::runUnprivileged([&] {
        run.ConvertAll();
        return host.cell(0, kColOutputFile) ==
                   "Could not copy file C:\\Dict\\Type1\\locked.wav to Windows temp folder" &&
               host.caption(0) == "locked.wav" && host.caption(1) == "_open.wav" &&
               fs::exists(inputFolder / "locked.wav") && leftoverTempFiles().empty();
    });
    ASSERT_TRUE(checked.has_value()) << "the check could not run without privileges";
    EXPECT_TRUE(*checked);
}

// An input that cannot be renamed would be converted again by every later run.
TEST_F(RunFixture, AnInputInAReadOnlyFolderIsNotConverted) {
    addJob("a.wav", wave());
    platform_test::shareWithEveryone(folder.path());
    fs::permissions(inputFolder,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::optional<bool> checked = platform_test::runUnprivileged([&] {
        run.ConvertAll();
        const convert::JobOutcome& outcome = host.outcomes.at(0);
        return !outcome.converted &&
               outcome.error == "Error renaming input file C:\\Dict\\Type1\\a.wav" &&
               host.panels[3] == outcome.error && host.caption(0) == "a.wav" &&
               namesIn(outputFolder).empty() && fs::exists(inputFolder / "a.wav");
    });
    ASSERT_TRUE(checked.has_value()) << "the check could not run without privileges";
    EXPECT_TRUE(*checked);
}

TEST_F(RunFixture, TheSpeechCopyIsMadeBeforeTheOriginalIsCopied) {
    settings.SpeechRec = true;
    host.formatIndex = 3;
    addJob("a.wav", wave());
    run.ConvertAll();
    ASSERT_EQ(steps.speechJobs.size(), 1u);
    const convert::SpeechJob& job = steps.speechJobs[0];
    EXPECT_EQ(job.inputName, "a.wav");
    EXPECT_EQ(job.outputPath, kOutput + ".wav");
    EXPECT_EQ(job.userId, "1001");
    EXPECT_EQ(job.outputDir, "C:\\Convert\\TSP\\type1");
    EXPECT_TRUE(host.outcomes.at(0).converted);
}

TEST_F(RunFixture, AnUnexpectedFailureEndsTheJobAndTheRunClosesNormally) {
    host.formatIndex = 1;
    addJob("a.wav", wave());
    addJob("b.wav", wave());
    steps.duringWave = [this] {
        if (steps.waveSources.size() == 1)
            throw std::runtime_error("out of memory");
    };
    run.ConvertAll();
    EXPECT_EQ(host.cell(0, kColOutputFile), "out of memory");
    EXPECT_EQ(host.caption(1), "_b.wav");
    EXPECT_EQ(host.runsEnded, 1);
    EXPECT_TRUE(leftoverTempFiles().empty());
}

} // namespace
} // namespace convert_test
