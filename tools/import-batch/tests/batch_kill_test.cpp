// import-batch killed at any moment: at random moments run after run, and at the Nth call of
// each file-system operation a job makes. After every kill no dictation is converted twice or
// lost, and the next run finishes or undoes what the killed one left: in the end every
// dictation has exactly one complete output, its input is marked once, and no partial file, job
// record or temporary folder is left.
#include "batch_program.h"
#include "dictation_ledger.h"

#include "convert/job_record.h"
#include "platform_test/wait_for.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <iostream>
#include <random>
#include <thread>

namespace batch_test {
namespace {

constexpr int kKills = 200;
constexpr int kMaxRounds = 800;
constexpr int kWaitingPerRound = 3;
constexpr int kRoundsBetweenRetiring = 20;
constexpr int kKilledStatus = 128 + SIGKILL;

// The outputs are copies of the inputs (the original format), so that each can be traced to
// its dictation; a DSS dictation still goes through the converter first.
class KillTest : public ::testing::Test {
protected:
    BatchWorkspace workspace{true};
    DictationLedger ledger{workspace, "c/Dict/Type1", {"c/Convert/TSP/type1"}};

    KillTest() {
        workspace.writeConfig({"VoxFormat=3", "InputDir1=C:\\Dict\\Type1",
                               "OutputDir1=C:\\Convert\\TSP\\type1", "UserID1=1001", "Loc1=00"});
    }

    // A run without a kill finishes everything.
    void expectCleanEnd(const std::string& when) {
        const BatchResult last = runBatch(workspace, {});
        EXPECT_EQ(last.exitCode, 0) << when << "\n" << last.out << last.err;
        const DictationLedger::Count count = ledger.check(when + ", then a clean run");
        EXPECT_EQ(count.converted, ledger.present()) << when;
        EXPECT_EQ(count.partials, 0) << when << ": partial files of killed runs remain";
        EXPECT_EQ(count.records, 0) << when << ": job records remain";
        const fs::path userTemp =
            workspace.temp() / ("quorvel-import-" + std::to_string(::geteuid()));
        EXPECT_TRUE(fs::is_empty(userTemp)) << when << ": temporary folders of killed runs remain";
    }
};

// Each kill falls at a random moment of the jobs: after the run has claimed its first
// dictation (its job record appears), at a random delay within the run's remaining work.
TEST_F(KillTest, NoDictationIsConvertedTwiceOrLostWhenKilledAtRandomMoments) {
    const fs::path input = workspace.drive("c/Dict/Type1");
    const auto claimed = [&] {
        for (const auto& entry : fs::directory_iterator(input))
            if (convert::IsJobRecordName(entry.path().filename().string()))
                return true;
        return false;
    };
    std::mt19937 random(20260315);
    double longestDelayMs = 20;
    int landed = 0;
    int halfDoneSeen = 0;
    DictationLedger::Count count;
    for (int round = 0; landed < kKills && round < kMaxRounds; ++round) {
        ledger.add(std::max(0, kWaitingPerRound - count.waiting - count.halfDone));
        RunningBatch batch(workspace, {});
        platform_test::waitFor([&] { return claimed() || batch.endsWithin({}); });
        std::uniform_real_distribution<double> delayMs(0, longestDelayMs);
        std::this_thread::sleep_for(
            std::chrono::microseconds(static_cast<long>(1000 * delayMs(random))));
        batch.signal(SIGKILL);
        const bool killed = batch.wait().exitCode == kKilledStatus;
        landed += killed ? 1 : 0;
        // The range follows the run's length, so the kills keep falling inside the runs.
        longestDelayMs = killed ? longestDelayMs * 1.1 : std::max(2.0, longestDelayMs * 0.7);
        count = ledger.check("after round " + std::to_string(round));
        halfDoneSeen += count.halfDone;
        if (HasFailure())
            return;
        if (round % kRoundsBetweenRetiring == 0)
            ledger.retireConverted();
    }
    EXPECT_GE(landed, kKills) << "the kills must land while the program runs";
    expectCleanEnd("after the random kills");
    // The kill counts, for the record of the change.
    std::cout << "kills landed: " << landed << ", between publishing and marking: " << halfDoneSeen
              << ", dictations: " << ledger.dictations() << ", converted twice: 0, lost: 0\n";
}

// The calls the injection kills at: the publication and the marking (renameat2), the taking of
// the DSS converter's result (rename), the flushes, the clean-ups and closes, and the job
// record's lock and truncation. (link, the fallback of a file system without the no-replace
// rename, is not called where the tests run.) strace counts the calls of each thread, so an
// early call number also falls in the worker threads' steps, and in the converter's.
class KillAtCallTest : public KillTest, public ::testing::WithParamInterface<const char*> {};

bool StraceCanTrace() {
    return std::system("strace -f -qq -o /dev/null true >/dev/null 2>&1") == 0;
}

TEST_P(KillAtCallTest, TheNextRunFinishesOrUndoesWhatTheKilledOneLeft) {
    if (!StraceCanTrace())
        GTEST_SKIP() << "strace cannot trace here (not installed, or tracing is not allowed)";
    const std::string call = GetParam();
    int landed = 0;
    for (int n = 1; n <= 6; ++n) {
        ledger.add(2);
        ledger.add(1, ".dss");
        const std::string when = "a kill at " + call + " call " + std::to_string(n);
        const std::string inject = call + ":signal=SIGKILL:when=" + std::to_string(n);
        const std::vector<std::string> strace = {"strace",          "-f", "-qq",           "-o",
                                                 "/dev/null",       "-e", "trace=" + call, "-e",
                                                 "inject=" + inject};
        landed += runBatch({.workspace = workspace, .wrapper = strace}).exitCode == kKilledStatus;
        ledger.check("after " + when);
        expectCleanEnd(when);
        if (HasFailure())
            return;
    }
    std::cout << call << ": " << landed << " of 6 kills landed\n";
}

INSTANTIATE_TEST_SUITE_P(Calls, KillAtCallTest,
                         ::testing::Values("renameat2", "rename", "unlink", "unlinkat", "fsync",
                                           "close", "flock", "ftruncate"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

} // namespace
} // namespace batch_test
