// Reading RIFF WAVE files: the accepted encodings, the chunks skipped, and every failure with
// its exact message.
#include "plugin_test_support.h"
#include "wav/wav_plugin.h"
#include "wav_bytes.h"

#include "codecs/adpcm.h"
#include "codecs/decoding_tables.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace wavtest;

int16_t* const untouchedBody = reinterpret_cast<int16_t*>(alignof(int16_t) * 12345);

struct Opened {
    bool ok = false;
    SoundHeader header{};
    int16_t* body = untouchedBody;
    char errorText[512] = "";
    std::vector<int16_t> samples() const { return {body, body + header.sampleCount}; }
    ~Opened() {
        if (ok) {
            std::free(body);
        }
    }
};

void openFile(const std::string& name, Opened& opened) {
    PluginOptions options = plugintest::headerFormatOptions(opened.errorText);
    opened.ok = wav::openWav(name.c_str(), &opened.header, &opened.body, &options);
}

struct WavOpen : testing::Test {
    platform_test::TestFolder dir;
    std::string write(const Bytes& bytes, const char* fileName = "in.wav") {
        const std::string name = dir.file(fileName);
        plugintest::writeBytes(name, bytes);
        return name;
    }
};

// What a recorder writing to a pipe, or one that was interrupted, leaves behind.
class StreamedWav : public WavOpen, public testing::WithParamInterface<uint32_t> {};

TEST_P(StreamedWav, PlaceholderSizesAreReadToTheEndOfTheFile) {
    const Bytes samples = concat({le16(1), le16(0x8000), le16(0x7FFF)});
    const Bytes file = concat({{'R', 'I', 'F', 'F'},
                               le32(GetParam()),
                               {'W', 'A', 'V', 'E'},
                               chunk("fmt ", formatBody(1, 1, 8000, 16)),
                               {'d', 'a', 't', 'a'},
                               le32(GetParam()),
                               samples});
    Opened opened;
    openFile(write(file), opened);
    ASSERT_TRUE(opened.ok) << opened.errorText;
    EXPECT_EQ(opened.samples(), (std::vector<int16_t>{1, -32768, 32767}));
}

INSTANTIATE_TEST_SUITE_P(Placeholders, StreamedWav, testing::Values(0u, 0xFFFFFFFFu));

TEST_F(WavOpen, SixteenBitPcmIsTakenUnchanged) {
    const std::string name = write(simpleWav(1, 16, concat({le16(1), le16(0x8000), le16(0x7FFF)})));
    Opened opened;
    openFile(name, opened);
    ASSERT_TRUE(opened.ok) << opened.errorText;
    EXPECT_EQ(opened.header.formatTag, 1);
    EXPECT_EQ(opened.header.sampleRate, 8000u);
    EXPECT_EQ(opened.header.bitsPerSample, 16);
    EXPECT_EQ(opened.samples(), (std::vector<int16_t>{1, -32768, 32767}));
}

TEST_F(WavOpen, EightBitEncodingsExpandThroughTheirTables) {
    const Bytes data = plugintest::byteSweep(301);
    const struct {
        uint16_t tag;
        const codecs::DecodingTable& table;
    } cases[] = {{1, codecs::pcm8Table}, {6, codecs::alawTable}, {7, codecs::ulawTable}};
    for (const auto& c : cases) {
        const std::string name = write(simpleWav(c.tag, 8, data, 11025));
        Opened opened;
        openFile(name, opened);
        ASSERT_TRUE(opened.ok) << "tag " << c.tag << ": " << opened.errorText;
        EXPECT_EQ(opened.header.sampleCount, 301u) << c.tag;
        EXPECT_EQ(opened.header.sampleRate, 11025u) << c.tag;
        std::vector<int16_t> expected;
        for (uint8_t byte : data) {
            expected.push_back(c.table[byte]);
        }
        EXPECT_EQ(opened.samples(), expected) << "tag " << c.tag;
    }
}

TEST_F(WavOpen, AdpcmGivesTwoSamplesPerByteHighNibbleFirst) {
    const Bytes data = {0x00, 0x00, 0x7F};
    const std::string name = write(simpleWav(23, 4, data));
    Opened opened;
    openFile(name, opened);
    ASSERT_TRUE(opened.ok) << opened.errorText;
    EXPECT_EQ(opened.header.sampleCount, 6u);
    EXPECT_EQ(opened.header.bitsPerSample, 4);
    codecs::AdpcmState state;
    std::vector<int16_t> expected;
    for (uint8_t code : {0, 0, 0, 0, 7, 15}) {
        expected.push_back(codecs::decodeNibble(state, code));
    }
    EXPECT_EQ(opened.samples(), expected);
    EXPECT_EQ(expected[0], 32);
}

TEST_F(WavOpen, ChunksBeforeBetweenAndAfterAreSkipped) {
    const Bytes data = {10, 20, 30, 40};
    const Bytes plain = simpleWav(7, 8, data);
    const Bytes busy =
        riff(concat({chunk("LIST", Bytes(26, 'x')), chunk("fmt ", formatBody(7, 1, 8000, 8)),
                     chunk("fact", le32(4)), chunk("data", data), chunk("cue ", Bytes(24, 0))}));
    Opened fromPlain;
    openFile(write(plain, "plain.wav"), fromPlain);
    Opened fromBusy;
    openFile(write(busy, "busy.wav"), fromBusy);
    ASSERT_TRUE(fromPlain.ok && fromBusy.ok) << fromBusy.errorText;
    EXPECT_EQ(fromBusy.samples(), fromPlain.samples());
    EXPECT_EQ(fromBusy.header.sampleCount, 4u);
}

TEST_F(WavOpen, OddSizedChunkIsFollowedByItsPadByte) {
    const Bytes data = {1, 2};
    const Bytes file =
        riff(concat({chunk("LIST", Bytes(5, 'x')), // 5 bytes, then the pad
                     chunk("fmt ", formatBody(6, 1, 8000, 8)), chunk("data", data)}));
    Opened opened;
    openFile(write(file), opened);
    ASSERT_TRUE(opened.ok) << opened.errorText;
    EXPECT_EQ(opened.header.sampleCount, 2u);
}

TEST_F(WavOpen, EighteenByteFormatChunkIsRead) {
    const Bytes file = riff(concat(
        {chunk("fmt ", formatBody(1, 1, 8000, 16, 2)), chunk("data", concat({le16(5), le16(6)}))}));
    Opened opened;
    openFile(write(file), opened);
    ASSERT_TRUE(opened.ok) << opened.errorText;
    EXPECT_EQ(opened.samples(), (std::vector<int16_t>{5, 6}));
}

TEST_F(WavOpen, RiffSizeIsNotChecked) {
    Bytes file = simpleWav(7, 8, {1, 2, 3});
    file[4] = 0xFF;
    file[7] = 0x7F;
    Opened opened;
    openFile(write(file), opened);
    EXPECT_TRUE(opened.ok) << opened.errorText;
}

TEST_F(WavOpen, OddSixteenBitDataKeepsItsLastByteOutOfTheBody) {
    const Bytes file = simpleWav(1, 16, {1, 0, 2, 0, 0x7F});
    Opened opened;
    openFile(write(file), opened);
    ASSERT_TRUE(opened.ok) << opened.errorText;
    // AddressSanitizer would report a store past the two samples.
    EXPECT_EQ(opened.samples(), (std::vector<int16_t>{1, 2}));
}

// One failing file and the string its message must carry.
struct FailureCase {
    const char* name;
    Bytes file;
    unsigned textId;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<FailureCase> failureCases() {
    const Bytes fmtPcm16 = chunk("fmt ", formatBody(1, 1, 8000, 16));
    const Bytes data4 = chunk("data", {1, 2, 3, 4});
    return {
        {"empty file", {}, 112},
        {"shorter than the RIFF header", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V'}, 112},
        {"not RIFF", riff(concat({fmtPcm16, data4}), "WAVE", "RIFX"), 106},
        {"not WAVE", riff(concat({fmtPcm16, data4}), "AVI "), 106},
        {"no fmt chunk", riff(data4), 112},
        {"only the RIFF header", riff({}), 112},
        {"fmt shorter than 16 bytes", riff(concat({chunk("fmt ", Bytes(14, 0)), data4})), 112},
        {"fmt body cut short by the file end",
         riff(chunk("fmt ", Bytes(8, 0), uint32_t{16}, false)), 112},
        {"stereo", riff(concat({chunk("fmt ", formatBody(1, 2, 8000, 16)), data4})), 108},
        {"no channels", riff(concat({chunk("fmt ", formatBody(1, 0, 8000, 16)), data4})), 108},
        {"16-bit A-law", riff(concat({chunk("fmt ", formatBody(6, 1, 8000, 16)), data4})), 107},
        {"12-bit PCM", riff(concat({chunk("fmt ", formatBody(1, 1, 8000, 12)), data4})), 107},
        {"8-bit ADPCM", riff(concat({chunk("fmt ", formatBody(23, 1, 8000, 8)), data4})), 107},
        {"unknown tag 2", riff(concat({chunk("fmt ", formatBody(2, 1, 8000, 4)), data4})), 107},
        {"zero rate", riff(concat({chunk("fmt ", formatBody(7, 1, 0, 8)), data4})), 110},
        {"data before fmt", riff(concat({data4, fmtPcm16})), 112},
        {"no data chunk", riff(fmtPcm16), 112},
        {"empty data", riff(concat({fmtPcm16, chunk("data", {})})), 113},
        {"one byte of 16-bit data", riff(concat({fmtPcm16, chunk("data", {7}, {}, false)})), 113},
        {"data longer than the file", riff(concat({fmtPcm16, chunk("data", {1, 2}, 4096u)})), 112},
        {"huge data size", riff(concat({fmtPcm16, chunk("data", {1, 2}, 0xFFFFFFFEu)})), 112},
        {"chunk size past the end", riff(concat({chunk("LIST", {1, 2}, 0x7FFFFFF0u), fmtPcm16})),
         112},
        {"chunk size that reads as a negative seek",
         riff(concat({chunk("LIST", {}, 0xFFFFFFF8u), fmtPcm16, data4})), 112},
        {"chunk header cut short", concat({riff(fmtPcm16), Bytes{'d', 'a', 't'}}), 112},
    };
}

class WavOpenFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(WavOpenFailure, FailsWithItsMessageAndNoBody) {
    const FailureCase& failure = GetParam();
    platform_test::TestFolder dir;
    const std::string name = dir.file("bad.wav");
    plugintest::writeBytes(name, failure.file);
    Opened opened;
    openFile(name, opened);
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.errorText, plugintest::messageWithName(failure.textId, name));
    EXPECT_EQ(opened.body, nullptr) << "once the file is open the body is set to null";
}

INSTANTIATE_TEST_SUITE_P(EveryFailureRow, WavOpenFailure, testing::ValuesIn(failureCases()));

// Once the "data" chunk is found the header describes the file, and keeps doing so when the
// samples then cannot be read; failures before that point leave the header as it was.
TEST_F(WavOpen, TruncatedDataLeavesTheHeaderDescribingTheFile) {
    const Bytes file =
        riff(concat({chunk("fmt ", formatBody(23, 1, 11025, 4)), chunk("data", {1, 2}, 4096u)}));
    Opened opened;
    opened.header = {0, 0, 99, 0};
    openFile(write(file), opened);
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.errorText, plugintest::messageWithName(112, dir.file("in.wav")));
    EXPECT_EQ(opened.body, nullptr);
    EXPECT_EQ(opened.header.formatTag, 23);
    EXPECT_EQ(opened.header.sampleRate, 11025u);
    EXPECT_EQ(opened.header.sampleCount, 8192u) << "4096 bytes of 4-bit codes";
    EXPECT_EQ(opened.header.bitsPerSample, 4);
}

TEST_F(WavOpen, FailuresBeforeTheDataChunkLeaveTheHeaderAlone) {
    const struct {
        const char* name;
        Bytes file;
    } cases[] = {
        {"zero rate", riff(concat({chunk("fmt ", formatBody(7, 1, 0, 8)), chunk("data", {1})}))},
        {"empty data", riff(concat({chunk("fmt ", formatBody(7, 1, 8000, 8)), chunk("data", {})}))},
        {"no data chunk", riff(chunk("fmt ", formatBody(7, 1, 8000, 8)))},
    };
    for (const auto& c : cases) {
        Opened opened;
        opened.header = {0, 0, 99, 0};
        openFile(write(c.file), opened);
        EXPECT_FALSE(opened.ok) << c.name;
        EXPECT_EQ(opened.header.formatTag, 0) << c.name;
        EXPECT_EQ(opened.header.sampleRate, 0u) << c.name;
        EXPECT_EQ(opened.header.sampleCount, 99u) << c.name;
        EXPECT_EQ(opened.header.bitsPerSample, 0) << c.name;
    }
}

TEST_F(WavOpen, DataOf2To29BytesIsRefusedAsTooLargeWithoutReadingIt) {
    const std::string name = dir.file("huge.wav");
    const uint32_t dataSize = uint32_t{1} << 29;
    plugintest::writeBytes(name, riff(concat({chunk("fmt ", formatBody(1, 1, 8000, 16)),
                                              chunk("data", {}, dataSize)})));
    // A sparse file: the data exists as far as the file size goes.
    ASSERT_EQ(truncate(name.c_str(), 44 + off_t{dataSize}), 0);
    Opened opened;
    openFile(name, opened);
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.errorText, plugintest::messageWithName(116, name));
    EXPECT_EQ(plugintest::text(116), "The sound is too large for this file format");
}

TEST_F(WavOpen, MissingFileGivesTheSystemTextAndLeavesTheBodyAlone) {
    const std::string name = dir.file("absent.wav");
    Opened opened;
    openFile(name, opened);
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.errorText, plugintest::systemErrorMessage(ENOENT, name));
    EXPECT_EQ(opened.body, untouchedBody);
}

TEST_F(WavOpen, DirectoryIsNoFile) {
    const std::string name = dir.file("");
    Opened opened;
    openFile(name, opened);
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.errorText, plugintest::systemErrorMessage(EISDIR, name));
}

} // namespace
