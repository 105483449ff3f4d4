// The editing commands (process, mix, play) on real files, through the real plug-ins.
#include "program_run.h"
#include "wave_test/wave_fixture.h"

#include "platform_test/test_folder.h"
#include "platform_test/wait_for.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <ostream>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

using quiesc_tool_test::runQuiesc;

namespace {

#if QUIESC_WITH_PLUGINS

std::string readFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<int16_t> ramp(int count, int start) {
    std::vector<int16_t> samples;
    for (int i = 0; i < count; ++i) {
        samples.push_back(static_cast<int16_t>(start + i));
    }
    return samples;
}

class ToolEditingCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        input_ = file("in.wav");
        std::ofstream(input_, std::ios::binary) << toolkit_test::pcm16Wave(ramp(800, 1), 8000);
    }
    std::string file(const char* name) const { return dir_.file(name); }

    // Routes the default output device to ALSA's file plugin (only the null device and a
    // private ~/.asoundrc are configured) and returns the file the samples land in.
    std::string routeAudioToFile(const std::string& asoundrc = "") {
        const std::string raw = file("out.raw");
        std::ofstream(file(".asoundrc"))
            << (asoundrc.empty() ? "pcm.!default { type file slave.pcm \"null\" file \"" + raw +
                                       "\" format \"raw\" }\n"
                                 : asoundrc);
        std::ofstream(file("alsa.conf"))
            << "pcm.null { type null }\n"
               "@hooks [ { func load files [ \"~/.asoundrc\" ] errors false } ]\n";
        setenv("HOME", folder_.c_str(), 1);
        setenv("ALSA_CONFIG_PATH", file("alsa.conf").c_str(), 1);
        return raw;
    }

    platform_test::TestFolder dir_;
    const std::string folder_ = dir_.str();
    std::string input_;
};

TEST_F(ToolEditingCommandsTest, ProcessCutWritesTheSoundWithoutTheSelection) {
    const std::string output = file("cut.wav");
    const auto run =
        runQuiesc({"process", input_, output, "--cut", "--start", "0.0125", "--end", "0.025"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    std::vector<int16_t> expected = ramp(100, 1);
    const auto tail = ramp(600, 201);
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(readFile(output), toolkit_test::pcm16Wave(expected, 8000));
    EXPECT_EQ(run.standardOutput, output + ": 0.087500 s after the cut\n");
}

TEST_F(ToolEditingCommandsTest, ProcessCropDefaultsTheEndToTheEndOfTheSound) {
    const std::string output = file("crop.wav");
    const auto run = runQuiesc({"process", input_, output, "--crop", "--start", "0.09"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(readFile(output), toolkit_test::pcm16Wave(ramp(80, 721), 8000));
}

TEST_F(ToolEditingCommandsTest, ProcessAmplifiesAndTrims) {
    std::ofstream(input_, std::ios::binary)
        << toolkit_test::pcm16Wave({0, 0, 0, 1000, -2000, 3000, 0, 0}, 8000);
    const std::string output = file("trim.wav");
    const auto run = runQuiesc({"process", input_, output, "--trim", "--lead", "0.00025",
                                "--threshold", "0.01", "--amplify", "6"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    // Two samples of lead silence, the loud part doubled (+6 dB: 1.995...), no trail.
    EXPECT_EQ(readFile(output), toolkit_test::pcm16Wave({0, 0, 1995, -3990, 5985}, 8000));
}

struct FailingProcess {
    std::string name;
    std::vector<std::string> options;
    int exitCode;
    std::string message;
};

void PrintTo(const FailingProcess& c, std::ostream* os) {
    *os << c.name;
}

class ProcessFailures : public ToolEditingCommandsTest,
                        public testing::WithParamInterface<FailingProcess> {};

TEST_P(ProcessFailures, ReportAndWriteNothing) {
    const std::string output = file("out.wav");
    std::vector<std::string> arguments{"process", input_, output};
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
    const auto run = runQuiesc(arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << GetParam().name;
    EXPECT_NE(run.standardError.find(GetParam().message), std::string::npos)
        << GetParam().name << ": " << run.standardError;
    EXPECT_FALSE(std::filesystem::exists(output)) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessFailures,
    testing::Values(
        FailingProcess{"selection past the end",
                       {"--validate-only", "--start", "0.05", "--end", "0.2"},
                       1,
                       ": The selection is not valid for this sound.\n"},
        FailingProcess{"start not a number",
                       {"--crop", "--start", "nan"},
                       1,
                       ": The selection is not valid for this sound.\n"},
        FailingProcess{"negative start",
                       {"--cut", "--start", "-1", "--end", "0.05"},
                       1,
                       ": The selection is not valid for this sound.\n"},
        FailingProcess{"threshold above one",
                       {"--trim", "--threshold", "1.5"},
                       1,
                       ": The silence trimming settings are not valid.\n"},
        FailingProcess{"minimum run of zero",
                       {"--trim", "--min-run", "0"},
                       1,
                       ": The silence trimming settings are not valid.\n"},
        FailingProcess{"rate of zero", {"--resample", "0"}, 1, ": The sample rate is zero.\n"},
        FailingProcess{"two selection steps", {"--cut", "--crop"}, 2, "give only one of"},
        FailingProcess{"flag with a value", {"--trim=1"}, 2, "option --trim takes no value"},
        FailingProcess{"gain not a number", {"--amplify", "loud"}, 2, "is not a number"}));

TEST_F(ToolEditingCommandsTest, ProcessOfASoundTooShortToResampleFails) {
    std::ofstream(input_, std::ios::binary) << toolkit_test::pcm16Wave(ramp(99, 1), 8000);
    const auto run = runQuiesc({"process", input_, file("out.wav"), "--resample", "16000"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, "quiesc: " + input_ + ": The sound is too short to resample.\n")
        << "a message that does not name the file is preceded by its name";
}

TEST_F(ToolEditingCommandsTest, MixWritesTheWeightedMix) {
    const std::string second = file("second.wav");
    std::ofstream(second, std::ios::binary) << toolkit_test::pcm16Wave({4, -4, 4, -4}, 8000);
    std::ofstream(input_, std::ios::binary)
        << toolkit_test::pcm16Wave({10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, 8000);
    const std::string output = file("mix.wav");
    const auto run = runQuiesc({"mix", input_, second, output, "--weight", "0.5"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(readFile(output),
              toolkit_test::pcm16Wave({-20, -19, -10, -9, -2, 2, 7, 12, 17, 22}, 8000));
}

TEST_F(ToolEditingCommandsTest, MixOfDifferentRatesFails) {
    const std::string second = file("second.wav");
    std::ofstream(second, std::ios::binary) << toolkit_test::pcm16Wave(ramp(10, 1), 11025);
    const auto run = runQuiesc({"mix", input_, second, file("mix.wav")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError,
              "quiesc: " + second + ": The two sounds have different sample rates.\n");
    EXPECT_FALSE(std::filesystem::exists(file("mix.wav")));
}

TEST_F(ToolEditingCommandsTest, PlaySendsThePartToTheDevice) {
    const std::string raw = routeAudioToFile();
    const auto run = runQuiesc({"play", input_, "--from", "0.05", "--to", "0.075"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_NE(run.standardOutput.find("Done."), std::string::npos) << run.standardOutput;
    const std::string bytes = readFile(raw);
    std::vector<int16_t> played;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto sample = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                                 (static_cast<uint8_t>(bytes[i + 1]) << 8));
        if (sample != 0) {
            played.push_back(sample);
        }
    }
    EXPECT_EQ(played, ramp(200, 401));
}

TEST_F(ToolEditingCommandsTest, PlayWithoutADeviceFails) {
    routeAudioToFile("pcm.!default { type hw card 7 }\n");
    const auto run = runQuiesc({"play", input_});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.standardError.find(": Playback could not start: Device unavailable.\n"),
              std::string::npos)
        << run.standardError;
}

// Drains a pipe slowly (64 KB/s), so that the device behind it plays at about that pace.
class SlowPipeReader {
public:
    explicit SlowPipeReader(const std::string& pipe)
        : thread_([this, pipe] { read(pipe); }) {}
    ~SlowPipeReader() {
        stop_ = true;
        thread_.join();
    }
    std::size_t bytes() const { return bytes_; }

private:
    void read(const std::string& pipe) {
        const int fd = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
        char buffer[1024];
        while (fd >= 0 && !stop_) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            bytes_ += got > 0 ? static_cast<std::size_t>(got) : 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(got > 0 ? 16 : 2));
        }
        if (fd >= 0) {
            // Whatever is left, so that the writer is never stuck on a full pipe.
            while (::read(fd, buffer, sizeof buffer) > 0) {
            }
            ::close(fd);
        }
    }
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> bytes_{0};
    std::thread thread_;
};

TEST_F(ToolEditingCommandsTest, PlayStopsCleanlyOnInterrupt) {
    // 30 seconds of sound: far longer than the test waits.
    std::ofstream(input_, std::ios::binary)
        << toolkit_test::pcm16Wave(std::vector<int16_t>(240000, 1000), 8000);
    const std::string pipe = file("out.raw");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    SlowPipeReader reader(pipe);
    routeAudioToFile();

    const std::string output = file("play.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string program = QUIESC_PROGRAM;
    std::string command = "play";
    char* argv[] = {program.data(), command.data(), input_.data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    // Interrupted once the device plays and the program shows its progress.
    EXPECT_TRUE(platform_test::waitFor([&] {
        return reader.bytes() > 0 && readFile(output).find("Playing") != std::string::npos;
    }));
    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal instead of stopping";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string shown = readFile(output);
    EXPECT_NE(shown.find("Playing"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Stopped."), std::string::npos) << shown;
    EXPECT_LT(reader.bytes(), std::size_t{480000}) << "playback ended before the interrupt";
}

#endif

} // namespace
