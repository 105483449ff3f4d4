// ProcessSoundFile: open, the flagged steps in their fixed order, save.
#include "Quiesc.h"
#include "common/guarded_export.h"
#include "editing/resample.h"
#include "editing/selection.h"
#include "editing/sound_edits.h"
#include "editing/trim.h"
#include "local_sound.h"

namespace {

using pipelines::LocalSound;

// Bits 0 and 1: the selection step, read only when one is asked for.
QcResult applySelectionStep(LocalSound& sound, SoundSelection* selection, uint32_t step) {
    if (step == 0) {
        return QC_OK;
    }
    if (editing::validateSelection(selection, &sound.header, &sound.body) != QC_OK) {
        return QC_SELECTION_INVALID;
    }
    if (step == QC_STEP_VALIDATE_ONLY) {
        return QC_OK;
    }
    const editing::SampleRange range = editing::selectedRange(*selection, sound.header);
    if (step == QC_STEP_CUT) {
        editing::cutRange(sound.header, &sound.body, range);
    } else {
        editing::cropToRange(sound.header, &sound.body, range);
    }
    *selection = editing::wholeSelection(sound.header);
    return QC_OK;
}

// The steps after the selection step work on the whole sound as it is at that point.
QcResult applyWholeSoundSteps(LocalSound& sound, uint32_t newRate, double gainDb,
                              const QuiescenceParams* params, uint32_t flags) {
    if ((flags & QC_STEP_TRIM) != 0) {
        uint32_t newEnd = 0;
        if (!editing::trimRange(sound.header, &sound.body, editing::wholeRange(sound.header),
                                *params, &newEnd)) {
            return QC_TRIM_FAILED;
        }
    }
    if ((flags & QC_STEP_RESAMPLE) != 0 &&
        !editing::resampleSound(sound.header, &sound.body, newRate)) {
        return QC_RESAMPLE_FAILED;
    }
    if ((flags & QC_STEP_AMPLIFY) != 0) {
        editing::amplifyRange(sound.body, editing::wholeRange(sound.header), gainDb);
    }
    return QC_OK;
}

} // namespace

extern "C" QUIESC_API QcResult ProcessSoundFile(const char* inFile, uint32_t inFormat,
                                                uint32_t inRate, const char* outFile,
                                                uint32_t outFormat, uint32_t newRate,
                                                SoundSelection* selection, double gainDb,
                                                const QuiescenceParams* params, uint32_t flags) {
    return common::guardedExport(QC_SAVE_FAILED, [&]() -> QcResult {
        if ((flags & QC_STEP_TRIM) != 0 && editing::validateQuiescenceParams(params) != QC_OK) {
            return QC_TRIM_PARAMS_INVALID;
        }
        LocalSound sound;
        if (!sound.open(inFile, inFormat, inRate)) {
            return QC_OPEN_FAILED;
        }
        QcResult result = applySelectionStep(sound, selection, flags & QC_STEP_SELECTION_MASK);
        if (result == QC_OK) {
            result = applyWholeSoundSteps(sound, newRate, gainDb, params, flags);
        }
        if (result != QC_OK) {
            return result;
        }
        return SaveSoundFileEx(outFile, &sound.header, &sound.body, outFormat) == QC_OK
                   ? QC_OK
                   : QC_SAVE_FAILED;
    });
}
