// The encodings of WAV files this plug-in reads and writes, in the order the options dialog
// lists them. A file is read only when its (tag, bits) pair is one of these.
#pragma once

#include <array>
#include <cstdint>

namespace wav {

struct WavFormat {
    const char* text;
    uint16_t formatTag;
    uint16_t bitsPerSample;
};

inline constexpr std::array<WavFormat, 5> wavFormats = {{
    {"Windows PCM, 16 bits", 1, 16},
    {"Windows PCM, 8 bits", 1, 8},
    {"u-Law", 7, 8},
    {"A-Law", 6, 8},
    {"Dialogic ADPCM", 23, 4},
}};

// The entry with exactly this tag and bits, or null.
const WavFormat* findWavFormat(uint16_t formatTag, uint16_t bitsPerSample);
// The encoding written for a header's tag and bits: tag 1 is 16-bit PCM for 16 bits and 8-bit
// PCM for any other value; the other tags have one bit width each. Null for unknown tags.
const WavFormat* formatToWrite(uint16_t formatTag, uint16_t bitsPerSample);
// The dialog's starting entry for a header: the entry formatToWrite gives, or 0 when none.
uint16_t preselectedIndex(uint16_t formatTag, uint16_t bitsPerSample);

} // namespace wav
