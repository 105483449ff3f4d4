#pragma once
// Interleaved frames to mono floats: the channels are averaged. Integer samples are scaled by
// 1/32768 on the way, so a 16-bit sample comes out exactly as libsndfile's float reading gives
// it. Mono and stereo, the common cases, get loops of their own that the compiler vectorises.

#include <cstddef>
#include <cstdint>

namespace wavefile {

template <class Sample>
void MixToMono(const Sample* interleaved, long frames, int channels, float scale, float* mono) {
    const auto count = static_cast<std::size_t>(frames);
    if (channels == 1) {
        for (std::size_t i = 0; i < count; ++i)
            mono[i] = static_cast<float>(interleaved[i]) * scale;
        return;
    }
    const float share = scale / static_cast<float>(channels);
    if (channels == 2) {
        for (std::size_t i = 0; i < count; ++i)
            mono[i] = (static_cast<float>(interleaved[2 * i]) +
                       static_cast<float>(interleaved[2 * i + 1])) *
                      share;
        return;
    }
    const auto width = static_cast<std::size_t>(channels);
    for (std::size_t i = 0; i < count; ++i) {
        float sum = 0;
        for (std::size_t c = 0; c < width; ++c)
            sum += static_cast<float>(interleaved[i * width + c]);
        mono[i] = sum * share;
    }
}

} // namespace wavefile
