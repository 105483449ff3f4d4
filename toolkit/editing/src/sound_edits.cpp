#include "editing/sound_edits.h"

#include "common/memory.h"
#include "editing/amplify.h"

namespace editing {

void shrinkBody(int16_t** body, uint32_t count) {
    void* block = *body;
    if (common::resizeBuffer(&block, static_cast<std::size_t>(count) * 2)) {
        *body = static_cast<int16_t*>(block);
    }
}

void cropToRange(SoundHeader& header, int16_t** body, SampleRange range) {
    const uint32_t count = cropInPlace(*body, range);
    shrinkBody(body, count);
    header.sampleCount = count;
}

void cutRange(SoundHeader& header, int16_t** body, SampleRange range) {
    const uint32_t count = cutInPlace(*body, header.sampleCount, range);
    shrinkBody(body, count);
    header.sampleCount = count;
}

void amplifyRange(int16_t* body, SampleRange range, double gainDb) {
    amplifySamples(body + range.start, range.end - range.start, gainDb);
}

} // namespace editing
