#include "editing/mix.h"

#include "common/guarded_export.h"
#include "common/memory.h"
#include "common/message_sink.h"
#include "editing/mix_samples.h"
#include "textpack/string_ids.h"

#include <algorithm>

namespace editing {

QcResult mixSounds(const SoundHeader& first, const int16_t* firstBody, const SoundHeader& second,
                   const int16_t* secondBody, SoundHeader* outHeader, int16_t** outBody,
                   double weight) {
    if (first.sampleRate != second.sampleRate) {
        common::reportText(common::loadText(TEXT_ID_RATES_DIFFER));
        return QC_MIX_FAILED;
    }
    // Copied first: the output header may be one of the inputs.
    SoundHeader mixed = first;
    mixed.sampleCount = std::max(first.sampleCount, second.sampleCount);
    int16_t* block = nullptr;
    if (!common::allocateSamples(&block, mixed.sampleCount)) {
        *outBody = nullptr;
        return QC_MIX_FAILED;
    }
    mixSamples(firstBody, first.sampleCount, secondBody, second.sampleCount, weight, block);
    *outHeader = mixed;
    *outBody = block;
    return QC_OK;
}

} // namespace editing

extern "C" QUIESC_API QcResult MixSounds(const SoundHeader* firstHeader, int16_t** firstBody,
                                         const SoundHeader* secondHeader, int16_t** secondBody,
                                         SoundHeader* outHeader, int16_t** outBody, double weight) {
    return common::guardedExport(QC_MIX_FAILED, [&]() -> QcResult {
        if (firstHeader == nullptr || firstBody == nullptr || secondHeader == nullptr ||
            secondBody == nullptr || outHeader == nullptr || outBody == nullptr) {
            return QC_MIX_FAILED;
        }
        return editing::mixSounds(*firstHeader, *firstBody, *secondHeader, *secondBody, outHeader,
                                  outBody, weight);
    });
}
