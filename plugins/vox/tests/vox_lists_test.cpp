#include "vox/vox_lists.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(VoxLists, FormatListInDialogOrder) {
    const struct {
        const char* text;
        uint16_t tag;
        uint16_t bits;
    } expected[] = {
        {"u-Law", 7, 8}, {"A-Law", 6, 8}, {"Dialogic ADPCM", 23, 4}, {"Windows PCM", 1, 8}};
    ASSERT_EQ(vox::voxFormats.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_STREQ(vox::voxFormats[i].text, expected[i].text) << i;
        EXPECT_EQ(vox::voxFormats[i].formatTag, expected[i].tag) << i;
        EXPECT_EQ(vox::voxFormats[i].bitsPerSample, expected[i].bits) << i;
    }
}

TEST(VoxLists, RateListInDialogOrder) {
    const struct {
        const char* text;
        uint32_t rate;
    } expected[] = {{"6000 Hz", 6000}, {"6053 Hz", 6053}, {"8000 Hz", 8000}, {"8117 Hz", 8117}};
    ASSERT_EQ(vox::voxRates.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_STREQ(vox::voxRates[i].text, expected[i].text) << i;
        EXPECT_EQ(vox::voxRates[i].sampleRate, expected[i].rate) << i;
    }
}

TEST(VoxLists, TagPositions) {
    EXPECT_EQ(vox::formatIndexOfTag(7), 0);
    EXPECT_EQ(vox::formatIndexOfTag(6), 1);
    EXPECT_EQ(vox::formatIndexOfTag(23), 2);
    EXPECT_EQ(vox::formatIndexOfTag(1), 3);
    EXPECT_EQ(vox::formatIndexOfTag(0), 0) << "unknown tags start on u-Law";
    EXPECT_EQ(vox::formatIndexOfTag(2), 0);
    EXPECT_EQ(vox::findVoxFormat(2), nullptr);
    ASSERT_NE(vox::findVoxFormat(23), nullptr);
    EXPECT_EQ(vox::findVoxFormat(23)->bitsPerSample, 4);
}

} // namespace
