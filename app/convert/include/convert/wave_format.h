#pragma once
// The conversion chain's target format: 16-bit mono PCM at the rate the step needs (8000 for
// the VOX intermediate file, 11025 for the speech engine's copy).

#include <cstdint>

namespace convert {

inline constexpr uint32_t kVoxIntermediateRate = 8000;
inline constexpr uint32_t kSpeechEngineRate = 11025;

struct WaveFormat {
    uint16_t formatTag = 1;
    uint16_t channels = 1;
    uint32_t samplesPerSec = kVoxIntermediateRate;
    uint32_t avgBytesPerSec = kVoxIntermediateRate * 2;
    uint16_t blockAlign = 2;
    uint16_t bitsPerSample = 16;
    uint16_t extraSize = 0;

    static WaveFormat pcm16Mono(uint32_t rate) { return {1, 1, rate, rate * 2, 2, 16, 0}; }
    // Sets the rate and the byte rate together, as every caller of the chain does.
    void setRate(uint32_t rate) {
        samplesPerSec = rate;
        avgBytesPerSec = rate * 2;
    }
};

} // namespace convert
