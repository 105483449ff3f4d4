// The options dialog "VOXOPTIONS": the encoding, and for opening also the sample rate.
#pragma once

#include "common/plugin_contract.h"

#include <cstdint>

namespace vox {

enum class DialogMode {
    Open, // both lists apply
    Save  // the rate is not stored in the file: the rate list holds one disabled entry
};

struct VoxSelection {
    uint16_t formatIndex;
    uint16_t rateIndex;
};

// Shows the dialog starting at `selection`. After OK the chosen positions are in `selection`
// and in the caller's options (formatIndex, rateIndex) and the result is true. Cancel, or a
// dialog that cannot be shown, gives false and changes nothing.
bool runVoxOptions(DialogMode mode, VoxSelection& selection, PluginOptions& options);

} // namespace vox
