// FFmpeg's frames in every sample format, interleaved and planar, mixed down to mono.
#include "frame_mix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

extern "C" {
#include <libavutil/channel_layout.h>
}

namespace {

constexpr int kChannels = 3;
// Values every sample format holds exactly (full scale 1).
constexpr double kValues[kChannels][4] = {
    {-1.0, -0.5, 0.0, 0.75}, {0.5, 0.25, -0.25, 0.5}, {0.0, -0.5, 0.5, -0.75}};

struct FrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

template <class Sample>
Sample encode(double value, double fullScale, double offset) {
    return static_cast<Sample>(value * fullScale + offset);
}

// A frame of kChannels channels holding kValues in the format.
template <class Sample>
std::unique_ptr<AVFrame, FrameDeleter> frameOf(AVSampleFormat format, double fullScale,
                                               double offset = 0) {
    std::unique_ptr<AVFrame, FrameDeleter> frame(av_frame_alloc());
    frame->format = format;
    frame->nb_samples = 4;
    av_channel_layout_default(&frame->ch_layout, kChannels);
    EXPECT_EQ(av_frame_get_buffer(frame.get(), 0), 0);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    for (int c = 0; c < kChannels; ++c)
        for (int i = 0; i < 4; ++i) {
            const Sample value = encode<Sample>(kValues[c][i], fullScale, offset);
            if (planar)
                reinterpret_cast<Sample*>(frame->extended_data[c])[i] = value;
            else
                reinterpret_cast<Sample*>(frame->extended_data[0])[i * kChannels + c] = value;
        }
    return frame;
}

struct MixCase {
    const char* name;
    std::unique_ptr<AVFrame, FrameDeleter> (*make)();
};

// CTest lists each case under its name.
void PrintTo(const MixCase& c, std::ostream* os) {
    *os << c.name;
}

class FrameMixTest : public ::testing::TestWithParam<MixCase> {};

TEST_P(FrameMixTest, AveragesTheChannelsAtFullScaleOne) {
    const auto frame = GetParam().make();
    std::vector<float> mono(4);
    ASSERT_TRUE(wavefile::MixFrameToMono(*frame, mono.data()));
    for (int i = 0; i < 4; ++i) {
        const double expected = (kValues[0][i] + kValues[1][i] + kValues[2][i]) / kChannels;
        EXPECT_NEAR(mono[static_cast<std::size_t>(i)], expected, 1e-6) << "sample " << i;
    }
}

template <class Sample, AVSampleFormat format>
std::unique_ptr<AVFrame, FrameDeleter> integers() {
    constexpr double fullScale = std::is_same_v<Sample, uint8_t>   ? 128.0
                                 : std::is_same_v<Sample, int16_t> ? 32768.0
                                 : std::is_same_v<Sample, int32_t> ? 2147483648.0
                                                                   : 9223372036854775808.0;
    return frameOf<Sample>(format, fullScale, std::is_same_v<Sample, uint8_t> ? 128.0 : 0.0);
}

template <class Sample, AVSampleFormat format>
std::unique_ptr<AVFrame, FrameDeleter> floats() {
    return frameOf<Sample>(format, 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FrameMixTest,
    ::testing::Values(MixCase{"U8", integers<uint8_t, AV_SAMPLE_FMT_U8>},
                      MixCase{"S16", integers<int16_t, AV_SAMPLE_FMT_S16>},
                      MixCase{"S32", integers<int32_t, AV_SAMPLE_FMT_S32>},
                      MixCase{"S64", integers<int64_t, AV_SAMPLE_FMT_S64>},
                      MixCase{"Float", floats<float, AV_SAMPLE_FMT_FLT>},
                      MixCase{"Double", floats<double, AV_SAMPLE_FMT_DBL>},
                      MixCase{"U8Planar", integers<uint8_t, AV_SAMPLE_FMT_U8P>},
                      MixCase{"S16Planar", integers<int16_t, AV_SAMPLE_FMT_S16P>},
                      MixCase{"S32Planar", integers<int32_t, AV_SAMPLE_FMT_S32P>},
                      MixCase{"S64Planar", integers<int64_t, AV_SAMPLE_FMT_S64P>},
                      MixCase{"FloatPlanar", floats<float, AV_SAMPLE_FMT_FLTP>},
                      MixCase{"DoublePlanar", floats<double, AV_SAMPLE_FMT_DBLP>}));

TEST(FrameMixRefusalTest, RefusesAFormatItDoesNotKnow) {
    std::unique_ptr<AVFrame, FrameDeleter> frame(av_frame_alloc());
    frame->format = AV_SAMPLE_FMT_NONE;
    av_channel_layout_default(&frame->ch_layout, 1);
    float mono = 0;
    EXPECT_FALSE(wavefile::MixFrameToMono(*frame, &mono));
}

} // namespace
