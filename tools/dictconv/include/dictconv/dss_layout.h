#pragma once
// What Dictconv checks of a DSS file before any decoder sees it: the version byte (2 or 3)
// followed by "dss", a header of 512 bytes per version, the codec byte at 0x2A4 (0 DSS SP,
// 2 DSS LP), and the audio in whole 512-byte blocks after the header. A file whose audio ends
// inside a block was cut short.

#include <cstdint>
#include <string>

namespace dictconv {

inline constexpr uint64_t kDssBlockBytes = 512;
inline constexpr uint64_t kDssCodecOffset = 0x2A4;

enum class DssCodec { StandardPlay, LongPlay };

struct DssLayout {
    int version = 0;
    DssCodec codec = DssCodec::StandardPlay;
    uint64_t headerBytes = 0;
    uint64_t audioBlocks = 0;
};

enum class LayoutVerdict { Valid, NotDss, Truncated, NoAudio };

struct LayoutCheck {
    LayoutVerdict verdict = LayoutVerdict::NotDss;
    std::string reason; // for anything but Valid
    DssLayout layout;
};

// Given the file's first bytes (at least the header when the file has one; fewer when the file
// is shorter) and its whole size.
LayoutCheck CheckDssLayout(const unsigned char* start, uint64_t startBytes, uint64_t fileSize);

} // namespace dictconv
