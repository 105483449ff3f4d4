// The one reader on files built byte by byte: what each decoder is given, what a header's claims
// are worth, and the reasons of a refusal.
#include "wavefile/sound_source.h"
#include "wavefile/wave_decoders.h"

#include "codecs/adpcm.h"
#include "dss_test/dss_writer.h"
#include "platform_test/test_folder.h"
#include "wave_test/sndfile_writer.h"
#include "wave_test/wave_files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

namespace {

namespace wt = wave_test;
using wavefile::RecordingKind;

std::vector<float> readAll(wavefile::SoundSource& source) {
    std::vector<float> block(static_cast<std::size_t>(source.BlockFrames()));
    std::vector<float> all;
    long got = 0;
    while ((got = source.ReadBlock(block.data())) > 0)
        all.insert(all.end(), block.begin(), block.begin() + got);
    EXPECT_EQ(got, 0) << source.Error();
    return all;
}

std::vector<float> asFloats(const std::vector<int16_t>& samples) {
    std::vector<float> floats;
    for (const int16_t s : samples)
        floats.push_back(static_cast<float>(s) / 32768.0f);
    return floats;
}

std::string withLe32(std::string bytes, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

class SoundSourceTest : public ::testing::Test {
protected:
    std::unique_ptr<wavefile::SoundSource> open(const std::string& bytes,
                                                RecordingKind kind = RecordingKind::Wave) {
        error.clear();
        return wavefile::OpenSoundFile(folder.writeFile("in.wav", bytes).string(), kind, error);
    }

    platform_test::TestFolder folder;
    std::string error;
};

// ---- What a header claims ----

struct ClaimCase {
    const char* name;
    std::optional<uint32_t> dataSize; // written over the data chunk's size field
    bool shorterThanHeader;
};

// CTest lists each case under its name.
void PrintTo(const ClaimCase& c, std::ostream* os) {
    *os << c.name;
}

class HeaderClaimTest : public SoundSourceTest, public ::testing::WithParamInterface<ClaimCase> {};

// Every sample that is there is read, whatever the size field says; only a real claim beyond
// the end of the file (not a streaming writer's placeholder) is noted.
TEST_P(HeaderClaimTest, ReadsEverySampleThatIsThere) {
    const auto samples = wt::NoiseSamples(5001, 3);
    std::string bytes = wt::WaveFile({}, wt::Pcm16Bytes(samples));
    if (GetParam().dataSize)
        bytes = withLe32(bytes, 40, *GetParam().dataSize);
    const auto source = open(bytes);
    ASSERT_TRUE(source) << error;
    EXPECT_EQ(readAll(*source), asFloats(samples));
    EXPECT_EQ(source->ShorterThanHeader(), GetParam().shorterThanHeader);
}

INSTANTIATE_TEST_SUITE_P(Sizes, HeaderClaimTest,
                         ::testing::Values(ClaimCase{"Exact", std::nullopt, false},
                                           ClaimCase{"NeverFixed", 0xFFFFFF9B, true},
                                           ClaimCase{"OneSampleMore", 10004, true},
                                           ClaimCase{"StreamingPlaceholder", 0xFFFFFFFF, false},
                                           ClaimCase{"StreamingZero", 0, false}));

struct FactCase {
    const char* name;
    int format;       // libsndfile's WAV subtype, which writes a "fact" chunk
    bool honoursFact; // block codecs do; PCM maps bytes to samples and ignores it
};

// CTest lists each case under its name.
void PrintTo(const FactCase& c, std::ostream* os) {
    *os << c.name;
}

class FactChunkTest : public SoundSourceTest, public ::testing::WithParamInterface<FactCase> {};

// The last block of a block codec holds more samples than the sound: the "fact" chunk's count
// ends the sound, so no noise from the block's rest is appended.
TEST_P(FactChunkTest, EndsABlockCodecWhereTheFactChunkSays) {
    const auto path = folder.path() / "blocks.wav";
    ASSERT_TRUE(wt::WriteWithSndfile(path, SF_FORMAT_WAV | GetParam().format, 1, 8000,
                                     wt::Tone(1.0, 8000, 1)));
    std::string bytes = wt::ReadBytes(path);
    const std::size_t fact = bytes.find("fact");
    ASSERT_NE(fact, std::string::npos);
    constexpr uint32_t kFactSamples = 7000;
    const auto source = open(withLe32(bytes, fact + 8, kFactSamples));
    ASSERT_TRUE(source) << error;
    const std::size_t read = readAll(*source).size();
    if (GetParam().honoursFact)
        EXPECT_EQ(read, kFactSamples);
    else
        EXPECT_EQ(read, 8000u);
}

INSTANTIATE_TEST_SUITE_P(Encodings, FactChunkTest,
                         ::testing::Values(FactCase{"ImaAdpcm", SF_FORMAT_IMA_ADPCM, true},
                                           FactCase{"MsAdpcm", SF_FORMAT_MS_ADPCM, true},
                                           FactCase{"Gsm610", SF_FORMAT_GSM610, true},
                                           FactCase{"Float", SF_FORMAT_FLOAT, false}));

// ---- The two decoders ----

// Where both decoders read a file, they read the same samples; the mix is the channels' mean.
TEST_F(SoundSourceTest, BothDecodersReadTheSameSamples) {
    const auto interleaved = wt::NoiseSamples(2 * 3001, 9);
    const std::string bytes = wt::WaveFile({1, 2, 22050, 16, 4, ""}, wt::Pcm16Bytes(interleaved));
    std::vector<float> expected;
    for (std::size_t i = 0; i < interleaved.size(); i += 2)
        expected.push_back((static_cast<float>(interleaved[i]) + interleaved[i + 1]) / 65536.0f);
    const auto path = folder.writeFile("stereo.wav", bytes);
    for (const auto decoder : {wavefile::WaveDecoder::Libsndfile, wavefile::WaveDecoder::Libav}) {
        SCOPED_TRACE(decoder == wavefile::WaveDecoder::Libav ? "FFmpeg" : "libsndfile");
        const auto source =
            wavefile::OpenWaveWith(decoder, files::UniqueFd(::open(path.c_str(), O_RDONLY)),
                                   wavefile::SystemWaveFileIo(), error);
        ASSERT_TRUE(source) << error;
        EXPECT_EQ(source->SampleRate(), 22050u);
        EXPECT_FALSE(source->DecodesToPcm16Mono());
        const auto mono = readAll(*source);
        ASSERT_EQ(mono.size(), expected.size());
        for (std::size_t i = 0; i < mono.size(); ++i)
            ASSERT_NEAR(mono[i], expected[i], 1e-6) << "sample " << i;
    }
}

// Dialogic ADPCM is demuxed by FFmpeg but decoded by our codec, exactly as it decodes a file.
TEST_F(SoundSourceTest, DecodesDialogicAdpcmWithOurCodec) {
    const std::string codes = wt::Pcm16Bytes(wt::NoiseSamples(3333, 5)).substr(0, 5555);
    std::vector<int16_t> expected(codes.size() * 2);
    codecs::AdpcmState state;
    codecs::decodeAdpcmBlock(reinterpret_cast<const uint8_t*>(codes.data()),
                             static_cast<uint32_t>(expected.size()), expected.data(), state);
    const auto source = open(wt::WaveFile({23, 1, 6000, 4, 1, ""}, codes));
    ASSERT_TRUE(source) << error;
    EXPECT_TRUE(source->DecodesToPcm16Mono());
    EXPECT_EQ(source->SampleRate(), 6000u);
    std::vector<int16_t> block(static_cast<std::size_t>(source->BlockFrames())), decoded;
    for (long got; (got = source->ReadPcm16Block(block.data())) > 0;)
        decoded.insert(decoded.end(), block.begin(), block.begin() + got);
    EXPECT_EQ(decoded, expected);
}

// ---- Refusals ----

struct RefusalCase {
    const char* name;
    std::string bytes;
    RecordingKind kind;
    const char* error;
};

// CTest lists each case under its name.
void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusalTest : public SoundSourceTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, NamesTheReason) {
    EXPECT_FALSE(open(GetParam().bytes, GetParam().kind));
    EXPECT_NE(error.find(GetParam().error), std::string::npos) << error;
}

std::string Pcm16(std::size_t samples) {
    return wt::Pcm16Bytes(wt::NoiseSamples(samples, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusalTest,
    ::testing::Values(
        RefusalCase{"EmptyWave", "", RecordingKind::Wave, "The source is empty"},
        RefusalCase{"Text", std::string(300, 'a'), RecordingKind::Wave,
                    "Cannot read the source as a wave file"},
        RefusalCase{"NoDataChunk", wt::Riff(wt::Chunk("fmt ", wt::FormatBody({}))),
                    RecordingKind::Wave, "Cannot read the source as a wave file"},
        RefusalCase{"UnknownEncoding", wt::WaveFile({0x1234, 1, 8000, 16, 2, ""}, Pcm16(10)),
                    RecordingKind::Wave, "Unsupported encoding (format tag 4660)"},
        RefusalCase{"StereoDialogicAdpcm", wt::WaveFile({23, 2, 8000, 4, 1, ""}, "abcd"),
                    RecordingKind::Wave, "Dialogic ADPCM sources must be mono"},
        RefusalCase{"EightBitDialogicAdpcm", wt::WaveFile({23, 1, 8000, 8, 1, ""}, "abcd"),
                    RecordingKind::Wave, "must have 4 bits per sample"},
        // Resampled to a target, a claimed 1 Hz would turn each sample into thousands.
        RefusalCase{"DialogicAdpcmAtOneHertz",
                    wt::WaveFile({23, 1, 1, 4, 1, ""}, std::string(1500, '\x80')),
                    RecordingKind::Wave, "sample rate of 1 Hz"},
        RefusalCase{"Pcm16AboveTheHighestRate",
                    wt::WaveFile({1, 1, 768001, 16, 2, ""}, Pcm16(10)), RecordingKind::Wave,
                    "sample rate of 768001 Hz"},
        RefusalCase{"EmptyDss", "", RecordingKind::Dss, "not a DSS file: the file is empty"},
        RefusalCase{"WaveAsDss", wt::WaveFile({}, Pcm16(100)), RecordingKind::Dss,
                    "not a DSS file: it does not begin with a DSS signature"},
        RefusalCase{"DssVariant",
                    [] {
                        std::string bytes = dss_test::DssFile(dss_test::DssShape{});
                        bytes[0] = 6;
                        return bytes;
                    }(),
                    RecordingKind::Dss,
                    "a DSS variant this converter does not decode: it begins with 06 64 73 73"}));

// A FIFO or a folder is refused at once: opening a FIFO must not wait for a writer.
TEST_F(SoundSourceTest, RefusesWhatIsNotAFile) {
    const auto fifo = folder.path() / "pipe.wav";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto directory = folder.makeFolder("folder.wav");
    for (const auto& path : {fifo, directory}) {
        EXPECT_FALSE(wavefile::OpenSoundFile(path.string(), RecordingKind::Wave, error));
        EXPECT_EQ(error, "The source is not a file");
    }
    EXPECT_FALSE(
        wavefile::OpenSoundFile((folder.path() / "gone.wav").string(), RecordingKind::Wave, error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

TEST(RecordingKindTest, ADssEndingInAnyCaseIsADictation) {
    for (const char* name : {"a.dss", "DICT.DSS", "x y.Dss"})
        EXPECT_EQ(wavefile::RecordingKindOf(name), RecordingKind::Dss) << name;
    for (const char* name : {"a.wav", "dss", "a.dss.wav", ""})
        EXPECT_EQ(wavefile::RecordingKindOf(name), RecordingKind::Wave) << name;
}

} // namespace
