// Every failure of a job: its exact text in the row, the status bar and the log, the input left
// waiting, nothing replaced, no partial or temporary file left behind, and the run going on.
#include "run_fixture.h"

#include "platform_test/unprivileged.h"

#include <map>

namespace convert_test {
namespace {

using shell::kColOutputFile;

const std::string kOutput = "C:\\Convert\\TSP\\type1\\" + kFirstName;
const std::string kLongestName = std::string(251, 'n') + ".wav";
const std::string kHeaderName = "N 0315-001 1001 0000 00 memo";

struct FailureCase {
    const char* label;
    int formatIndex;
    std::string inputName;
    std::function<void(RunFixture&, FakeSteps&)> arrange;
    std::string expectedText;
    std::string expectedDetail = ""; // why, for the command-line runner's line
};

// CTest lists each case under its label.
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.label;
}

class JobFailureTest : public RunFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(JobFailureTest, ReportsTheTextLeavesTheInputWaitingAndGoesOn) {
    const FailureCase& c = GetParam();
    settings.ShowErrors = true;
    host.formatIndex = c.formatIndex;
    host.formatCode = 23;
    addJob(c.inputName, wave());
    addJob("next.wav", wave());
    c.arrange(*this, steps);
    std::map<std::string, std::string> before;
    for (const std::string& name : folderEntries(outputFolder))
        before[name] = platform_test::readFileBytes(outputFolder / name);

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
    for (const std::string& name : folderEntries(outputFolder)) {
        EXPECT_EQ(name.front(), 'N') << "nothing partial is left: " << name;
        if (before.count(name) != 0) {
            EXPECT_EQ(platform_test::readFileBytes(outputFolder / name), before[name])
                << "nothing is replaced: " << name;
        }
    }
    EXPECT_EQ(host.outcomes.size(), 2u) << "the run goes on with the next job";
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
     "Could not copy file C:\\Dict\\Type1\\folder.wav to Windows temp folder",
     "not a regular file, not converted"},
    {"dssConverter", 1, "note.dss", [](RunFixture&, FakeSteps& s) { s.failDss = true; },
     "Could not convert C:\\Dict\\Type1\\note.dss to .wav format in Windows temp folder",
     "the step's reason"},
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
    {"outputFolderMissing", 2, "a.wav",
     [](RunFixture& f, FakeSteps&) { fs::remove(f.outputFolder); },
     "Error creating output file - " + kOutput + ".wav", "No such file or directory"},
    // "_" + the name would pass the file system's limit: the input could never be marked done,
    // and every later run would convert it again.
    {"inputCannotBeMarkedDone", 2, kLongestName, [](RunFixture&, FakeSteps&) {},
     "Error renaming input file C:\\Dict\\Type1\\" + kLongestName, "File name too long"},
    // A header-named input keeps its name, which a file of the output folder already has.
    {"outputExistsWav", 2, kHeaderName + ".wav",
     [](RunFixture& f, FakeSteps&) {
         std::ofstream(f.outputFolder / (kHeaderName + " .wav")) << "earlier";
     },
     "Output file already exists - C:\\Convert\\TSP\\type1\\" + kHeaderName + " .wav"},
    {"outputExistsVox", 1, kHeaderName + ".wav",
     [](RunFixture& f, FakeSteps&) {
         std::ofstream(f.outputFolder / (kHeaderName + " .vox")) << "earlier";
     },
     "Output file already exists - C:\\Convert\\TSP\\type1\\" + kHeaderName + " .vox"},
};

INSTANTIATE_TEST_SUITE_P(Failures, JobFailureTest, ::testing::ValuesIn(kFailures));

// Where permissions bind: the check runs without privileges.
struct DeniedCase {
    const char* label;
    std::function<fs::path(RunFixture&)> lockedPath;
    fs::perms removed;
    std::string expectedText;
};

// CTest lists each case under its label.
void PrintTo(const DeniedCase& c, std::ostream* os) {
    *os << c.label;
}

class DeniedAccessTest : public RunFixture, public ::testing::WithParamInterface<DeniedCase> {};

TEST_P(DeniedAccessTest, LeavesTheInputWaitingAndNothingBehind) {
    const DeniedCase& c = GetParam();
    addJob("a.wav", wave());
    addJob("b.wav", wave());
    platform_test::shareWithEveryone(folder.path());
    fs::permissions(c.lockedPath(*this), c.removed, fs::perm_options::remove);
    const std::optional<bool> checked = platform_test::runUnprivileged([&] {
        run.ConvertAll();
        return host.cell(0, kColOutputFile) == c.expectedText && host.caption(0) == "a.wav" &&
               fs::exists(inputFolder / "a.wav") && host.outcomes.size() == 2 &&
               folderEntries(outputFolder).size() <= 1 && leftoverTempFiles().empty();
    });
    ASSERT_TRUE(checked.has_value()) << "the check could not run without privileges";
    EXPECT_TRUE(*checked);
}

constexpr fs::perms kWrite =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

INSTANTIATE_TEST_SUITE_P(
    Permissions, DeniedAccessTest,
    ::testing::Values(
        DeniedCase{"unwritableOutputFolder", [](RunFixture& f) { return f.outputFolder; }, kWrite,
                   "Error creating output file - " + kOutput + ".wav"},
        DeniedCase{"unreadableInput", [](RunFixture& f) { return f.inputFolder / "a.wav"; },
                   fs::perms::all,
                   "Could not copy file C:\\Dict\\Type1\\a.wav to Windows temp folder"},
        // Converted, the input would keep its name and be converted again by every later run.
        DeniedCase{"readOnlyInputFolder", [](RunFixture& f) { return f.inputFolder; }, kWrite,
                   "Error renaming input file C:\\Dict\\Type1\\a.wav"}));

// The speech copy is made from the temporary wave before the input itself is copied.
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
