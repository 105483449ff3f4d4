#include "Quiesc.h"
#include "common/guarded_export.h"

#include "common/memory.h"

extern "C" QUIESC_API QcResult AllocateSoundBody(int16_t** body, uint32_t sampleCount) {
    return common::guardedExport(QC_OUT_OF_MEMORY, [&]() -> QcResult {
        return common::allocateSamples(body, sampleCount) ? QC_OK : QC_OUT_OF_MEMORY;
    });
}

extern "C" QUIESC_API void FreeSoundBody(int16_t* body) {
    common::guardedExport([&] { common::freeBuffer(body); });
}
