// Silence trimming of a sound record.
#pragma once

#include "Quiesc.h"
#include "editing/block_moves.h"

#include <cstdint>

namespace editing {

// QC_OK, or QC_TRIM_PARAMS_INVALID with string 201: lead and trail not below 0, threshold from
// 0 to 1, minLoudRun at least 1, tested in this order; not-a-number fails. Null is invalid.
QcResult validateQuiescenceParams(const QuiescenceParams* params);

// Trims the range (valid parameters) and stores the new end of the range (after the trailing
// silence) in *newEnd. False, with the out-of-memory text appended and the sound unchanged, when
// the block cannot grow or the result would not fit a 32-bit sample count.
bool trimRange(SoundHeader& header, int16_t** body, SampleRange range,
               const QuiescenceParams& params, uint32_t* newEnd);

} // namespace editing
