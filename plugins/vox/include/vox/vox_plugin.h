// The VOX plug-in's operations behind its exports OpenVox, SaveVox and About. The records and
// the ownership rules are those of the plug-in contract (common/plugin_contract.h).
#pragma once

#include "common/plugin_contract.h"

#include <cstdint>

namespace vox {

// Reads a headerless file with the encoding and rate from the header (useHeaderFormat) or from
// the options dialog. True with a new body at *body; false with nothing left allocated.
bool openVox(const char* fileName, SoundHeader* header, int16_t** body, PluginOptions* options);
// Writes the body in the encoding from the header (useHeaderFormat) or from the options
// dialog. On failure the header is unchanged.
bool saveVox(const char* fileName, SoundHeader* header, const int16_t* body,
             PluginOptions* options);
// Shows "VOXABOUT"; the command that closed it, or 0 when it cannot be shown.
intptr_t showVoxAbout();

} // namespace vox
