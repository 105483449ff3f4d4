// The WAV plug-in's operations behind its exports OpenWav, SaveWav and About. The records and
// the ownership rules are those of the plug-in contract (common/plugin_contract.h).
#pragma once

#include "common/plugin_contract.h"

#include <cstdint>

namespace wav {

// Reads a mono RIFF WAVE file. True with a new body at *body; false with nothing left
// allocated. useHeaderFormat is ignored: the file says everything.
bool openWav(const char* fileName, SoundHeader* header, int16_t** body, PluginOptions* options);
// Writes the canonical 44-byte header and the samples in the encoding from the header
// (useHeaderFormat) or from the options dialog. On failure the header is unchanged.
bool saveWav(const char* fileName, SoundHeader* header, const int16_t* body,
             PluginOptions* options);
// Shows "WAVABOUT"; the command that closed it, or 0 when it cannot be shown.
intptr_t showWavAbout();

} // namespace wav
