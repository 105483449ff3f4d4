// What a WAV file holds that the plug-in could not read, named for the user beside the
// plug-in's own message: the format tag, the bits per sample and the channels, or that there is
// no format chunk.
#pragma once

#include <string>

namespace quiesc_tool {

// "format tag 85, 16 bits per sample, 2 channels", "no format chunk", or empty when the file is
// no RIFF WAVE file at all or cannot be read (the plug-in's message then says it all).
std::string describeWaveFormat(const std::string& fileName);

} // namespace quiesc_tool
