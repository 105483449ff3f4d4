#pragma once
// The layout of a RIFF WAVE source as its header declares it: the format fields and where the
// sound data lies. Read before any decoder sees the file, so that a file that is not a RIFF
// WAVE file, or whose data chunk runs past its end (a truncated file), is refused whatever the
// decoder would make of it.

#include "wavefile/wave_file_io.h"

#include <cstdint>
#include <optional>
#include <string>

namespace convert::steps {

inline constexpr uint16_t kTagPcm = 1;
inline constexpr uint16_t kTagDialogicOki = 23;
inline constexpr uint16_t kTagExtensible = 0xFFFE;

struct RiffWaveInfo {
    uint16_t formatTag = 0; // for an extensible header, the tag of its sub-format
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint64_t dataOffset = 0;
    uint32_t dataSize = 0;
    // The data chunk's size field held a streaming writer's placeholder (0 or 0xFFFFFFFF):
    // dataSize is then what the file holds after dataOffset.
    bool streamedSize = false;
};

// Reads the chunks from the start of the file up to the "data" chunk. Empty, with the reason
// in `error`, for a file that is not RIFF WAVE, lacks its "fmt " or "data" chunk, declares more
// data than it holds (a placeholder size aside), or cannot be read.
std::optional<RiffWaveInfo> ScanRiffWave(wavefile::WaveFileIo& io, int fd, std::string& error);

} // namespace convert::steps
