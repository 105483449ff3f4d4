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

} // namespace quiesc_tool
