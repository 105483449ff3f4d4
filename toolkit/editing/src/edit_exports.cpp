// The selection-based editing exports: validate, edit, and describe the result.
#include "Quiesc.h"
#include "common/guarded_export.h"
#include "editing/selection.h"
#include "editing/sound_edits.h"

using namespace editing;

extern "C" QUIESC_API QcResult CropSound(SoundHeader* header, int16_t** body,
                                         SoundSelection* selection) {
    return common::guardedExport(QC_SELECTION_INVALID, [&]() -> QcResult {
        if (validateSelection(selection, header, body) != QC_OK) {
            return QC_SELECTION_INVALID;
        }
        cropToRange(*header, body, selectedRange(*selection, *header));
        *selection = wholeSelection(*header);
        return QC_OK;
    });
}

extern "C" QUIESC_API QcResult CutSelectionFromSound(SoundHeader* header, int16_t** body,
                                                     SoundSelection* selection) {
    return common::guardedExport(QC_SELECTION_INVALID, [&]() -> QcResult {
        if (validateSelection(selection, header, body) != QC_OK) {
            return QC_SELECTION_INVALID;
        }
        cutRange(*header, body, selectedRange(*selection, *header));
        *selection = wholeSelection(*header);
        return QC_OK;
    });
}

extern "C" QUIESC_API QcResult AmplifySound(SoundHeader* header, int16_t** body,
                                            SoundSelection* selection, double gainDb) {
    return common::guardedExport(QC_SELECTION_INVALID, [&]() -> QcResult {
        if (validateSelection(selection, header, body) != QC_OK) {
            return QC_SELECTION_INVALID;
        }
        amplifyRange(*body, selectedRange(*selection, *header), gainDb);
        return QC_OK;
    });
}
