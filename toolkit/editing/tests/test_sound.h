// Sound records for the tests: a header and a body owned by the test, freed with FreeSoundBody.
#pragma once

#include "Quiesc.h"
#include "textpack/Textpack.h"

#include <cstring>
#include <string>
#include <vector>

struct TestSound {
    SoundHeader header{1, 8000, 0, 16};
    int16_t* body = nullptr;

    TestSound(const std::vector<int16_t>& samples, uint32_t rate) {
        header.sampleRate = rate;
        header.sampleCount = static_cast<uint32_t>(samples.size());
        AllocateSoundBody(&body, header.sampleCount);
        if (!samples.empty()) {
            std::memcpy(body, samples.data(), samples.size() * 2);
        }
    }
    ~TestSound() { FreeSoundBody(body); }
    TestSound(const TestSound&) = delete;
    TestSound& operator=(const TestSound&) = delete;

    std::vector<int16_t> samples() const { return {body, body + header.sampleCount}; }
};

inline std::string lastError() {
    char buffer[QC_ERROR_TEXT_SIZE];
    return GetLastQcErrorText(buffer);
}

inline std::string textOf(unsigned id) {
    char text[512];
    TextpackLoadString(id, text, sizeof text);
    return text;
}

// The message reportText composes from string `id`: its text and a full stop.
inline std::string reportedText(unsigned id) {
    return textOf(id) + ".";
}

// Puts a known text into the last-error text, so a test can see whether a call replaced it.
inline void markLastError() {
    SoundHeader header{1, 8000, 0, 16};
    SoundSelection selection{-1.0, 0.0};
    int16_t* none = nullptr;
    CropSound(&header, &none, &selection);
}

inline std::vector<int16_t> ramp(std::size_t count, int start = 1, int step = 1) {
    std::vector<int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<int16_t>(start + step * static_cast<int>(i));
    }
    return samples;
}
