#include "editing/selection.h"

#include "common/guarded_export.h"
#include "common/message_sink.h"
#include "editing/sample_math.h"
#include "textpack/string_ids.h"

#include <algorithm>
#include <limits>

namespace editing {

double durationSeconds(const SoundHeader& header) {
    if (header.sampleRate == 0) {
        return header.sampleCount == 0 ? std::numeric_limits<double>::quiet_NaN()
                                       : std::numeric_limits<double>::infinity();
    }
    return static_cast<double>(header.sampleCount) / header.sampleRate;
}

bool isSelectionValid(const SoundSelection& selection, const SoundHeader& header) {
    const double start = selection.startSeconds;
    const double end = selection.endSeconds;
    if (!(start >= 0.0) || !(end <= durationSeconds(header)) || !(end > start)) {
        return false;
    }
    return sampleIndex(header.sampleRate, end) - sampleIndex(header.sampleRate, start) >= 1;
}

QcResult validateSelection(const SoundSelection* selection, const SoundHeader* header,
                           int16_t* const* body) {
    const bool present = selection != nullptr && header != nullptr && body != nullptr &&
                         (*body != nullptr || header->sampleCount == 0);
    if (present && isSelectionValid(*selection, *header)) {
        return QC_OK;
    }
    common::reportText(common::loadText(TEXT_ID_SELECTION_INVALID));
    return QC_SELECTION_INVALID;
}

SampleRange selectedRange(const SoundSelection& selection, const SoundHeader& header) {
    // Clamped to the sound so that rounding at its very end can never reach past the block.
    const int64_t count = header.sampleCount;
    const int64_t start =
        std::clamp<int64_t>(sampleIndex(header.sampleRate, selection.startSeconds), 0, count);
    const int64_t end =
        std::clamp<int64_t>(sampleIndex(header.sampleRate, selection.endSeconds), start, count);
    return SampleRange{static_cast<uint32_t>(start), static_cast<uint32_t>(end)};
}

SoundSelection wholeSelection(const SoundHeader& header) {
    return SoundSelection{0.0, durationSeconds(header)};
}

SampleRange wholeRange(const SoundHeader& header) {
    return SampleRange{0, header.sampleCount};
}

} // namespace editing

extern "C" QUIESC_API void GetWholeSoundSelection(const SoundHeader* header,
                                                  SoundSelection* selection) {
    common::guardedExport([&] {
        if (header != nullptr && selection != nullptr) {
            *selection = editing::wholeSelection(*header);
        }
    });
}
