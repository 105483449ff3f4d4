#include "convert/dss_conversion.h"

#include "wave_test/wave_files.h"

#include "convert/run_lock.h"
#include "platform/paths.h"
#include "platform_test/processes.h"
#include "platform_test/test_folder.h"
#include "platform_test/wait_for.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace wt = wave_test;
using platform_test::TestFolder;

// ConvertDssToWave with stand-in converters: small scripts that do one thing each.
class DssConversionTest : public ::testing::Test {
protected:
    DssConversionTest()
        : drives_("IMPORT_DRIVE_ROOT", folder.str() + "/drives") {
        folder.makeFolder("drives/c/Dict");
        folder.makeFolder("drives/tmp");
        result = folder.path() / "drives/c/tmp.wav";
        input = folder.writeFile("drives/c/Dict/dict 1.dss", "DSS input");
    }

    // A converter script with the body given (sh); $1 is the input.
    std::string Converter(const std::string& body) {
        const auto path = folder.writeFile("bin/Dictconv", "#!/bin/sh\n" + body + "\n");
        fs::permissions(path, fs::perms::owner_all);
        return path.string();
    }

    bool Convert(const std::string& converterPath) {
        convert::DssConverter converter(reporter, loop, converterPath);
        return converter.ConvertDssToWave(1, kInputPath, kTempPath);
    }

    fs::path TempWave() const { return folder.path() / "drives/tmp/dict 1.wav"; }

    static constexpr const char* kInputPath = "C:\\Dict\\dict 1.dss";
    static constexpr const char* kTempPath = "C:\\..\\tmp\\dict 1.wav";

    TestFolder folder;
    fs::path result;
    fs::path input;
    convert::TaskQueueLoop loop;
    convert::FixedClock clock{2026, 3, 15, 14, 35, 9};
    shell::Settings settings;
    std::vector<shell::JobRow> rows = std::vector<shell::JobRow>(3);
    std::string panel3;
    convert::JobRowsErrorView view{rows, panel3};
    convert::JobErrorReporter reporter{settings, clock, view};

private:
    platform_test::ScopedEnv drives_;
};

TEST_F(DssConversionTest, TakesTheResultAndPassesTheInputAsOneArgument) {
    wt::WriteBytes(TempWave(), "stale temporary wave");
    ASSERT_TRUE(
        Convert(Converter("printf 'converted %s' \"$1\" > \"$IMPORT_DRIVE_ROOT/c/tmp.wav\"")));
    EXPECT_EQ(wt::ReadBytes(TempWave()), "converted " + input.string());
    EXPECT_FALSE(fs::exists(result));
    EXPECT_EQ(rows[1].columns[shell::kColOutputFile], "");
}

struct FailureCase {
    const char* name;
    const char* script; // empty: no converter at all
    bool staleResult;   // a result of an earlier run lies at c:\tmp.wav
    std::string message;
};

// CTest lists each case under its name.
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class DssFailureTest : public DssConversionTest,
                       public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DssFailureTest, ReportsTheJobAndLeavesNoWave) {
    const FailureCase& c = GetParam();
    if (c.staleResult)
        wt::WriteBytes(result, "result of an earlier, failed run");
    wt::WriteBytes(TempWave(), "stale temporary wave");
    const std::string converter =
        *c.script ? Converter(c.script) : (folder.path() / "bin/none/Dictconv").string();
    EXPECT_FALSE(Convert(converter));
    EXPECT_EQ(rows[1].columns[shell::kColOutputFile], c.message);
    EXPECT_EQ(panel3, c.message);
    EXPECT_FALSE(fs::exists(TempWave()));
    EXPECT_FALSE(fs::is_regular_file(result)); // a folder there is left alone
}

constexpr const char* kNotStarted =
    "Could not convert C:\\Dict\\dict 1.dss to .wav format in Windows temp folder";

// The text of a converter that ran but gave no result, with why.
std::string NoResult(const std::string& why) {
    return "Could not convert C:\\Dict\\dict 1.dss to .wav format (" + why + ")";
}

// The job's text names the input, never the temporary file, and says why.
INSTANTIATE_TEST_SUITE_P(
    Converters, DssFailureTest,
    ::testing::Values(
        FailureCase{"Missing", "", false, kNotStarted},
        FailureCase{"MissingWithAStaleResult", "", true, kNotStarted},
        FailureCase{
            "SaysWhy",
            "echo 'a DSS variant this converter does not decode: it begins with 06 64 73 "
            "73' > \"$IMPORT_DRIVE_ROOT/c/.tmp.wav.reason\"; exit 1",
            false,
            NoResult("a DSS variant this converter does not decode: it begins with 06 64 73 73")},
        FailureCase{"WritesNothing", "exit 0", false, NoResult("Dictconv left no result")},
        FailureCase{"WritesNothingAfterAFailedRun", "exit 0", true,
                    NoResult("Dictconv left no result")},
        FailureCase{"FailsAfterWriting", "echo partial > \"$IMPORT_DRIVE_ROOT/c/tmp.wav\"; exit 3",
                    false, NoResult("Dictconv ended with exit code 3")},
        FailureCase{"ExitsWithMinusOne", "exit 255", false,
                    NoResult("Dictconv ended with exit code 255")},
        FailureCase{"KilledBySignal", "kill -9 $$", false,
                    NoResult("Dictconv was ended by signal 9")},
        FailureCase{"WritesAFolder", "mkdir \"$IMPORT_DRIVE_ROOT/c/tmp.wav\"", false,
                    NoResult("Dictconv left no result")}));

// A reason left by an earlier run's converter is never taken for this job's.
TEST_F(DssConversionTest, TakesNoReasonOfAnEarlierRun) {
    folder.writeFile("drives/c/.tmp.wav.reason", "not a DSS file: the file is empty\n");
    EXPECT_FALSE(Convert(Converter("exit 1")));
    EXPECT_EQ(panel3, NoResult("Dictconv ended with exit code 1"));
    EXPECT_FALSE(fs::exists(folder.path() / "drives/c/.tmp.wav.reason"));
}

// Runs of other working folders share the one result file: the converter runs while its lock
// is held, and in a process group of its own (its keeper's), so that a terminal's Ctrl+C meant
// for import-batch (which ends after the current job) does not kill the current job's converter.
TEST_F(DssConversionTest, RunsTheConverterUnderTheResultLockInItsOwnGroup) {
    ASSERT_TRUE(Convert(Converter("flock -n \"$IMPORT_DRIVE_ROOT/c/.tmp.wav.lock\" true && exit 9\n"
                                  "read -r _ _ _ _ group _ < /proc/$$/stat\n"
                                  "[ \"$group\" = \"$PPID\" ] || exit 8\n"
                                  "[ \"$group\" != \"" +
                                  std::to_string(::getpgrp()) +
                                  "\" ] || exit 7\n"
                                  "echo wave > \"$IMPORT_DRIVE_ROOT/c/tmp.wav\"")))
        << rows[1].columns[shell::kColOutputFile];
}

// A result that cannot reach the temporary wave is reported now, not as a later failure.
TEST_F(DssConversionTest, ReportsAResultThatCannotBeTaken) {
    convert::DssConverter converter(reporter, loop,
                                    Converter("echo wave > \"$IMPORT_DRIVE_ROOT/c/tmp.wav\""));
    EXPECT_FALSE(converter.ConvertDssToWave(1, kInputPath, "C:\\..\\gone\\dict 1.wav"));
    EXPECT_EQ(panel3, NoResult("its result cannot be taken: No such file or directory"));
    EXPECT_FALSE(fs::exists(result));
}

TEST_F(DssConversionTest, RemovesPartialFilesOfAKilledConverter) {
    const auto partial = folder.writeFile("drives/c/.tmp.wav.123-0.part", "half");
    const auto unrelated = folder.writeFile("drives/c/.other.wav.1-0.part", "not ours");
    ASSERT_TRUE(
        Convert(Converter("ls -a \"$IMPORT_DRIVE_ROOT/c\" > \"$IMPORT_DRIVE_ROOT/c/tmp.wav\"")));
    EXPECT_EQ(wt::ReadBytes(TempWave()).find(".tmp.wav.123-0.part"), std::string::npos);
    EXPECT_FALSE(fs::exists(partial));
    EXPECT_TRUE(fs::exists(unrelated));
}

// The converter, once started, waits for a file that only the interface thread's event
// processing creates: it finishes only if events are processed while it runs. The loop wakes
// for posted tasks only, so a ticking task keeps it processing.
TEST_F(DssConversionTest, ProcessesEventsWhileTheConverterRuns) {
    const fs::path started = folder.path() / "started", go = folder.path() / "go";
    loop.onProcessEvents = [&] {
        if (fs::exists(started))
            wt::WriteBytes(go, "");
    };
    std::atomic<bool> running{true};
    std::thread ticker([&] {
        for (; running; std::this_thread::sleep_for(std::chrono::milliseconds(20)))
            loop.Post([] {});
    });
    const bool converted = Convert(
        Converter("touch '" + started.string() + "'; i=0; while [ ! -e '" + go.string() +
                  "' ] && [ $i -lt 300 ]; do sleep 0.1; i=$((i+1)); done\n[ -e '" + go.string() +
                  "' ] || exit 9\necho done > \"$IMPORT_DRIVE_ROOT/c/tmp.wav\""));
    running = false;
    ticker.join();
    EXPECT_TRUE(converted) << rows[1].columns[shell::kColOutputFile];
}

// ---- Waits that end ----

struct WaitCase {
    const char* name;
    const char* script;       // writes its process id to "$IMPORT_DRIVE_ROOT/ids" first
    const char* limitSeconds; // $IMPORT_DICTCONV_TIME_LIMIT
    bool resultLockTaken;     // another run's converter holds the result file
    bool stop;                // a stop comes at once, or once the converter has written its id
    const char* reason;       // LastError()
    std::string message;
};

void PrintTo(const WaitCase& c, std::ostream* os) {
    *os << c.name;
}

std::optional<std::string> unlessNull(const char* text) {
    return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

class DssWaitTest : public DssConversionTest, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(DssWaitTest, EndsAndSaysWhy) {
    const WaitCase& c = GetParam();
    const platform_test::ScopedEnv limit("IMPORT_DICTCONV_TIME_LIMIT", unlessNull(c.limitSeconds));
    const fs::path ids = folder.path() / "drives/ids";
    std::optional<convert::RunLock> otherRun;
    if (c.resultLockTaken)
        otherRun =
            convert::RunLock::TryAcquire((folder.path() / "drives/c/.tmp.wav.lock").string());
    const auto stop = [&] {
        return c.stop && (c.resultLockTaken || !platform_test::processIdsIn(ids).empty());
    };
    convert::DssConverter converter(
        reporter, loop,
        Converter(std::string("echo $$ >> \"$IMPORT_DRIVE_ROOT/ids\"\n") + c.script),
        convert::kConverterResultPath, stop);
    EXPECT_FALSE(converter.ConvertDssToWave(1, kInputPath, kTempPath));
    EXPECT_EQ(converter.LastError(), c.reason);
    EXPECT_EQ(panel3, c.message);
    EXPECT_FALSE(fs::exists(TempWave()));
    EXPECT_EQ(platform_test::processIdsIn(ids).size(), c.resultLockTaken ? 0u : 1u);
    for (const pid_t id : platform_test::processIdsIn(ids))
        EXPECT_TRUE(platform_test::waitFor([&] { return platform_test::processEnded(id); }));
}

INSTANTIATE_TEST_SUITE_P(
    Waits, DssWaitTest,
    ::testing::Values(
        WaitCase{"ConverterPastItsLimit", "exec sleep 600", "0.3", false, false,
                 "Dictconv timed out after 0.3 s and was killed",
                 NoResult("Dictconv timed out after 0.3 s and was killed")},
        WaitCase{"ConverterReadingAFifo", "mkfifo \"$1.fifo\" && exec cat \"$1.fifo\"", "0.3",
                 false, false, "Dictconv timed out after 0.3 s and was killed",
                 NoResult("Dictconv timed out after 0.3 s and was killed")},
        // A stop is no failure of the job: nothing is reported for the row.
        WaitCase{"StoppedConverter", "exec sleep 600", nullptr, false, true,
                 "the conversion was stopped and Dictconv killed", ""},
        WaitCase{"ResultHeldTooLong", "exit 0", "0.03", true, false,
                 "another conversion's Dictconv held its result file for 0.3 s", kNotStarted},
        WaitCase{"StoppedWhileTheResultIsHeld", "exit 0", nullptr, true, true,
                 "the conversion was stopped while another conversion's Dictconv held its "
                 "result file",
                 ""}));

TEST(ConverterTimeLimitTest, GrowsWithTheFileFromABaseTheEnvironmentMayChange) {
    using std::chrono::milliseconds;
    const struct {
        const char* base;
        std::uint64_t bytes;
        milliseconds limit;
    } cases[] = {
        {nullptr, 0, milliseconds(30000)},       {nullptr, 3 << 20, milliseconds(36000)},
        {nullptr, 1 << 19, milliseconds(31000)}, {"0.5", 0, milliseconds(500)},
        {"2", 1 << 20, milliseconds(4000)},      {"0", 0, milliseconds(30000)},
        {"-3", 0, milliseconds(30000)},          {"5s", 0, milliseconds(30000)},
        {"1e9", 0, milliseconds(30000)},
    };
    for (const auto& c : cases) {
        const platform_test::ScopedEnv base("IMPORT_DICTCONV_TIME_LIMIT", unlessNull(c.base));
        EXPECT_EQ(convert::ConverterTimeLimit(c.bytes), c.limit)
            << (c.base ? c.base : "unset") << ", " << c.bytes << " bytes";
    }
}

} // namespace
