// Format codes: the one 32-bit argument by which callers of the open, save and pipeline
// operations name a file encoding.
#pragma once

#include "Quiesc.h"

namespace quiesc {

// Sets formatTag and bitsPerSample from the low 16 bits of formatCode (QC_FORMAT_PCM8 and
// QC_FORMAT_PCM16 name PCM with its bits, any other value v tag v with bits 0) and sampleRate
// from rate. sampleCount is not touched.
void applyFormatCode(SoundHeader& header, uint32_t formatCode, uint32_t rate);

} // namespace quiesc
