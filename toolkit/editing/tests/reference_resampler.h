// A plain, slow resampler written from the description of the octave steps and the
// interpolation, to check the toolkit's fast one against: a 31-value delay line that really
// shifts, the full tap table with its zeros, and the interpolation formula as written.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace reference {

inline double tap(int distance) {
    static const double odd[] = {0.3154089, -0.0976549, 0.0503876, -0.0284492,
                                 0.0158647, -0.0082398, 0.0037324, -0.0012889};
    distance = std::abs(distance);
    if (distance == 0) {
        return 0.5;
    }
    return distance % 2 == 0 ? 0.0 : odd[(distance - 1) / 2];
}

inline int16_t toSample(double y) {
    if (y < -32768.0) {
        y = -32768.0;
    }
    if (y > 32767.0) {
        y = 32767.0;
    }
    return static_cast<int16_t>(std::trunc(y));
}

struct DelayLine {
    double d[31] = {};
    double step(double value) {
        d[30] = value;
        double y = tap(0) * d[15];
        for (int j = 1; j <= 15; ++j) {
            y += tap(j) * (d[15 - j] + d[15 + j]);
        }
        for (int k = 0; k < 30; ++k) {
            d[k] = d[k + 1];
        }
        return y;
    }
};

// Returns the kept outputs; n becomes n / 2 whatever the number kept.
inline std::vector<int16_t> halve(const std::vector<int16_t>& x, bool& keep) {
    DelayLine line;
    std::vector<int16_t> out;
    for (int16_t sample : x) {
        const double y = line.step(sample);
        if (keep) {
            out.push_back(toSample(y));
        }
        keep = !keep;
    }
    out.resize(x.size() / 2);
    return out;
}

inline std::vector<int16_t> twice(const std::vector<int16_t>& x) {
    DelayLine line;
    std::vector<int16_t> out;
    for (int16_t sample : x) {
        out.push_back(toSample(2 * line.step(sample)));
        out.push_back(toSample(2 * line.step(0)));
    }
    return out;
}

inline std::vector<int16_t> interpolate(const std::vector<int16_t>& x, uint32_t r, uint32_t f) {
    const auto m = static_cast<std::size_t>(static_cast<double>(f) / r * x.size());
    std::vector<int16_t> out;
    if (m == 0) {
        return out;
    }
    out.push_back(x[0]);
    double t = 0;
    for (std::size_t i = 1; i < m; ++i) {
        t += 1.0 / f;
        const auto j = static_cast<std::size_t>(t * r);
        const double next = j + 1 < x.size() ? x[j + 1] : x[j];
        out.push_back(toSample(x[j] + (t - static_cast<double>(j) / r) * (next - x[j]) * r));
    }
    return out;
}

struct Sound {
    std::vector<int16_t> samples;
    uint32_t rate;
};

inline Sound resample(Sound s, uint32_t f) {
    const double q = static_cast<double>(f) / s.rate;
    if (q <= 0.5) {
        bool keep = true;
        while (s.rate / 2 >= f) {
            s.samples = halve(s.samples, keep);
            s.rate /= 2;
        }
    } else if (q >= 2) {
        while (2 * s.rate <= f) {
            s.samples = twice(s.samples);
            s.rate *= 2;
        }
    }
    if (s.rate != f) {
        s.samples = interpolate(s.samples, s.rate, f);
        s.rate = f;
    }
    return s;
}

// A reproducible test signal: a chirp-like mixture with full-scale peaks that exercise the clamp.
inline std::vector<int16_t> testSignal(std::size_t n, unsigned seed = 1) {
    std::vector<int16_t> x(n);
    uint32_t state = seed;
    for (std::size_t i = 0; i < n; ++i) {
        state = state * 1664525u + 1013904223u;
        const double tone = 20000.0 * std::sin(0.001 * static_cast<double>(i * i % 100000));
        const double noise = static_cast<double>(static_cast<int32_t>(state >> 16) - 32768) / 4;
        x[i] = toSample(tone + noise + ((i % 997) == 0 ? 40000.0 : 0.0));
    }
    return x;
}

} // namespace reference
