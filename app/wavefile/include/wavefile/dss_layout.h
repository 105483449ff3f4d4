#pragma once
// What is checked of a DSS file before any decoder sees it: the version byte (2 or 3) followed
// by "dss", a header of 512 bytes per version, the codec byte at 0x2A4 (0 DSS SP, 2 DSS LP), and
// the audio in whole 512-byte blocks after the header. A file whose audio ends inside a block
// was cut short. A file that begins like a DSS file but with another version byte, or that
// names another codec, is a DSS variant that these decoders do not read: it is named as such,
// not called "not a DSS file", which would be wrong about the file.

#include <cstdint>
#include <string>

namespace wavefile {

inline constexpr uint64_t kDssBlockBytes = 512;
inline constexpr uint64_t kDssCodecOffset = 0x2A4;
// The bytes read to check a layout: the longest header.
inline constexpr uint64_t kDssLayoutBytes = kDssBlockBytes * 3;

enum class DssCodec { StandardPlay, LongPlay };

struct DssLayout {
    int version = 0;
    DssCodec codec = DssCodec::StandardPlay;
    uint64_t headerBytes = 0;
    uint64_t audioBlocks = 0;
};

enum class LayoutVerdict { Valid, NotDss, Variant, Truncated, NoAudio };

struct LayoutCheck {
    LayoutVerdict verdict = LayoutVerdict::NotDss;
    std::string reason; // for anything but Valid: the whole text, "not a DSS file: ..."
    DssLayout layout;
};

// Given the file's first bytes (at least the header when the file has one; fewer when the file
// is shorter) and its whole size.
LayoutCheck CheckDssLayout(const unsigned char* start, uint64_t startBytes, uint64_t fileSize);

} // namespace wavefile
