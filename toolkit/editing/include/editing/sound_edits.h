// The editing steps on a whole sound record, without selection checks: the exports validate
// first, the file pipelines call these directly on ranges they computed.
#pragma once

#include "Quiesc.h"
#include "editing/block_moves.h"

namespace editing {

// Keeps only the range; the body shrinks (and may move), sampleCount follows.
void cropToRange(SoundHeader& header, int16_t** body, SampleRange range);
// Removes the range; the body shrinks (and may move), sampleCount follows.
void cutRange(SoundHeader& header, int16_t** body, SampleRange range);
// Amplifies the samples of the range by gainDb.
void amplifyRange(int16_t* body, SampleRange range, double gainDb);

// Shrinks the body to count samples. A shrink that the allocator refuses keeps the larger
// block, which still holds the samples.
void shrinkBody(int16_t** body, uint32_t count);

} // namespace editing
