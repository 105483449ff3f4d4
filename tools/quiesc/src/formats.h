// Encoding names on the command line and in the tool's output.
#pragma once

#include "Quiesc.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quiesc_tool {

// "ulaw" 7, "alaw" 6, "adpcm" 23, "pcm8" 0x8000, "pcm16" 0x8001 (any case), or a number
// (decimal, or hexadecimal after 0x) up to 0xFFFFFFFF.
std::optional<uint32_t> parseFormatCode(const std::string& text);
// A decimal number of samples per second up to 0xFFFFFFFF.
std::optional<uint32_t> parseRate(const std::string& text);

// The format code that names the header's own encoding.
uint32_t formatCodeOf(const SoundHeader& header);
// A readable name of the header's encoding ("u-law", "16-bit PCM", "format tag 85").
std::string encodingName(const SoundHeader& header);

// True when the file name ends in ".vox" (any case): such files carry no encoding or rate.
bool isVoxName(const std::string& fileName);

// The assumed encoding and rate of a .vox file when the command line names none.
inline constexpr uint32_t defaultVoxFormatCode = 7;
inline constexpr uint32_t defaultVoxRate = 8000;

} // namespace quiesc_tool
