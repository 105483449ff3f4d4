// A 16-bit PCM WAV file made in the test, and the samples the end-to-end tests put in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace toolkit_test {

inline void appendLittleEndian(std::string& bytes, uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// The canonical 44-byte header and the samples of a mono 16-bit PCM file.
inline std::string pcm16Wave(const std::vector<int16_t>& samples, uint32_t rate) {
    const auto dataSize = static_cast<uint32_t>(samples.size() * 2);
    std::string bytes = "RIFF";
    appendLittleEndian(bytes, dataSize + 36, 4);
    bytes += "WAVEfmt ";
    appendLittleEndian(bytes, 16, 4);
    appendLittleEndian(bytes, 1, 2);
    appendLittleEndian(bytes, 1, 2);
    appendLittleEndian(bytes, rate, 4);
    appendLittleEndian(bytes, rate * 2, 4);
    appendLittleEndian(bytes, 2, 2);
    appendLittleEndian(bytes, 16, 2);
    bytes += "data";
    appendLittleEndian(bytes, dataSize, 4);
    for (const int16_t sample : samples) {
        appendLittleEndian(bytes, static_cast<uint16_t>(sample), 2);
    }
    return bytes;
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
