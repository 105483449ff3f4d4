// A file to listen to, decoded into memory as 16-bit mono: wave files and DSS dictations through
// the program's one reader of recordings (so the player plays whatever the program converts),
// VOX files through the toolkit, which is told their encoding and rate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace listenbox {

// How a VOX file is read: it carries neither its encoding nor its rate.
struct VoxReading {
    uint32_t formatCode = 23; // Dialogic ADPCM
    uint32_t sampleRate = 8000;
};

struct LoadedSound {
    std::vector<int16_t> samples; // mono
    uint32_t sampleRate = 0;

    double Seconds() const {
        return sampleRate == 0 ? 0 : static_cast<double>(samples.size()) / sampleRate;
    }
};

// Decodes the whole file. False with the reason in `error`.
bool LoadSound(const std::string& nativePath, const VoxReading& vox, LoadedSound& sound,
               std::string& error);

// The sound at another rate (the device's), through the conversion chain's resampler.
LoadedSound Resampled(const LoadedSound& sound, uint32_t rate);

} // namespace listenbox
