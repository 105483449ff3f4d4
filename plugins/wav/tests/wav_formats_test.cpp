#include "wav/wav_formats.h"

#include <gtest/gtest.h>

namespace {

TEST(WavFormats, OnlyTheFiveAcceptedPairsAreFound) {
    int found = 0;
    for (unsigned tag = 0; tag < 64; ++tag) {
        for (unsigned bits = 0; bits <= 32; ++bits) {
            const wav::WavFormat* format = wav::findWavFormat(tag, bits);
            if (format != nullptr) {
                ++found;
                EXPECT_EQ(format->formatTag, tag);
                EXPECT_EQ(format->bitsPerSample, bits);
            }
        }
    }
    EXPECT_EQ(found, 5);
}

TEST(WavFormats, Preselection) {
    const struct {
        uint16_t tag;
        uint16_t bits;
        uint16_t index;
    } cases[] = {{1, 16, 0}, {1, 8, 1}, {1, 12, 1}, {1, 0, 1},   {7, 8, 2},   {7, 16, 2},
                 {6, 8, 3},  {6, 4, 3}, {23, 4, 4}, {23, 16, 4}, {99, 16, 0}, {0, 8, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(wav::preselectedIndex(c.tag, c.bits), c.index)
            << "tag " << c.tag << ", bits " << c.bits;
    }
}

TEST(WavFormats, WrittenWidthFollowsTheTag) {
    EXPECT_EQ(wav::formatToWrite(1, 16)->bitsPerSample, 16);
    EXPECT_EQ(wav::formatToWrite(1, 12)->bitsPerSample, 8);
    EXPECT_EQ(wav::formatToWrite(6, 16)->bitsPerSample, 8);
    EXPECT_EQ(wav::formatToWrite(23, 8)->bitsPerSample, 4);
    EXPECT_EQ(wav::formatToWrite(2, 8), nullptr);
}

} // namespace
