#include "frame_mix.h"

#include <array>
#include <cstdint>

namespace wavefile {
namespace {

template <class Sample>
float fullScaleOne(Sample value);
template <>
float fullScaleOne(uint8_t value) {
    return static_cast<float>(static_cast<int>(value) - 128) * (1.0f / 128.0f);
}
template <>
float fullScaleOne(int16_t value) {
    return static_cast<float>(value) * (1.0f / 32768.0f);
}
template <>
float fullScaleOne(int32_t value) {
    return static_cast<float>(static_cast<double>(value) * (1.0 / 2147483648.0));
}
template <>
float fullScaleOne(int64_t value) {
    return static_cast<float>(static_cast<double>(value) * (1.0 / 9223372036854775808.0));
}
template <>
float fullScaleOne(float value) {
    return value;
}
template <>
float fullScaleOne(double value) {
    return static_cast<float>(value);
}

template <class Sample, bool planar>
void mix(const AVFrame& frame, float* mono) {
    const auto channels = static_cast<std::size_t>(frame.ch_layout.nb_channels);
    const auto count = static_cast<std::size_t>(frame.nb_samples);
    const float share = 1.0f / static_cast<float>(channels);
    for (std::size_t i = 0; i < count; ++i) {
        float sum = 0;
        for (std::size_t c = 0; c < channels; ++c) {
            const Sample value =
                planar ? reinterpret_cast<const Sample*>(frame.extended_data[c])[i]
                       : reinterpret_cast<const Sample*>(frame.extended_data[0])[i * channels + c];
            sum += fullScaleOne(value);
        }
        mono[i] = channels == 1 ? sum : sum * share;
    }
}

struct Mixer {
    AVSampleFormat format;
    void (*mix)(const AVFrame&, float*);
};

constexpr std::array<Mixer, 12> kMixers = {{
    {AV_SAMPLE_FMT_U8, mix<uint8_t, false>},
    {AV_SAMPLE_FMT_S16, mix<int16_t, false>},
    {AV_SAMPLE_FMT_S32, mix<int32_t, false>},
    {AV_SAMPLE_FMT_S64, mix<int64_t, false>},
    {AV_SAMPLE_FMT_FLT, mix<float, false>},
    {AV_SAMPLE_FMT_DBL, mix<double, false>},
    {AV_SAMPLE_FMT_U8P, mix<uint8_t, true>},
    {AV_SAMPLE_FMT_S16P, mix<int16_t, true>},
    {AV_SAMPLE_FMT_S32P, mix<int32_t, true>},
    {AV_SAMPLE_FMT_S64P, mix<int64_t, true>},
    {AV_SAMPLE_FMT_FLTP, mix<float, true>},
    {AV_SAMPLE_FMT_DBLP, mix<double, true>},
}};

} // namespace

bool MixFrameToMono(const AVFrame& frame, float* mono) {
    if (frame.ch_layout.nb_channels < 1)
        return false;
    for (const Mixer& mixer : kMixers) {
        if (mixer.format == frame.format) {
            mixer.mix(frame, mono);
            return true;
        }
    }
    return false;
}

} // namespace wavefile
