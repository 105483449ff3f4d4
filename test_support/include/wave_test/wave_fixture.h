// A 16-bit PCM WAV file made in the test, and the samples the end-to-end tests put in it.
#pragma once

#include "wave_test/wave_files.h"

#include <cstdint>
#include <string>
#include <vector>

namespace toolkit_test {

// The canonical 44-byte header and the samples of a mono 16-bit PCM file.
inline std::string pcm16Wave(const std::vector<int16_t>& samples, uint32_t rate) {
    wave_test::FormatChunk format;
    format.rate = rate;
    return wave_test::WaveFile(format, wave_test::Pcm16Bytes(samples));
}

// A deterministic mix of tones, noise and the extremes of the sample range; an odd length so
// that the last ADPCM byte carries one code.
inline std::vector<int16_t> testSamples() {
    std::vector<int16_t> samples(10001);
    uint32_t noise = 12345;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        noise = noise * 1103515245u + 12345u;
        const int tone = static_cast<int>((i * 37) % 2000) - 1000;
        const int value = tone * 12 + static_cast<int>((noise >> 16) % 4001) - 2000;
        samples[i] = static_cast<int16_t>(value);
    }
    samples[10] = 32767;
    samples[11] = -32768;
    samples[12] = 0;
    return samples;
}

} // namespace toolkit_test
