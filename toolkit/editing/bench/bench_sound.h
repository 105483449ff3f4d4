// The benchmark's sound: 45 minutes of dictation-like signal (bursts of tones and noise between
// pauses, with a second of silence at both ends), or the file named by QUIESC_BENCH_INPUT so
// that the same data can be given to another program for comparison.
#pragma once

#include "Quiesc.h"

#include <cstdint>
#include <vector>

struct BenchSound {
    SoundHeader header{};
    std::vector<int16_t> samples;
};

// Made once per rate and kept for the whole run.
const BenchSound& dictation(uint32_t rate);

// A fresh body with the sound's samples; the caller frees it with FreeSoundBody.
int16_t* copyBody(const BenchSound& sound);
