// The options dialog "WAVOPTIONS": the encoding a sound is written in.
#pragma once

#include "wav/wav_formats.h"

#include <cstdint>

namespace wav {

// Shows the dialog starting at entry `preselected`. After OK the result is the chosen entry;
// Cancel, or a dialog that cannot be shown, gives null.
const WavFormat* runWavOptions(uint16_t preselected);

} // namespace wav
