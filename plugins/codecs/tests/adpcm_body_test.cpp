#include "codecs/adpcm.h"

#include "wave_test/speech_signal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace codecs {
namespace {

// A body as a plug-in prepares it: room for 2 x bytes samples, the file's bytes at its start.
std::vector<int16_t> bodyWithCodes(const std::vector<uint8_t>& codes, uint32_t sampleCount) {
    std::vector<int16_t> body(sampleCount, int16_t{0x5A5A});
    std::memcpy(body.data(), codes.data(), codes.size());
    return body;
}

std::vector<int16_t> decodedSeparately(const std::vector<uint8_t>& codes, uint32_t count) {
    std::vector<int16_t> samples(count);
    AdpcmState state;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t byte = codes[i / 2];
        samples[i] = decodeNibble(state, i % 2 == 0 ? byte >> 4 : byte & 0x0F);
    }
    return samples;
}

TEST(DecodeAdpcm, HighNibbleFirstThenLowNibble) {
    // 0x70, 0x07 is the code sequence 7, 0, 0, 7. From the fresh state (step 16): code 7 adds
    // 2 + 4 + 8 + 16 = 30 and moves to index 8 (step 34); code 0 adds 4 (index 7, step 31);
    // code 0 adds 3 (index 6, step 28); code 7 adds 3 + 7 + 14 + 28 = 52.
    std::vector<int16_t> body = bodyWithCodes({0x70, 0x07}, 4);
    decodeAdpcm(body.data(), 4);
    EXPECT_EQ(body[0], 30 * 16);
    EXPECT_EQ(body[1], 34 * 16);
    EXPECT_EQ(body[2], 37 * 16);
    EXPECT_EQ(body[3], 89 * 16);
}

TEST(DecodeAdpcm, ZeroBytesClimbByThirtyTwo) {
    std::vector<int16_t> body = bodyWithCodes(std::vector<uint8_t>(50, 0x00), 100);
    decodeAdpcm(body.data(), 100);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(body[static_cast<std::size_t>(i)], 32 * (i + 1)) << "sample " << i;
}

class DecodeAdpcmBody : public ::testing::TestWithParam<uint32_t> {};

TEST_P(DecodeAdpcmBody, InPlaceEqualsDecodingFromACopy) {
    const uint32_t byteCount = GetParam();
    std::vector<uint8_t> codes(byteCount);
    uint32_t noise = byteCount;
    for (uint8_t& byte : codes) {
        noise = noise * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(noise >> 24);
    }
    std::vector<int16_t> body = bodyWithCodes(codes, 2 * byteCount);
    decodeAdpcm(body.data(), 2 * byteCount);
    EXPECT_EQ(body, decodedSeparately(codes, 2 * byteCount)) << byteCount << " bytes";
}

INSTANTIATE_TEST_SUITE_P(ByteCounts, DecodeAdpcmBody, ::testing::Values(1u, 2u, 3u, 4096u, 65537u));

TEST(DecodeAdpcm, StartsFromAFreshStateEveryTime) {
    std::vector<int16_t> first = bodyWithCodes({0x77, 0x77}, 4);
    std::vector<int16_t> second = first;
    decodeAdpcm(first.data(), 4);
    decodeAdpcm(second.data(), 4);
    EXPECT_EQ(first, second);
}

// An odd count decodes its last sample from the high nibble of the next byte, as the encoder
// stores it, instead of leaving that sample undefined.
TEST(DecodeAdpcm, OddCountTakesTheLastCodeFromTheHighNibble) {
    const std::vector<uint8_t> codes = {0x12, 0x34, 0x5F};
    std::vector<int16_t> body = bodyWithCodes(codes, 5);
    decodeAdpcm(body.data(), 5);
    EXPECT_EQ(body, decodedSeparately(codes, 5));
}

} // namespace
} // namespace codecs
