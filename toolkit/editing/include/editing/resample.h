// Changing the sample rate of a sound record.
#pragma once

#include "Quiesc.h"

namespace editing {

// Octave steps through the half-band filter, then linear interpolation to the exact rate.
// False with a reported message: fewer than 100 samples (string 203), a rate of 0 (string 104),
// or no memory (string 115 appended; the sound is unchanged, or consistent at the rate and length
// of the octave steps when only the interpolation's block could not be had).
bool resampleSound(SoundHeader& header, int16_t** body, uint32_t newRate);

} // namespace editing
