// The encodings and sample rates a VOX file may be read with, in the order the options dialog
// lists them. The file itself stores neither.
#pragma once

#include <array>
#include <cstdint>

namespace vox {

struct VoxFormat {
    const char* text;
    uint16_t formatTag;
    uint16_t bitsPerSample; // in the file
};

struct VoxRate {
    const char* text;
    uint32_t sampleRate;
};

inline constexpr std::array<VoxFormat, 4> voxFormats = {{
    {"u-Law", 7, 8},
    {"A-Law", 6, 8},
    {"Dialogic ADPCM", 23, 4},
    {"Windows PCM", 1, 8}, // always 8-bit unsigned in VOX files
}};

inline constexpr std::array<VoxRate, 4> voxRates = {{
    {"6000 Hz", 6000},
    {"6053 Hz", 6053},
    {"8000 Hz", 8000},
    {"8117 Hz", 8117},
}};

// Where a dialog starts when the caller's remembered position is out of range.
inline constexpr uint16_t defaultFormatIndex = 0; // "u-Law"
inline constexpr uint16_t defaultRateIndex = 2;   // "8000 Hz"

// The list entry of `formatTag`, or null when VOX files cannot hold that encoding.
const VoxFormat* findVoxFormat(uint16_t formatTag);
// The position of `formatTag` in the format list, or defaultFormatIndex when it is not listed.
uint16_t formatIndexOfTag(uint16_t formatTag);

} // namespace vox
