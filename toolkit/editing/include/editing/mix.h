// Mixing two sounds into a new one.
#pragma once

#include "Quiesc.h"

namespace editing {

// QC_OK with a new body at *outBody (owned by the caller) and *outHeader filled from the first
// sound; QC_MIX_FAILED with string 202 (different rates) or the out-of-memory text appended,
// *outBody then null (no memory) or untouched (rates).
QcResult mixSounds(const SoundHeader& first, const int16_t* firstBody, const SoundHeader& second,
                   const int16_t* secondBody, SoundHeader* outHeader, int16_t** outBody,
                   double weight);

} // namespace editing
