#include "convert/wave_conversion.h"

#include "conversion_percent.h"
#include "wave_test/sndfile_writer.h"
#include "wave_test/wave_files.h"

#include "codecs/adpcm.h"
#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

namespace {

using convert::WaveFormat;
using platform_test::TestFolder;
namespace fs = std::filesystem;
namespace wt = wave_test;

class RecordingProgress final : public convert::ProgressView {
public:
    void SetStatusText(const std::string&) override {}
    void SetFileNameText(const std::string&) override {}
    void SetInputText(const std::string&) override {}
    void SetOutputText(const std::string&) override {}
    void SetGauge(int percent) override {
        gauge.push_back(percent);
        if (onGauge)
            onGauge();
    }
    std::vector<int> gauge;
    std::function<void()> onGauge;
};

class WaveConversionTest : public ::testing::Test {
protected:
    bool Convert(const fs::path& source, const fs::path& destination, uint32_t rate,
                 wavefile::WaveFileIo& io = wavefile::SystemWaveFileIo()) {
        convert::WaveConverter converter(loop, progress, io);
        const bool converted = converter.ConvertWaveFile(source.string(), destination.string(),
                                                         WaveFormat::pcm16Mono(rate));
        lastError = converter.LastError();
        return converted;
    }

    // The folder holds exactly these names, sorted (no partial file left behind).
    void ExpectFolderHolds(const std::vector<std::string>& names) const {
        EXPECT_EQ(platform_test::folderEntries(folder.path()), names);
    }

    TestFolder folder;
    convert::TaskQueueLoop loop;
    RecordingProgress progress;
    std::string lastError;
};

// ---- Encodings and rates ----

struct EncodingCase {
    const char* name;
    int format; // libsndfile's WAV subtype
    int channels;
    uint32_t rate;
    uint32_t target;
    double rmsTolerance; // relative, against the tone's own level
};

// CTest lists each case under its name.
void PrintTo(const EncodingCase& c, std::ostream* os) {
    *os << c.name;
}

class EncodingTest : public WaveConversionTest,
                     public ::testing::WithParamInterface<EncodingCase> {};

// The tone comes out at the target rate, with the length of the source's duration (within a
// block) and about its level (the channels averaged).
TEST_P(EncodingTest, ConvertsToPcm16MonoAtTheTargetRate) {
    const EncodingCase& c = GetParam();
    const double seconds = 2.5;
    const auto source = folder.path() / "source.wav";
    ASSERT_TRUE(wt::WriteWithSndfile(source, SF_FORMAT_WAV | c.format, c.channels, c.rate,
                                     wt::Tone(seconds, c.rate, c.channels)));
    const auto destination = folder.path() / "out.wav";
    ASSERT_TRUE(Convert(source, destination, c.target)) << lastError;
    const auto samples = wt::ReadCanonicalPcm16(destination, c.target);
    ASSERT_TRUE(samples.has_value());

    const double expectedLength = seconds * c.target;
    const double oneBlock = 4096.0 * c.target / c.rate;
    EXPECT_NEAR(static_cast<double>(samples->size()), expectedLength, oneBlock);
    double level = 0;
    for (int ch = 0; ch < c.channels; ++ch)
        level += (0.5 - 0.1 * ch) / c.channels;
    const double expectedRms = level / std::sqrt(2.0) * 32768.0;
    EXPECT_NEAR(wt::Rms(*samples), expectedRms, expectedRms * c.rmsTolerance);
    EXPECT_TRUE(lastError.empty());
    ExpectFolderHolds({"out.wav", "source.wav"});
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, EncodingTest,
    ::testing::Values(
        EncodingCase{"Pcm8At11025To8000", SF_FORMAT_PCM_U8, 1, 11025, 8000, 0.03},
        EncodingCase{"Pcm16StereoAt44100To8000", SF_FORMAT_PCM_16, 2, 44100, 8000, 0.02},
        EncodingCase{"Pcm24At48000To11025", SF_FORMAT_PCM_24, 1, 48000, 11025, 0.02},
        EncodingCase{"Pcm32At22050To11025", SF_FORMAT_PCM_32, 1, 22050, 11025, 0.02},
        EncodingCase{"FloatStereoAt16000To8000", SF_FORMAT_FLOAT, 2, 16000, 8000, 0.02},
        EncodingCase{"AlawAt8000To11025", SF_FORMAT_ALAW, 1, 8000, 11025, 0.03},
        EncodingCase{"UlawAt8000To8000", SF_FORMAT_ULAW, 1, 8000, 8000, 0.03},
        EncodingCase{"ImaAdpcmAt11025To8000", SF_FORMAT_IMA_ADPCM, 1, 11025, 8000, 0.08},
        EncodingCase{"MsAdpcmStereoAt22050To8000", SF_FORMAT_MS_ADPCM, 2, 22050, 8000, 0.08},
        EncodingCase{"Gsm610At8000To11025", SF_FORMAT_GSM610, 1, 8000, 11025, 0.25},
        EncodingCase{"Pcm16SixChannelsAt8000To8000", SF_FORMAT_PCM_16, 6, 8000, 8000, 0.02}));

// MPEG layer III inside WAV (format tag 0x55): libsndfile writes the MPEG stream, the test
// wraps it in a RIFF WAVE file as recorders do.
TEST_F(WaveConversionTest, ReadsMpegLayer3InsideWave) {
    const uint32_t rate = 22050;
    const double seconds = 3;
    const auto mp3 = folder.path() / "tone.mp3";
    ASSERT_TRUE(wt::WriteWithSndfile(mp3, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 1, rate,
                                     wt::Tone(seconds, rate, 1)));
    std::string extra;
    wt::putLe16(extra, 12);   // cbSize
    wt::putLe16(extra, 1);    // MPEG layer III id
    wt::putLe32(extra, 2);    // padding off
    wt::putLe16(extra, 1);    // block size (variable)
    wt::putLe16(extra, 1);    // frames per block
    wt::putLe16(extra, 1393); // codec delay
    const wt::FormatChunk format{0x55, 1, rate, 0, 1, extra};
    const auto source = folder.path() / "mp3.wav";
    wt::WriteBytes(source, wt::WaveFile(format, wt::ReadBytes(mp3)));
    fs::remove(mp3);

    const auto destination = folder.path() / "out.wav";
    ASSERT_TRUE(Convert(source, destination, 8000)) << lastError;
    const auto samples = wt::ReadCanonicalPcm16(destination, 8000);
    ASSERT_TRUE(samples.has_value());
    // The decoder adds its own delay of up to a few frames of 1152 samples.
    EXPECT_NEAR(static_cast<double>(samples->size()), seconds * 8000, 4 * 1152 * 8000.0 / rate);
    EXPECT_NEAR(wt::Rms(*samples), 0.5 / std::sqrt(2.0) * 32768,
                0.5 / std::sqrt(2.0) * 32768 * 0.1);
}

// Dialogic OKI ADPCM (format tag 23), decoded by our own codec: at 8000 the samples are
// exactly those of the codec's decoder run over the whole data from a fresh state.
TEST_F(WaveConversionTest, DecodesDialogicAdpcmWithTheSharedCodec) {
    const std::size_t count = 50001; // spans many blocks and ends on an odd code
    const auto tone = wt::NoiseSamples(count, 7, 12000);
    std::vector<uint8_t> codes((count + 1) / 2);
    codecs::AdpcmState encoder;
    codecs::encodeAdpcmBlock(tone.data(), static_cast<uint32_t>(count), codes.data(), encoder);
    std::vector<int16_t> expected(codes.size() * 2);
    codecs::AdpcmState decoder;
    codecs::decodeAdpcmBlock(codes.data(), static_cast<uint32_t>(expected.size()), expected.data(),
                             decoder);

    const auto source = folder.path() / "oki.wav";
    wt::WriteBytes(source,
                   wt::WaveFile({23, 1, 8000, 4, 1, ""}, std::string(codes.begin(), codes.end())));
    const auto destination = folder.path() / "out.wav";
    ASSERT_TRUE(Convert(source, destination, 8000)) << lastError;
    EXPECT_EQ(wt::ReadCanonicalPcm16(destination, 8000), expected);

    ASSERT_TRUE(Convert(source, folder.path() / "speech.wav", 11025)) << lastError;
    const auto resampled = wt::ReadCanonicalPcm16(folder.path() / "speech.wav", 11025);
    ASSERT_TRUE(resampled.has_value());
    EXPECT_NEAR(static_cast<double>(resampled->size()), expected.size() * 11025.0 / 8000, 4096);
}

// ---- Pass-through and mixing ----

struct PassThroughCase {
    const char* name;
    uint32_t rate;
    std::string chunksBefore; // chunks between "fmt " and "data"
    std::size_t samples;
};

// CTest lists each case under its name.
void PrintTo(const PassThroughCase& c, std::ostream* os) {
    *os << c.name;
}

class PassThroughTest : public WaveConversionTest,
                        public ::testing::WithParamInterface<PassThroughCase> {};

TEST_P(PassThroughTest, KeepsEverySampleOfPcm16MonoAtTheTargetRate) {
    const PassThroughCase& c = GetParam();
    const auto samples = wt::NoiseSamples(c.samples, 11, 32767);
    const auto source = folder.path() / "in.wav";
    wt::WriteBytes(source, wt::Riff(wt::Chunk("fmt ", wt::FormatBody({1, 1, c.rate, 16, 2, ""})) +
                                    c.chunksBefore + wt::Chunk("data", wt::Pcm16Bytes(samples)) +
                                    wt::Chunk("LIST", "INFOISFT")));
    const auto destination = folder.path() / "out.wav";
    wt::WriteBytes(destination, std::string(100000, 'x')); // an earlier result is replaced
    ASSERT_TRUE(Convert(source, destination, c.rate)) << lastError;
    EXPECT_EQ(wt::ReadCanonicalPcm16(destination, c.rate), samples);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, PassThroughTest,
    ::testing::Values(PassThroughCase{"At8000", 8000, "", 40000},
                      PassThroughCase{"At11025", 11025, "", 30011},
                      PassThroughCase{"OneSample", 8000, "", 1},
                      PassThroughCase{"ExactlyOneBlock", 8000, "", 2048},
                      PassThroughCase{
                          "AfterOddSizedChunks", 8000,
                          wt::Chunk("fact", std::string(4, '\0')) +
                              wt::Chunk("LIST", std::string("INFOICMT\4\0\0\0odd\0", 16)) +
                              wt::Chunk("junk", "12345"),
                          999}));

// A recorder that streamed its file, or lost power before it could write the size, leaves 0
// or 0xFFFFFFFF as the data size: the data runs to the end of the file.
TEST_F(WaveConversionTest, ReadsAStreamedDataSizeToTheEndOfTheFile) {
    const auto samples = wt::NoiseSamples(9001, 4);
    std::vector<int16_t> okiExpected(4000);
    codecs::AdpcmState decoder;
    codecs::decodeAdpcmBlock(reinterpret_cast<const uint8_t*>(wt::Pcm16Bytes(samples).data()), 4000,
                             okiExpected.data(), decoder);
    for (const uint32_t placeholder : {0u, 0xFFFFFFFFu}) {
        for (const bool oki : {false, true}) {
            SCOPED_TRACE(std::to_string(placeholder) + (oki ? " Dialogic ADPCM" : " PCM"));
            std::string bytes =
                oki ? wt::WaveFile({23, 1, 8000, 4, 1, ""}, wt::Pcm16Bytes(samples).substr(0, 2000))
                    : wt::WaveFile({}, wt::Pcm16Bytes(samples));
            bytes.replace(40, 4, std::string(reinterpret_cast<const char*>(&placeholder), 4));
            const auto source = folder.path() / "streamed.wav";
            wt::WriteBytes(source, bytes);
            ASSERT_TRUE(Convert(source, folder.path() / "out.wav", 8000)) << lastError;
            EXPECT_EQ(wt::ReadCanonicalPcm16(folder.path() / "out.wav", 8000),
                      oki ? okiExpected : samples);
        }
    }
}

TEST_F(WaveConversionTest, AveragesTheChannelsOfAStereoSource) {
    const std::vector<int16_t> left = {1000, -32768, 32767, 0, 7, -3};
    const std::vector<int16_t> right = {3000, -32768, 32767, 1, 8, -4};
    std::vector<int16_t> interleaved;
    for (std::size_t i = 0; i < left.size(); ++i) {
        interleaved.push_back(left[i]);
        interleaved.push_back(right[i]);
    }
    const auto source = folder.path() / "stereo.wav";
    wt::WriteBytes(source, wt::WaveFile({1, 2, 8000, 16, 4, ""}, wt::Pcm16Bytes(interleaved)));
    ASSERT_TRUE(Convert(source, folder.path() / "out.wav", 8000)) << lastError;
    // Halves round to the even neighbour.
    EXPECT_EQ(wt::ReadCanonicalPcm16(folder.path() / "out.wav", 8000),
              (std::vector<int16_t>{2000, -32768, 32767, 0, 8, -4}));
}

// Blanks, quotes and letters beyond ASCII in both names; a stored path with a drive letter.
TEST_F(WaveConversionTest, HandlesUnusualNamesAndStoredPaths) {
    platform_test::ScopedEnv drives("IMPORT_DRIVE_ROOT", folder.str());
    const auto samples = wt::NoiseSamples(3000, 5);
    folder.makeFolder("c/Dict ation/Jürgen \"A\"");
    wt::WriteBytes(folder.path() / "c/Dict ation/Jürgen \"A\"/naïve 'x'.wav",
                   wt::WaveFile({}, wt::Pcm16Bytes(samples)));
    convert::WaveConverter converter(loop, progress);
    ASSERT_TRUE(converter.ConvertWaveFile("C:\\Dict ation\\Jürgen \"A\"\\naïve 'x'.wav",
                                          "c:\\DICT ATION\\jürgen \"A\"\\Ærø ü.wav",
                                          WaveFormat::pcm16Mono(8000)))
        << converter.LastError();
    EXPECT_EQ(wt::ReadCanonicalPcm16(folder.path() / "c/Dict ation/Jürgen \"A\"/Ærø ü.wav", 8000),
              samples);
}

// ---- Progress ----

// 250 blocks show every percentage once, from 0 (the first block is 0.4 %) to 100; a source
// of one block shows 100 alone.
TEST_F(WaveConversionTest, ShowsEachPercentageOnceAndEndsAtOneHundred) {
    for (const std::size_t blocks : {250, 1}) {
        progress.gauge.clear();
        const auto source = folder.path() / "in.wav";
        wt::WriteBytes(source,
                       wt::WaveFile({}, wt::Pcm16Bytes(wt::NoiseSamples(2048 * blocks, 1))));
        ASSERT_TRUE(Convert(source, folder.path() / "out.wav", 11025)) << lastError;
        std::vector<int> expected(blocks == 1 ? 1 : 101);
        std::iota(expected.begin(), expected.end(), blocks == 1 ? 100 : 0);
        EXPECT_EQ(progress.gauge, expected) << blocks << " blocks";
    }
}

struct PercentCase {
    int64_t position;
    int64_t size;
    int percent;
};

// CTest lists each case by its position and size.
void PrintTo(const PercentCase& c, std::ostream* os) {
    *os << c.position << " of " << c.size;
}

class PercentRuleTest : public ::testing::TestWithParam<PercentCase> {};

TEST_P(PercentRuleTest, GivesPositionTimesHundredOverSize) {
    EXPECT_EQ(convert::steps::ConversionPercent(GetParam().position, GetParam().size),
              GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(Values, PercentRuleTest,
                         ::testing::Values(PercentCase{10, 0, 0}, PercentCase{2, 3, 66},
                                           // beyond 21,474,836 samples a 32-bit product overflows
                                           PercentCase{21474837, 42949674, 50},
                                           PercentCase{4294967295LL, 4294967296LL, 99},
                                           // a compressed source may yield more than it declared
                                           PercentCase{1200, 1000, 100}));

// ---- The destination appears only when complete ----

TEST_F(WaveConversionTest, WritesUnderAPartialNameUntilComplete) {
    const auto source = folder.path() / "in.wav";
    wt::WriteBytes(source, wt::WaveFile({}, wt::Pcm16Bytes(wt::NoiseSamples(2048 * 10, 1))));
    const auto destination = folder.path() / "out.wav";
    std::vector<std::string> seen;
    progress.onGauge = [&] {
        if (seen.empty())
            seen = platform_test::folderEntries(folder.path());
    };
    ASSERT_TRUE(Convert(source, destination, 8000)) << lastError;
    ASSERT_EQ(seen.size(), 2u);
    const auto partial =
        std::find_if(seen.begin(), seen.end(), [](const std::string& n) { return n != "in.wav"; });
    EXPECT_TRUE(partial->starts_with(".out.wav.") && partial->ends_with(".part")) << *partial;
    ExpectFolderHolds({"in.wav", "out.wav"});
}

// ---- Bad sources and destinations ----

struct BadSourceCase {
    const char* name;
    std::string bytes; // empty with isFolder: a folder named like the source
    bool isFolder;
    const char* error;
};

// CTest lists each case under its name.
void PrintTo(const BadSourceCase& c, std::ostream* os) {
    *os << c.name;
}

std::string Pcm16Data(std::size_t samples) {
    return wt::Pcm16Bytes(wt::NoiseSamples(samples, 2));
}

class BadSourceTest : public WaveConversionTest,
                      public ::testing::WithParamInterface<BadSourceCase> {};

TEST_P(BadSourceTest, FailsAndLeavesNoDestination) {
    const BadSourceCase& c = GetParam();
    const auto source = folder.path() / "in.wav";
    if (c.isFolder)
        fs::create_directory(source);
    else if (c.name != std::string("Missing"))
        wt::WriteBytes(source, c.bytes);
    const auto destination = folder.path() / "out.wav";
    wt::WriteBytes(destination, "stale result of an earlier job");
    EXPECT_FALSE(Convert(source, destination, 8000));
    EXPECT_NE(lastError.find(c.error), std::string::npos) << lastError;
    EXPECT_FALSE(fs::exists(destination));
    if (c.name == std::string("Missing"))
        ExpectFolderHolds({});
    else
        ExpectFolderHolds({"in.wav"});
}

// The reader's own reasons are its tests' concern; here every refusal leaves no destination.
INSTANTIATE_TEST_SUITE_P(
    Sources, BadSourceTest,
    ::testing::Values(
        BadSourceCase{"Missing", "", false, "No such file or directory"},
        BadSourceCase{"Empty", "", false, "The source is empty"},
        BadSourceCase{"Folder", "", true, "The source is not a file"},
        BadSourceCase{"NotRiff", std::string(200, 'a'), false,
                      "Cannot read the source as a wave file"},
        BadSourceCase{"RiffButNotWave", "RIFF\x20\0\0\0AVI " + std::string(40, '\0'), false,
                      "Cannot read the source as a wave file"},
        BadSourceCase{"NoFormatChunk", wt::Riff(wt::Chunk("data", Pcm16Data(10))), false,
                      "Cannot read the source as a wave file"},
        BadSourceCase{"EmptyDataChunk", wt::WaveFile({}, ""), false, "holds no audio"},
        BadSourceCase{"ZeroRate", wt::WaveFile({1, 1, 0, 16, 2, ""}, Pcm16Data(10)), false,
                      "Cannot read the source as a wave file"},
        BadSourceCase{"UnknownEncoding", wt::WaveFile({0x1234, 1, 8000, 16, 2, ""}, Pcm16Data(10)),
                      false, "Unsupported encoding (format tag 4660)"},
        BadSourceCase{"OneByteOfPcm16", wt::WaveFile({}, "x"), false, "Cannot decode the source"}));

// A recorder that never fixed its header leaves a data size beyond the end of the file: the
// samples that are there are converted, and the call says so.
TEST_F(WaveConversionTest, ConvertsWhatASourceShorterThanItsHeaderHolds) {
    const auto samples = wt::NoiseSamples(1995, 2);
    for (const bool shortened : {true, false}) {
        std::string bytes = wt::WaveFile({}, wt::Pcm16Bytes(samples));
        if (shortened)
            bytes.replace(40, 4, std::string("\x9B\xFF\xFF\xFF", 4));
        const auto source = folder.path() / "in.wav";
        wt::WriteBytes(source, bytes);
        ASSERT_TRUE(Convert(source, folder.path() / "out.wav", 8000)) << lastError;
        EXPECT_EQ(wt::ReadCanonicalPcm16(folder.path() / "out.wav", 8000), samples);
        convert::WaveConverter converter(loop, progress);
        ASSERT_TRUE(converter.ConvertWaveFile(source.string(), (folder.path() / "o.wav").string(),
                                              WaveFormat::pcm16Mono(11025)));
        EXPECT_EQ(converter.LastNotice(), shortened ? convert::kShortSourceNotice : "");
    }
}

TEST_F(WaveConversionTest, RefusesADestinationItCannotWrite) {
    const auto source = folder.path() / "in.wav";
    wt::WriteBytes(source, wt::WaveFile({}, Pcm16Data(100)));
    EXPECT_FALSE(Convert(source, folder.path() / "missing" / "out.wav", 8000));
    EXPECT_NE(lastError.find("Cannot create"), std::string::npos) << lastError;
    convert::WaveConverter converter(loop, progress);
    WaveFormat stereo = WaveFormat::pcm16Mono(8000);
    stereo.channels = 2;
    EXPECT_FALSE(
        converter.ConvertWaveFile(source.string(), (folder.path() / "o.wav").string(), stereo));
    ExpectFolderHolds({"in.wav"});
}

// ---- Failures while streaming ----

// Fails the reads of the source, or the writes of the destination, once a number of bytes
// has passed; or reports the disk as fuller than it is.
class FailingIo final : public wavefile::WaveFileIo {
public:
    ssize_t Read(int fd, void* buffer, std::size_t size) override {
        if (readBudget >= 0 && static_cast<long>(size) > readBudget) {
            errno = EIO;
            return -1;
        }
        readBudget -= readBudget >= 0 ? static_cast<long>(size) : 0;
        return wavefile::WaveFileIo::Read(fd, buffer, size);
    }
    ssize_t Write(int fd, const void* data, std::size_t size) override {
        if (writeBudget >= 0 && static_cast<long>(size) > writeBudget) {
            const long part = writeBudget;
            writeBudget = 0;
            if (part > 0)
                return wavefile::WaveFileIo::Write(fd, data, static_cast<std::size_t>(part));
            errno = ENOSPC;
            return -1;
        }
        writeBudget -= writeBudget >= 0 ? static_cast<long>(size) : 0;
        return wavefile::WaveFileIo::Write(fd, data, size);
    }
    std::optional<uint64_t> FreeBytes(int fd) override {
        if (freeBytes)
            return freeBytes;
        return wavefile::WaveFileIo::FreeBytes(fd);
    }
    long readBudget = -1;
    long writeBudget = -1;
    std::optional<uint64_t> freeBytes;
};

struct StreamFaultCase {
    const char* name;
    long readBudget;
    long writeBudget;
    std::optional<uint64_t> freeBytes;
    uint32_t target;
    const char* error;
};

// CTest lists each case under its name.
void PrintTo(const StreamFaultCase& c, std::ostream* os) {
    *os << c.name;
}

class StreamFaultTest : public WaveConversionTest,
                        public ::testing::WithParamInterface<StreamFaultCase> {};

TEST_P(StreamFaultTest, FailsAndRemovesThePartialDestination) {
    const StreamFaultCase& c = GetParam();
    for (const bool okiSource : {false, true}) {
        SCOPED_TRACE(okiSource ? "Dialogic ADPCM source" : "PCM source");
        const auto source = folder.path() / "in.wav";
        wt::WriteBytes(
            source, okiSource ? wt::WaveFile({23, 1, 8000, 4, 1, ""}, std::string(200000, '\x17'))
                              : wt::WaveFile({}, Pcm16Data(200000)));
        FailingIo io;
        io.readBudget = c.readBudget;
        io.writeBudget = c.writeBudget;
        io.freeBytes = c.freeBytes;
        const auto destination = folder.path() / "out.wav";
        EXPECT_FALSE(Convert(source, destination, c.target, io));
        EXPECT_NE(lastError.find(c.error), std::string::npos) << lastError;
        ExpectFolderHolds({"in.wav"});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, StreamFaultTest,
    ::testing::Values(
        StreamFaultCase{"ReadFailsInTheHeader", 20, -1, std::nullopt, 8000, "Input/output error"},
        StreamFaultCase{"ReadFailsMidStream", 150000, -1, std::nullopt, 8000, "Input/output error"},
        StreamFaultCase{"ReadFailsMidStreamWhileResampling", 150000, -1, std::nullopt, 11025,
                        "Input/output error"},
        StreamFaultCase{"DiskFullMidStream", -1, 300000, std::nullopt, 8000,
                        "No space left on device"},
        StreamFaultCase{"DiskFullAtTheHeader", -1, 0, std::nullopt, 11025,
                        "No space left on device"},
        StreamFaultCase{"DiskAlmostFullBeforeTheFirstBlock", -1, -1, uint64_t{70000}, 8000,
                        "Not enough room on the disk"}));

} // namespace
