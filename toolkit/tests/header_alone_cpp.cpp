// The public header alone, as C++: record layout and result codes as callers see them.
#include "Quiesc.h"

#include <gtest/gtest.h>

#include <cstddef>

extern "C" size_t quiescLayoutSeenByC(size_t field);

namespace {

struct LayoutCase {
    const char* what;
    std::size_t seenByCpp;
    std::size_t expected;
};

const LayoutCase layoutCases[] = {
    {"sizeof(SoundHeader)", sizeof(SoundHeader), 16},
    {"formatTag", offsetof(SoundHeader, formatTag), 0},
    {"sampleRate", offsetof(SoundHeader, sampleRate), 4},
    {"sampleCount", offsetof(SoundHeader, sampleCount), 8},
    {"bitsPerSample", offsetof(SoundHeader, bitsPerSample), 12},
    {"sizeof(SoundSelection)", sizeof(SoundSelection), 16},
    {"endSeconds", offsetof(SoundSelection, endSeconds), 8},
    {"sizeof(QuiescenceParams)", sizeof(QuiescenceParams), 32},
    {"minLoudRun", offsetof(QuiescenceParams, minLoudRun), 24},
};

TEST(PublicHeader, RecordLayoutIsTheSameInCAndCpp) {
    for (std::size_t i = 0; i < std::size(layoutCases); ++i) {
        const LayoutCase& c = layoutCases[i];
        EXPECT_EQ(c.seenByCpp, c.expected) << c.what << " as C++ sees it";
        EXPECT_EQ(quiescLayoutSeenByC(i), c.expected) << c.what << " as C sees it";
    }
}

TEST(PublicHeader, ResultCodesAreNumberedZeroToNine) {
    const int codes[] = {QC_OK,
                         QC_OPEN_FAILED,
                         QC_SAVE_FAILED,
                         QC_RESAMPLE_FAILED,
                         QC_TRIM_FAILED,
                         QC_SELECTION_INVALID,
                         QC_TRIM_PARAMS_INVALID,
                         QC_PLAYBACK_FAILED,
                         QC_OUT_OF_MEMORY,
                         QC_MIX_FAILED};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(codes[i], i) << "result code at position " << i;
    }
    EXPECT_EQ(QC_FORMAT_PCM8, 0x8000);
    EXPECT_EQ(QC_FORMAT_PCM16, 0x8001);
    EXPECT_EQ(QC_ERROR_TEXT_SIZE, 512);
}

} // namespace
