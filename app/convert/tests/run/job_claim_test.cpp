// The job record, the claim of a dictation, and what the next run does with the record of a run
// that was killed at each point of a job.
#include "convert/input_marking.h"
#include "convert/job_claim.h"
#include "convert/job_record.h"
#include "files/partial_file.h"
#include "files/publish.h"
#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"
#include "platform_test/unprivileged.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace convert {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using platform_test::folderEntries;

JobIntent SampleIntent() {
    JobIntent intent;
    intent.inputName = "memo: 1\nof \"2\".wav";
    intent.input.inode = 1234567890123ULL;
    intent.input.size = 20046;
    intent.input.modified = {-86400, 999999999};
    intent.input.changed = {1773571200, 5};
    intent.doneName = "_memo: 1\nof \"2\"(3).wav";
    intent.outputPath = "C:\\Convert\\TSP\\type1\\N 0315-001 1001 0000 00  .wav";
    intent.nativeOutput = "/drives/c/Convert/TSP/type1/N 0315-001 1001 0000 00  .wav";
    intent.nativePartial = "/drives/c/Convert/TSP/type1/.N 0315-001 1001 0000 00  .wav.pc-1-0.part";
    intent.outputInode = 77;
    intent.outputSize = 20046;
    return intent;
}

TEST(JobRecordTest, AWholeRecordReadsBackAndAnyTornOneReadsAsNone) {
    const std::string text = JobRecordText(SampleIntent());
    const std::optional<JobIntent> read = ParseJobRecord(text);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->inputName, SampleIntent().inputName);
    EXPECT_EQ(read->doneName, SampleIntent().doneName);
    EXPECT_EQ(read->input, SampleIntent().input);
    EXPECT_EQ(read->outputInode, 77u);
    EXPECT_EQ(JobRecordText(*read), text);
    // A kill while the record was written leaves a part of it: nothing was published yet.
    for (std::size_t length = 0; length < text.size(); ++length)
        EXPECT_FALSE(ParseJobRecord(text.substr(0, length))) << length << " bytes";
    EXPECT_FALSE(ParseJobRecord(text + "x"));
    EXPECT_FALSE(
        ParseJobRecord("quorvel-import job record 2\n" + text.substr(text.find('\n') + 1)));
}

TEST(JobRecordTest, TheRecordIsNamedByTheInputsInode) {
    EXPECT_EQ(JobRecordName(4711), ".import-4711.job");
    const std::pair<const char*, bool> names[] = {
        {".import-4711.job", true}, {".import-.job", false},    {".import-47a1.job", false},
        {"import-4711.job", false}, {".import-4711.jo", false}, {".import-4711.job.wav", false}};
    for (const auto& [name, isRecord] : names)
        EXPECT_EQ(IsJobRecordName(name), isRecord) << name;
}

files::UniqueFd OpenFolder(const fs::path& path) {
    return files::UniqueFd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

ino_t InodeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

files::FileIdentity IdentityOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return files::identityOf(info);
}

class JobClaimTest : public ::testing::Test {
public:
    platform_test::TestFolder folder;
    fs::path in = folder.makeFolder("In");
    fs::path out = folder.makeFolder("Out");
    fs::path input = folder.writeFile("In/a.wav", "the dictation");
    fs::path output = out / "N 0315-001 1001 0000 00  .wav";
    files::UniqueFd inFd = OpenFolder(in);

    // A run that claims the dictation in a process of its own, goes through the job as far as
    // `steps` take it and ends there, as if killed: its record stays, unlocked.
    void endedRun(int steps) const {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(jobUpTo(steps) ? 0 : 1);
        int status = 1;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    bool jobUpTo(int steps) const {
        JobClaim claim = JobClaim::Take(inFd.get(), InodeOf(input));
        files::PartialFile partial = files::createPartial(output.string());
        if (claim.result() != JobClaim::Result::Claimed || !partial.fd ||
            ::write(partial.fd.get(), "output", 6) != 6 || !partial.fd.close())
            return false;
        if (steps == 0)
            ::_exit(0);
        const JobIntent intent{
            "a.wav",      IdentityOf(input),     "_a.wav", "C:\\Out\\o", output.string(),
            partial.path, InodeOf(partial.path), 6};
        if (!claim.RecordIntent(intent))
            return false;
        if (steps == 1)
            ::_exit(0);
        if (files::moveIntoPlace(partial.path, output.string(), false) !=
            files::PublishResult::Published)
            return false;
        if (steps == 2)
            ::_exit(0);
        if (!MarkInputDone(inFd.get(), "a.wav", "_a.wav"))
            return false;
        ::_exit(0);
    }
};

struct EndedRunCase {
    const char* label;
    int steps; // 0 claimed and reserved, 1 intent recorded, 2 published, 3 marked
    std::function<void(JobClaimTest&)> meanwhile;
    Names inputsAfter;
    bool outputKept;
};

void PrintTo(const EndedRunCase& c, std::ostream* os) {
    *os << c.label;
}

class EndedRunTest : public JobClaimTest, public ::testing::WithParamInterface<EndedRunCase> {};

TEST_P(EndedRunTest, TheNextRunFinishesOrUndoesTheJob) {
    const EndedRunCase& c = GetParam();
    endedRun(c.steps);
    c.meanwhile(*this);

    EXPECT_EQ(RecoverEndedJobs(inFd.get()), 1);

    EXPECT_EQ(folderEntries(in), c.inputsAfter) << "the record goes as well";
    EXPECT_EQ(fs::exists(output), c.outputKept);
    if (c.steps >= 1) {
        EXPECT_EQ(folderEntries(out).size(), c.outputKept ? 1u : 0u)
            << "a recorded partial output goes with the undone job";
    }
    EXPECT_EQ(RecoverEndedJobs(inFd.get()), 0);
}

const EndedRunCase kEndedRuns[] = {
    {"reserved", 0, [](JobClaimTest&) {}, Names{"a.wav"}, false},
    {"intentRecorded", 1, [](JobClaimTest&) {}, Names{"a.wav"}, false},
    {"published", 2, [](JobClaimTest&) {}, Names{"_a.wav"}, true},
    {"publishedAndTheDoneNameTaken", 2,
     [](JobClaimTest& t) { t.folder.writeFile("In/_a.wav", "another"); },
     Names{"_a(1).wav", "_a.wav"}, true},
    // The output holds what the input was: converted again, the new input gets its own.
    {"publishedAndTheInputRewritten", 2,
     [](JobClaimTest& t) { t.folder.writeFile("In/a.wav", "the dictation, longer"); },
     Names{"a.wav"}, false},
    {"publishedAndTheInputGone", 2, [](JobClaimTest& t) { fs::remove(t.input); }, Names{}, true},
    {"marked", 3, [](JobClaimTest&) {}, Names{"_a.wav"}, true},
};

INSTANTIATE_TEST_SUITE_P(KilledAt, EndedRunTest, ::testing::ValuesIn(kEndedRuns),
                         [](const ::testing::TestParamInfo<EndedRunCase>& info) {
                             return std::string(info.param.label);
                         });

// One claim at a time, also within one process; a claim whose run ended is taken over.
TEST_F(JobClaimTest, OneClaimAtATime) {
    const ino_t inode = InodeOf(input);
    std::optional<JobClaim> first = JobClaim::Take(inFd.get(), inode);
    ASSERT_EQ(first->result(), JobClaim::Result::Claimed);
    EXPECT_EQ(JobClaim::Take(inFd.get(), inode).result(), JobClaim::Result::ClaimedElsewhere);
    first.reset();
    EXPECT_TRUE(folderEntries(in) == Names{"a.wav"}) << "a released claim leaves no record";
    endedRun(0);
    EXPECT_EQ(JobClaim::Take(inFd.get(), inode).result(), JobClaim::Result::Claimed);
}

TEST_F(JobClaimTest, ARecordOfAnotherUserIsNeverActedOn) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs a file of another user";
    const fs::path record = in / JobRecordName(InodeOf(input));
    folder.writeFile("In/" + record.filename().string(), "");
    ASSERT_EQ(::chown(record.c_str(), platform_test::kNobodyId, platform_test::kNobodyId), 0);
    const JobClaim claim = JobClaim::Take(inFd.get(), InodeOf(input));
    EXPECT_EQ(claim.result(), JobClaim::Result::Failed);
    EXPECT_EQ(claim.failure(),
              record.filename().string() + " in the input folder is not this user's");
    EXPECT_EQ(RecoverEndedJobs(inFd.get()), 0);
    EXPECT_TRUE(fs::exists(record));
}

} // namespace
} // namespace convert
