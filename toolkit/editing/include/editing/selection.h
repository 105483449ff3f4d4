// Selections: whether one fits a sound, and the samples it covers.
#pragma once

#include "Quiesc.h"
#include "editing/block_moves.h"

namespace editing {

// sampleCount / sampleRate; a rate of 0 gives infinity (or not-a-number for no samples), so
// that no selection of such a sound passes the checks below.
double durationSeconds(const SoundHeader& header);

// The four rules, in order: start not below 0, end not past the duration, end above start,
// and at least one sample covered. Any comparison with not-a-number fails.
bool isSelectionValid(const SoundSelection& selection, const SoundHeader& header);

// QC_OK, or QC_SELECTION_INVALID with string 200 reported. Null records, and a missing body of
// a sound that has samples, count as invalid.
QcResult validateSelection(const SoundSelection* selection, const SoundHeader* header,
                           int16_t* const* body);

// The samples a valid selection covers.
SampleRange selectedRange(const SoundSelection& selection, const SoundHeader& header);

SoundSelection wholeSelection(const SoundHeader& header);
SampleRange wholeRange(const SoundHeader& header);

} // namespace editing
