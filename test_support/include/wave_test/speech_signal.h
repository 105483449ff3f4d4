// A deterministic, speech-like test signal: a voiced sound with harmonics under a syllable
// envelope, plus noise, with a few full-scale bursts so that the extremes are exercised.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace codecs::testing {

inline std::vector<int16_t> speechSignal(std::size_t count, uint32_t seed = 12345) {
    std::vector<int16_t> samples(count);
    constexpr double rate = 8000.0;
    constexpr double pi = 3.14159265358979323846;
    uint32_t noise = seed;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double pitch = 140.0 + 30.0 * std::sin(2 * pi * 0.7 * t);
        const double voiced = std::sin(2 * pi * pitch * t) + 0.5 * std::sin(4 * pi * pitch * t) +
                              0.25 * std::sin(6 * pi * pitch * t + 1.0);
        const double envelope = 0.5 + 0.5 * std::sin(2 * pi * 4.0 * t);
        noise = noise * 1664525u + 1013904223u;
        const double hiss = (static_cast<double>(noise >> 16) / 32768.0 - 1.0) * 0.05;
        const bool burst = (i / 4000) % 7 == 6;
        const double value = (voiced * envelope * (burst ? 1.4 : 0.35) + hiss) * 16000.0;
        const double limited = std::fmax(-32768.0, std::fmin(32767.0, value));
        samples[i] = static_cast<int16_t>(std::lrint(limited));
    }
    return samples;
}

} // namespace codecs::testing
