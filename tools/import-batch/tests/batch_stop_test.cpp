// Nothing waits forever: a converter that never ends is killed at its time limit, SIGINT and
// SIGTERM end every wait of a run at once, FIFOs named like dictations hold nothing up, and no
// converter outlives import-batch, not even one killed with SIGKILL. Dictconv stand-ins write
// their process ids (one a line) so that every process they started can be checked.
#include "batch_fixture.h"

#include "convert/run_lock.h"
#include "dss_test/dss_writer.h"
#include "platform_test/processes.h"
#include "platform_test/wait_for.h"

#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace batch_test {
namespace {

using namespace std::chrono_literals;

// How soon a stop signal must end the program.
constexpr auto kStopTime = 2s;

// Tells whether a file has been opened since the watch began.
class OpenWatch {
public:
    explicit OpenWatch(const fs::path& file)
        : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        ::inotify_add_watch(fd_, file.c_str(), IN_OPEN);
    }
    ~OpenWatch() { ::close(fd_); }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;
    bool opened() const {
        char events[4096];
        return ::read(fd_, events, sizeof events) > 0;
    }

private:
    int fd_;
};

bool startsAndEnds(const std::string& line, const std::string& start, const std::string& end) {
    return line.starts_with(start) && line.ends_with(end);
}

class StopFixture : public OneRowTest {
protected:
    fs::path ids = workspace.root() / "ids";
    fs::path fifo = workspace.root() / "hold.dss";

    StopFixture() { ::mkfifo(fifo.c_str(), 0600); }

    // The child's environment: a Dictconv stand-in that writes its id to $IDS and then runs
    // the body ($REAL_DICTCONV and $HOLD_FIFO are at hand), and the converter's time limit.
    std::function<bool()> converter(const std::string& body, const char* limitSeconds) {
        const std::string standIn = workspace.addScript("Dictconv", "echo $$ >> \"$IDS\"\n" + body);
        const std::string idFile = ids.string();
        const std::string held = fifo.string();
        return [standIn, idFile, held, limitSeconds] {
            return ::setenv("IMPORT_DICTCONV", standIn.c_str(), 1) == 0 &&
                   ::setenv("IMPORT_DICTCONV_TIME_LIMIT", limitSeconds, 1) == 0 &&
                   ::setenv("IDS", idFile.c_str(), 1) == 0 &&
                   ::setenv("REAL_DICTCONV", DICTCONV_PROGRAM, 1) == 0 &&
                   ::setenv("HOLD_FIFO", held.c_str(), 1) == 0;
        };
    }
    bool converterRunning(std::size_t processes = 1) const {
        return platform_test::waitFor(
            [&] { return platform_test::processIdsIn(ids).size() >= processes; });
    }
    void expectNoConverterLeft() const {
        for (const pid_t id : platform_test::processIdsIn(ids))
            EXPECT_TRUE(platform_test::waitFor([&] { return platform_test::processEnded(id); }))
                << "converter process " << id << " outlived import-batch";
    }
    std::string convertedLine(const char* input, int number) const {
        return std::string("C:\\Dict\\Type1\\") + input + " -> " + outputPath(number) + " (8 KB)";
    }
};

// ---- A converter that never ends, or would wait on a FIFO ----

struct HangCase {
    const char* name;
    const char* body;      // after the stand-in wrote its id
    bool killRunner;       // SIGKILL import-batch once the converter runs, instead of the limit
    std::size_t processes; // ids written
    const char* reason = "Dictconv timed out after 0.5 s and was killed";
};

void PrintTo(const HangCase& c, std::ostream* os) {
    *os << c.name;
}

class HangingConverterTest : public StopFixture, public ::testing::TestWithParam<HangCase> {};

TEST_P(HangingConverterTest, IsKilledWithEveryProcessItStarted) {
    const HangCase& c = GetParam();
    configure({"VoxFormat=3"});
    workspace.addFile("c/Dict/Type1/a.dss", "dss");
    workspace.addFile("c/Dict/Type1/b.wav", wave(2));
    RunningBatch batch(workspace, {}, converter(c.body, c.killRunner ? "600" : "0.5"));
    if (c.killRunner) {
        ASSERT_TRUE(converterRunning(c.processes));
        batch.signal(SIGKILL);
    }
    const BatchResult result = batch.wait();

    EXPECT_EQ(platform_test::processIdsIn(ids).size(), c.processes);
    expectNoConverterLeft();
    Names names = namesIn(in1);
    if (c.killRunner) {
        // The killed run's claim on a.dss stays, for the next run to undo.
        ASSERT_FALSE(names.empty());
        EXPECT_TRUE(names.front().starts_with(".import-") && names.front().ends_with(".job"))
            << names.front();
        names.erase(names.begin());
    }
    EXPECT_EQ(names, (Names{"_b.wav", "a.dss"}));
    if (c.killRunner) {
        EXPECT_EQ(result.exitCode, 128 + SIGKILL);
        return;
    }
    EXPECT_EQ(result.exitCode, 1) << result.err;
    const std::vector<std::string> lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 2u) << result.out;
    EXPECT_EQ(lines[0], convertedLine("b.wav", 1));
    EXPECT_PRED3(startsAndEnds, lines[1], "C:\\Dict\\Type1\\a.dss: Could not convert ",
                 std::string(" to .wav format (") + c.reason + ")");
}

INSTANTIATE_TEST_SUITE_P(
    Converters, HangingConverterTest,
    ::testing::Values(HangCase{"Sleeps", "exec sleep 600", false, 1},
                      // The real converter refuses a FIFO rather than wait on it.
                      HangCase{"RealConverterGivenAFifo", "exec \"$REAL_DICTCONV\" \"$HOLD_FIFO\"",
                               false, 1, "not a regular file"},
                      HangCase{"IgnoresSigtermAndLeavesAGrandchild",
                               "trap '' TERM; sleep 600 & echo $! >> \"$IDS\"; wait", false, 2},
                      HangCase{"RunnerKilledWithSigkill", "sleep 600 & echo $! >> \"$IDS\"; wait",
                               true, 2}));

// ---- A stop signal ends every wait ----

enum class Wait { Converter, ResultLock, SpeechEngine, RunLock };

struct StopCase {
    const char* name;
    int signal;
    Wait wait;
    const char* first;                   // the first dictation (b.wav is the other)
    std::vector<std::string> lineStarts; // the result lines, by their start...
    std::vector<std::string> lineEnds;   // ...and their end
    const char* stopLine;
};

void PrintTo(const StopCase& c, std::ostream* os) {
    *os << c.name;
}

class StopSignalTest : public StopFixture, public ::testing::TestWithParam<StopCase> {
protected:
    std::optional<convert::RunLock> otherRun;
    std::optional<OpenWatch> lockOpened;

    // Makes the wait happen; returns the child's environment.
    std::function<bool()> prepare(Wait wait) {
        switch (wait) {
        case Wait::Converter:
            break;
        case Wait::ResultLock: {
            const fs::path lock = workspace.drive("c/.tmp.wav.lock");
            otherRun = convert::RunLock::TryAcquire(lock.string());
            lockOpened.emplace(lock);
            break;
        }
        case Wait::SpeechEngine:
            fs::create_directories(workspace.drive("c/Speech/In"));
            break;
        case Wait::RunLock:
            otherRun = convert::RunLock::TryAcquire((workspace.work() / "import.lock").string());
            break;
        }
        return converter("exec sleep 600", "600");
    }
    bool waiting(Wait wait, const RunningBatch& batch) const {
        switch (wait) {
        case Wait::Converter:
            return converterRunning();
        case Wait::ResultLock:
            return platform_test::waitFor([&] { return lockOpened->opened(); });
        case Wait::SpeechEngine:
            return platform_test::waitFor(
                [&] { return !namesIn(workspace.drive("c/Speech/In")).empty(); });
        case Wait::RunLock:
            return batch.waitForError("waiting for the conversion running in this folder to end");
        }
        return false;
    }
};

TEST_P(StopSignalTest, EndsTheWaitFinishesOrUndoesTheJobAndSaysWhatStillWaits) {
    const StopCase& c = GetParam();
    configure({"VoxFormat=3", "SpeechRec=" + std::string(c.wait == Wait::SpeechEngine ? "1" : "0"),
               "SpeechInput=C:\\Speech\\In", "SpeechOutput=C:\\Speech\\Out"});
    workspace.addFile(std::string("c/Dict/Type1/") + c.first, wave(1));
    workspace.addFile("c/Dict/Type1/b.wav", wave(2));
    RunningBatch batch(workspace, {}, prepare(c.wait));
    ASSERT_TRUE(waiting(c.wait, batch));
    batch.signal(c.signal);
    const std::optional<BatchResult> result = batch.waitWithin(kStopTime);

    ASSERT_TRUE(result.has_value()) << "still running " << kStopTime.count() << " s after the stop";
    EXPECT_EQ(result->exitCode, 3) << result->err;
    EXPECT_NE(result->err.find(c.stopLine), std::string::npos) << result->err;
    const std::vector<std::string> lines = linesOf(result->out);
    ASSERT_EQ(lines.size(), c.lineStarts.size()) << result->out;
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_PRED3(startsAndEnds, lines[i], c.lineStarts[i], c.lineEnds[i]);
    expectNoConverterLeft();
}

const std::string kB = "C:\\Dict\\Type1\\b.wav -> C:\\Convert\\TSP\\type1\\N ";
const std::string kDssStopped = "C:\\Dict\\Type1\\a.dss: Stopped - still waiting";
const std::string kWavStopped = "C:\\Dict\\Type1\\a.wav: Stopped - still waiting";
constexpr const char* kOneWaiting =
    "import-batch: stopped by SIGTERM; 1 dictation is still waiting";

INSTANTIATE_TEST_SUITE_P(
    Waits, StopSignalTest,
    ::testing::Values(StopCase{"DssConverter",
                               SIGTERM,
                               Wait::Converter,
                               "a.dss",
                               {kB, kDssStopped},
                               {" 1001 0000 00  .wav (8 KB)", ""},
                               kOneWaiting},
                      StopCase{"DssResultLock",
                               SIGTERM,
                               Wait::ResultLock,
                               "a.dss",
                               {kB, kDssStopped},
                               {" 1001 0000 00  .wav (8 KB)", ""},
                               kOneWaiting},
                      StopCase{"SpeechEngineWithSigint",
                               SIGINT,
                               Wait::SpeechEngine,
                               "a.wav",
                               {kWavStopped},
                               {""},
                               "import-batch: stopped by SIGINT; 2 dictations are still waiting"},
                      StopCase{
                          "RunLock",
                          SIGTERM,
                          Wait::RunLock,
                          "a.wav",
                          {},
                          {},
                          "import-batch: stopped by SIGTERM; 2 dictations are still waiting"}));

// ---- FIFOs named like dictations ----

class FifoTest : public StopFixture, public ::testing::Test {};

// The ordinary dictations beside them are converted and the run ends within seconds, even when a
// FIFO reaches the real converter, which blocks opening it until its limit.
TEST_F(FifoTest, FifosNamedLikeDictationsHoldNothingUp) {
    configure({"VoxFormat=3"});
    dss_test::DssShape shape;
    shape.frames = 40;
    workspace.addFile("c/Dict/Type1/c.dss", dss_test::DssFile(shape));
    workspace.addFile("c/Dict/Type1/d.wav", wave(4));
    for (const char* name : {"x.dss", "x.wav"})
        ASSERT_EQ(::mkfifo((in1 / name).c_str(), 0600), 0);
    RunningBatch batch(workspace, {}, converter("exec \"$REAL_DICTCONV\" \"$1\"", "0.5"));
    const std::optional<BatchResult> result = batch.waitWithin(platform_test::kEventDeadline);

    ASSERT_TRUE(result.has_value()) << "a FIFO held the run up";
    EXPECT_EQ(namesIn(in1), (Names{"_c.dss", "_d.wav", "x.dss", "x.wav"})) << result->out;
    EXPECT_EQ(namesIn(out1).size(), 2u);
    for (const char* name : {"x.dss", "x.wav"})
        EXPECT_TRUE(fs::is_fifo(in1 / name)) << name;
    expectNoConverterLeft();
}

} // namespace
} // namespace batch_test
