// How a job ends when it does not simply convert: the dictation still arriving or changed
// meanwhile, claimed or converted by another run, listed by two rows, unmarkable, or stopped.
// None of these but a failure is an error; none leaves an output, a partial file, a job record
// or a temporary file behind that the end does not call for.
#include "run_fixture.h"

#include "convert/input_marking.h"
#include "convert/job_claim.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace convert_test {
namespace {

using convert::JobEnd;
using shell::kColOutputFile;

const std::string kInput = "C:\\Dict\\Type1\\a.wav";
// The window shows a failed job with an image of its own.
constexpr int kImageOfAnEarlierFailure = 9;

void SetModified(const fs::path& file, std::chrono::seconds fromNow) {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const struct timespec times[2] = {now, {now.tv_sec + fromNow.count(), now.tv_nsec}};
    ::utimensat(AT_FDCWD, file.c_str(), times, 0);
}

void TakeEveryDoneName(RunFixture& f) {
    f.folder.writeFile("drives/c/Dict/Type1/_a.wav", "0");
    for (int k = 1; k <= convert::kNumberedRenameAttempts; ++k)
        f.folder.writeFile("drives/c/Dict/Type1/_a(" + std::to_string(k) + ").wav", "k");
}

struct EndCase {
    const char* label;
    std::function<void(RunFixture&)> arrange;
    JobEnd end;
    std::string outputCell; // the row's "Output File" column afterwards
    std::string detail = "";
    Names inputsAfter = {"a.wav"}; // the dictations of the input folder afterwards
};

void PrintTo(const EndCase& c, std::ostream* os) {
    *os << c.label;
}

class JobEndTest : public RunFixture, public ::testing::WithParamInterface<EndCase> {
public:
    std::optional<files::UniqueFd> writer;
    files::UniqueFd otherRunsFolder;
    std::optional<convert::JobClaim> otherRun;
};

TEST_P(JobEndTest, EndsAsItShouldAndLeavesNothingBehind) {
    const EndCase& c = GetParam();
    settings.ShowErrors = true;
    host.formatIndex = 1;
    host.formatCode = 23;
    addJob("a.wav", wave());
    c.arrange(*this);
    host.rows[0].image = kImageOfAnEarlierFailure;

    run.ConvertAll();

    ASSERT_EQ(host.outcomes.size(), 1u);
    EXPECT_EQ(host.outcomes[0].end, c.end);
    EXPECT_EQ(host.outcomes[0].detail, c.detail);
    EXPECT_EQ(host.cell(0, kColOutputFile), c.outputCell);
    const bool failed = c.end == JobEnd::Failed;
    if (!failed) {
        EXPECT_EQ(host.rows[0].image, shell::kImageWaiting) << "a waiting job looks waiting";
    }
    EXPECT_EQ(fs::exists(folder.path() / "errorlog.txt"), failed) << "only a failure is logged";
    EXPECT_EQ(host.panels[3].empty(), !failed);
    Names dictations;
    for (const std::string& name : folderEntries(inputFolder))
        if (name.front() != '.' && !name.starts_with("_a("))
            dictations.push_back(name);
    EXPECT_EQ(dictations, c.inputsAfter);
    EXPECT_TRUE(folderEntries(outputFolder).empty());
    EXPECT_TRUE(leftoverTempFiles().empty());
    writer.reset();
    otherRun.reset();
    EXPECT_TRUE(inputFolderRecords().empty());
}

const EndCase kEnds[] = {
    {"heldOpenByAWriter",
     [](RunFixture& f) {
         auto& t = static_cast<JobEndTest&>(f);
         t.writer.emplace(::open((f.inputFolder / "a.wav").c_str(), O_WRONLY | O_APPEND));
     },
     JobEnd::StillArriving, "Still arriving - converted when complete"},
    {"modifiedWithinTheSettleTime",
     [](RunFixture& f) {
         f.settings.SettleSeconds = 60;
         SetModified(f.inputFolder / "a.wav", std::chrono::seconds(-30));
     },
     JobEnd::StillArriving, "Still arriving - converted when complete"},
    {"changedDuringTheJob",
     [](RunFixture& f) {
         f.steps.duringWave = [&f] {
             std::ofstream(f.inputFolder / "a.wav", std::ios::app) << "x";
         };
     },
     JobEnd::StillArriving, "Still arriving - converted when complete"},
    {"claimedByAnotherRun",
     [](RunFixture& f) {
         auto& t = static_cast<JobEndTest&>(f);
         struct stat info {};
         ::stat((f.inputFolder / "a.wav").c_str(), &info);
         t.otherRunsFolder.reset(::open(f.inputFolder.c_str(), O_RDONLY | O_DIRECTORY));
         t.otherRun.emplace(convert::JobClaim::Take(t.otherRunsFolder.get(), info.st_ino));
     },
     JobEnd::ClaimedElsewhere, "Being converted by another run"},
    {"convertedByAnotherRun",
     [](RunFixture& f) { fs::rename(f.inputFolder / "a.wav", f.inputFolder / "_a.wav"); },
     JobEnd::ConvertedElsewhere, "Converted by another run", "", Names{"_a.wav"}},
    // Converted, it could never be marked done: every later run would convert it again.
    {"everyDoneNameTaken", TakeEveryDoneName, JobEnd::Failed, "Error renaming input file " + kInput,
     "File exists", Names{"_a.wav", "a.wav"}},
    // Taken while it was converted: its output is withdrawn rather than left unmarked.
    {"everyDoneNameTakenDuringTheJob",
     [](RunFixture& f) { f.steps.duringWave = [&f] { TakeEveryDoneName(f); }; }, JobEnd::Failed,
     "Error renaming input file " + kInput, "File exists", Names{"_a.wav", "a.wav"}},
    {"stopped", [](RunFixture& f) { f.steps.duringWave = [&f] { f.host.stop = true; }; },
     JobEnd::Stopped, "Stopped - still waiting"},
};

INSTANTIATE_TEST_SUITE_P(Ends, JobEndTest, ::testing::ValuesIn(kEnds),
                         [](const ::testing::TestParamInfo<EndCase>& info) {
                             return std::string(info.param.label);
                         });

// A dictation that has stopped arriving converts in the next run.
TEST_F(RunFixture, ADictationConvertsOnceItHasSettled) {
    settings.SettleSeconds = 60;
    addJob("a.wav", wave());
    addJob("b.wav", wave());
    // A clock more than a day off says nothing of arriving.
    SetModified(inputFolder / "a.wav", std::chrono::hours(-1));
    SetModified(inputFolder / "b.wav", std::chrono::hours(49));
    run.ConvertAll();
    EXPECT_EQ(host.caption(0), "_a.wav");
    EXPECT_EQ(host.caption(1), "_b.wav");
}

// The stop ends the run: the jobs after the stopped one are not begun.
TEST_F(RunFixture, AStopEndsTheRunAfterUndoingTheJob) {
    host.formatIndex = 1;
    addJob("a.wav", wave());
    addJob("b.wav", wave());
    steps.duringWave = [this] { host.stop = true; };
    run.ConvertAll();
    ASSERT_EQ(host.outcomes.size(), 1u);
    EXPECT_EQ(host.outcomes[0].end, JobEnd::Stopped);
    EXPECT_EQ(folderEntries(inputFolder), (Names{"a.wav", "b.wav"}));
    EXPECT_EQ(host.runsEnded, 1);
}

// Two rows of one input folder list its files twice: the first row's job converts each, the
// second row shows that job's result.
TEST_F(RunFixture, ASecondRowOfTheSameFolderShowsTheFirstRowsResult) {
    const shell::DirectoryRow sameFolder{
        {"c:/dict/type1", "C:\\Convert\\TSP\\type2", "2002", "05"}};
    folder.makeFolder("drives/c/Convert/TSP/type2");
    addJob("a.wav", wave());
    host.rows.push_back(shell::MakeJobRow("a.wav", 1, sameFolder));
    run.ConvertAll();
    ASSERT_EQ(host.outcomes.size(), 2u);
    EXPECT_EQ(host.outcomes[1].end, JobEnd::ConvertedEarlierInRun);
    EXPECT_EQ(host.outcomes[1].error, "");
    EXPECT_EQ(host.caption(1), "_a.wav");
    EXPECT_EQ(host.cell(1, kColOutputFile), kFirstName + ".wav");
    EXPECT_EQ(host.rows[1].image, shell::kImageConverted);
    EXPECT_TRUE(folderEntries(folder.path() / "drives/c/Convert/TSP/type2").empty());
}

} // namespace
} // namespace convert_test
