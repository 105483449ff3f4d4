#include "dictconv/dictconv.h"

#include "dss_test/dss_writer.h"
#include "wave_test/wave_files.h"

#include "platform/paths.h"
#include "platform/programs.h"
#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace wt = wave_test;
using dss_test::Codec;
using dss_test::DssShape;
using platform_test::TestFolder;

constexpr std::size_t kPayloadBytes = dss_test::kBlockBytes - dss_test::kBlockHeaderBytes;

// Samples the decoders give for the audio of a file: DSS SP frames take 41 bytes of the block
// payloads on average (42 and 40 alternately) and give 264 samples each; DSS LP frames take
// the length their first byte names and give 240 samples each. The fill after the last frame
// decodes as frames too; a frame cut off at the end is dropped.
std::size_t ExpectedSamples(const DssShape& shape) {
    const std::string audio = dss_test::DssAudioBlocks(dss_test::DssFrames(shape));
    const std::size_t blocks = audio.size() / dss_test::kBlockBytes;
    if (shape.codec == Codec::StandardPlay)
        return blocks * kPayloadBytes / 41 * 264;
    std::string payload;
    for (std::size_t b = 0; b < blocks; ++b)
        payload +=
            audio.substr(b * dss_test::kBlockBytes + dss_test::kBlockHeaderBytes, kPayloadBytes);
    std::size_t frames = 0;
    for (std::size_t at = 0; at < payload.size(); ++frames) {
        at += dss_test::LongPlayFrameBytes(static_cast<unsigned char>(payload[at]));
        if (at > payload.size())
            break; // a frame cut off by the end of the file is dropped
    }
    return frames * 240;
}

// Runs Dictconv's main in this process with the result folder below a test drive root.
class DictconvTest : public ::testing::Test {
protected:
    DictconvTest()
        : drives_("IMPORT_DRIVE_ROOT", folder.str() + "/drives") {
        resultFolder = folder.makeFolder("drives/c");
        result = resultFolder / "tmp.wav";
    }

    int Run(const std::vector<std::string>& args) {
        std::vector<const char*> argv = {"Dictconv"};
        for (const auto& a : args)
            argv.push_back(a.c_str());
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int code =
            dictconv::RunDictconv(static_cast<int>(argv.size()), argv.data(), out, err);
        output = readAll(out);
        errors = readAll(err);
        return code;
    }

    fs::path WriteDss(const std::string& name, const std::string& bytes) {
        return folder.writeFile(name, bytes);
    }

    TestFolder folder;
    fs::path resultFolder;
    fs::path result;
    std::string output;
    std::string errors;

private:
    static std::string readAll(std::FILE* file) {
        std::string text;
        std::rewind(file);
        for (int c; (c = std::fgetc(file)) != EOF;)
            text.push_back(static_cast<char>(c));
        std::fclose(file);
        return text;
    }

    platform_test::ScopedEnv drives_;
};

// ---- Decoding ----

struct DecodeCase {
    const char* name;
    DssShape shape;
    uint32_t rate;
};

// CTest lists each case under its name.
void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.name;
}

DssShape ShapeOf(int version, Codec codec, std::size_t frames, uint32_t seed) {
    DssShape shape;
    shape.version = version;
    shape.codec = codec;
    shape.frames = frames;
    shape.seed = seed;
    return shape;
}

class DecodeTest : public DictconvTest, public ::testing::WithParamInterface<DecodeCase> {};

TEST_P(DecodeTest, WritesTheAudioAtTheDecodersRate) {
    const DecodeCase& c = GetParam();
    wt::WriteBytes(result, std::string(5000, 'x')); // an earlier result is replaced
    const auto input = WriteDss("in.dss", dss_test::DssFile(c.shape));
    ASSERT_EQ(Run({input.string()}), 0) << errors;
    EXPECT_EQ(errors, "");
    const auto samples = wt::ReadCanonicalPcm16(result, c.rate);
    ASSERT_TRUE(samples.has_value());
    EXPECT_EQ(samples->size(), ExpectedSamples(c.shape));
    EXPECT_GT(wt::Rms(*samples), 10.0); // noise, not silence
    EXPECT_EQ(platform_test::folderEntries(resultFolder), std::vector<std::string>{"tmp.wav"});
}

INSTANTIATE_TEST_SUITE_P(
    Files, DecodeTest,
    ::testing::Values(
        DecodeCase{"StandardPlayOneBlock", ShapeOf(2, Codec::StandardPlay, 5, 1), 11025},
        DecodeCase{"StandardPlayVersion3ManyBlocks", ShapeOf(3, Codec::StandardPlay, 2000, 3),
                   11025},
        DecodeCase{"LongPlayOneBlock", ShapeOf(2, Codec::LongPlay, 20, 4), 8000},
        DecodeCase{"LongPlayVersion3ManyBlocks", ShapeOf(3, Codec::LongPlay, 3000, 6), 8000}));

// FFmpeg's own program, where installed, decodes the same samples.
TEST_F(DictconvTest, DecodesWhatTheFfmpegProgramDecodes) {
    for (const Codec codec : {Codec::StandardPlay, Codec::LongPlay}) {
        const auto input = WriteDss("in.dss", dss_test::DssFile(ShapeOf(2, codec, 400, 9)));
        const auto reference = folder.path() / "reference.raw";
        int exitCode = -1;
        if (!platform::startProgram(
                "ffmpeg",
                {"-v", "error", "-y", "-i", input.string(), "-f", "s16le", reference.string()},
                true, &exitCode))
            GTEST_SKIP() << "the ffmpeg program is not installed";
        ASSERT_EQ(exitCode, 0);
        ASSERT_EQ(Run({input.string()}), 0) << errors;
        EXPECT_EQ(wt::ReadBytes(result).substr(44), wt::ReadBytes(reference));
    }
}

// Blanks, quotes, letters beyond ASCII, a colon (a protocol prefix to FFmpeg) and a leading dash.
TEST_F(DictconvTest, TakesAnyFileName) {
    for (const char* name :
         {"dict ation \"1\".dss", "Jürgen's Diktat.DSS", "file:x.dss", "-v.dss"}) {
        SCOPED_TRACE(name);
        fs::remove(result);
        const auto input =
            WriteDss(name, dss_test::DssFile(ShapeOf(2, Codec::StandardPlay, 30, 1)));
        ASSERT_EQ(Run({input.string()}), 0) << errors;
        EXPECT_TRUE(wt::ReadCanonicalPcm16(result, 11025).has_value());
    }
}

// ---- Failures: a clear message, exit code 1, nothing at the result ----

struct FailureCase {
    const char* name;
    std::string bytes;
    const char* message;
};

// CTest lists each case under its name.
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

std::string Truncated() {
    std::string bytes = dss_test::DssFile(ShapeOf(2, Codec::StandardPlay, 100, 1));
    bytes.resize(bytes.size() - 300);
    return bytes;
}

std::string GarbageHeader() {
    std::string bytes = dss_test::DssFile(ShapeOf(2, Codec::StandardPlay, 100, 1));
    for (std::size_t i = 4; i < 1024; ++i)
        bytes[i] = static_cast<char>(i * 7);
    bytes[0x2A4] = 0;
    return bytes;
}

std::string InvalidLongPlayFrame() {
    DssShape shape = ShapeOf(2, Codec::LongPlay, 10, 1);
    std::string frames = dss_test::DssFrames(shape);
    frames[0] = '\xFF';
    return dss_test::DssHeader(shape) + dss_test::DssAudioBlocks(frames);
}

class FailureTest : public DictconvTest, public ::testing::WithParamInterface<FailureCase> {};

// The reason goes to standard error with the input's name, and alone beside the result for the
// conversion step that runs the converter.
TEST_P(FailureTest, ExplainsAndLeavesNoResult) {
    const FailureCase& c = GetParam();
    const auto input = WriteDss("in.dss", c.bytes);
    EXPECT_EQ(Run({input.string()}), 1);
    EXPECT_EQ(errors, "Dictconv: " + input.string() + ": " + c.message + "\n");
    EXPECT_EQ(platform_test::folderEntries(resultFolder),
              std::vector<std::string>{".tmp.wav.reason"});
    EXPECT_EQ(wt::ReadBytes(resultFolder / ".tmp.wav.reason"), std::string(c.message) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailureTest,
    ::testing::Values(
        FailureCase{"Empty", "", "not a DSS file: the file is empty"},
        FailureCase{"Wave", wt::WaveFile({}, std::string(100, '\0')),
                    "not a DSS file: it does not begin with a DSS signature"},
        FailureCase{"Version6Family",
                    [] {
                        std::string b = dss_test::DssFile(ShapeOf(2, Codec::LongPlay, 10, 1));
                        b[0] = 6;
                        return b;
                    }(),
                    "a DSS variant this converter does not decode: it begins with 06 64 73 73"},
        FailureCase{"UnknownCodec",
                    [] {
                        std::string b = dss_test::DssFile(ShapeOf(2, Codec::LongPlay, 10, 1));
                        b[0x2A4] = 7;
                        return b;
                    }(),
                    "a DSS variant this converter does not decode: it begins with 02 64 73 73 and "
                    "names codec 7"},
        FailureCase{"Truncated", Truncated(),
                    "the file is truncated: the audio ends inside a block"},
        FailureCase{"HeaderOnly", dss_test::DssHeader(DssShape{}),
                    "the file holds no audio: there is no audio after the header"},
        FailureCase{"GarbageHeader", GarbageHeader(),
                    "the header is damaged: Invalid data found when processing input"},
        FailureCase{"InvalidLongPlayFrame", InvalidLongPlayFrame(),
                    "the audio is damaged: Invalid data found when processing input"}));

TEST_F(DictconvTest, RefusesAMissingFileAndAFolder) {
    EXPECT_EQ(Run({(folder.path() / "gone.dss").string()}), 1);
    EXPECT_EQ(errors, "Dictconv: " + (folder.path() / "gone.dss").string() +
                          ": No such file or directory\n");
    const auto directory = folder.makeFolder("x.dss");
    EXPECT_EQ(Run({directory.string()}), 1);
    EXPECT_EQ(errors, "Dictconv: " + directory.string() + ": Is a directory\n");
    EXPECT_EQ(platform_test::folderEntries(resultFolder),
              std::vector<std::string>{".tmp.wav.reason"});
}

TEST_F(DictconvTest, FailsWhenTheResultCannotBeWritten) {
    const auto input =
        WriteDss("in.dss", dss_test::DssFile(ShapeOf(2, Codec::StandardPlay, 10, 1)));
    fs::remove(resultFolder);
    EXPECT_EQ(Run({input.string()}), 1);
    EXPECT_TRUE(errors.starts_with("Dictconv: " + input.string() +
                                   ": cannot write the result: Cannot create "))
        << errors;
    EXPECT_TRUE(errors.ends_with("tmp.wav: No such file or directory\n")) << errors;
}

// ---- The command line ----

struct CommandLineCase {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    const char* output;
    const char* errors;
};

// CTest lists each case under its name.
void PrintTo(const CommandLineCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandLineTest : public DictconvTest,
                        public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLineTest, AnswersOnTheRightStream) {
    const CommandLineCase& c = GetParam();
    EXPECT_EQ(Run(c.args), c.exitCode);
    EXPECT_NE(output.find(c.output), std::string::npos) << output;
    EXPECT_NE(errors.find(c.errors), std::string::npos) << errors;
    EXPECT_EQ(output.empty() || errors.empty(), true);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(CommandLineCase{"Help", {"--help"}, 0, "Usage: Dictconv FILE.dss", ""},
                      CommandLineCase{"Version", {"--version"}, 0, "Dictconv 1.1", ""},
                      CommandLineCase{"NoFile", {}, 2, "", "Usage: Dictconv FILE.dss"},
                      CommandLineCase{
                          "TwoFiles", {"a.dss", "b.dss"}, 2, "", "Usage: Dictconv FILE.dss"}));

} // namespace
