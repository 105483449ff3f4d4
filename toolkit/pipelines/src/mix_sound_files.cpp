// MixSoundFiles: open two files, mix them, save the mix.
#include "Quiesc.h"
#include "common/guarded_export.h"
#include "editing/mix.h"
#include "local_sound.h"

extern "C" QUIESC_API QcResult MixSoundFiles(const char* firstFile, const char* secondFile,
                                             uint32_t inFormat, uint32_t inRate,
                                             const char* outFile, uint32_t outFormat,
                                             double weight) {
    return common::guardedExport(QC_MIX_FAILED, [&]() -> QcResult {
        using pipelines::LocalSound;
        // Declared in this order, so the mix is freed first, then the second and the first body.
        LocalSound first;
        LocalSound second;
        LocalSound mixed;
        if (!first.open(firstFile, inFormat, inRate) ||
            !second.open(secondFile, inFormat, inRate)) {
            return QC_OPEN_FAILED;
        }
        if (editing::mixSounds(first.header, first.body, second.header, second.body, &mixed.header,
                               &mixed.body, weight) != QC_OK) {
            return QC_MIX_FAILED;
        }
        return SaveSoundFileEx(outFile, &mixed.header, &mixed.body, outFormat) == QC_OK
                   ? QC_OK
                   : QC_SAVE_FAILED;
    });
}
