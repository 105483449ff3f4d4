#include "editing/trim.h"

#include "common/guarded_export.h"
#include "common/memory.h"
#include "common/message_sink.h"
#include "editing/selection.h"
#include "editing/sound_edits.h"
#include "editing/trim_plan.h"
#include "textpack/string_ids.h"

#include <optional>

namespace editing {
namespace {

constexpr uint64_t maxSampleCount = UINT32_MAX;

// truncate(rate * seconds + 0.5), or nothing when that does not fit a sample count (an
// infinite or huge length of silence).
std::optional<uint32_t> silenceSamples(uint32_t rate, double seconds) {
    const double value = static_cast<double>(rate) * seconds + 0.5;
    if (!(value < static_cast<double>(maxSampleCount) + 1.0)) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

bool growBody(int16_t** body, uint64_t count) {
    void* block = *body;
    if (!common::resizeBuffer(&block, count * 2)) {
        return false;
    }
    *body = static_cast<int16_t*>(block);
    return true;
}

} // namespace

QcResult validateQuiescenceParams(const QuiescenceParams* params) {
    const bool valid = params != nullptr && params->leadSeconds >= 0.0 &&
                       params->trailSeconds >= 0.0 && params->threshold >= 0.0 &&
                       params->threshold <= 1.0 && params->minLoudRun >= 1;
    if (valid) {
        return QC_OK;
    }
    common::reportText(common::loadText(TEXT_ID_TRIM_PARAMS_INVALID));
    return QC_TRIM_PARAMS_INVALID;
}

bool trimRange(SoundHeader& header, int16_t** body, SampleRange range,
               const QuiescenceParams& params, uint32_t* newEnd) {
    const auto lead = silenceSamples(header.sampleRate, params.leadSeconds);
    const auto trail = silenceSamples(header.sampleRate, params.trailSeconds);
    if (!lead || !trail) {
        return common::reportOutOfMemory();
    }
    const int32_t level = loudnessLevel(params.threshold);
    const TrimLayout layout{header.sampleCount,
                            range.start,
                            range.end,
                            findLoudPart(*body, range.start, range.end, level, params.minLoudRun),
                            *lead,
                            *trail};
    const uint64_t count = layout.newCount();
    if (count > maxSampleCount) {
        return common::reportOutOfMemory();
    }
    if (count > header.sampleCount && !growBody(body, count)) {
        return common::reportOutOfMemory();
    }
    rearrangeForTrim(*body, layout);
    if (count < header.sampleCount) {
        shrinkBody(body, static_cast<uint32_t>(count));
    }
    header.sampleCount = static_cast<uint32_t>(count);
    *newEnd = static_cast<uint32_t>(layout.newEnd());
    return true;
}

} // namespace editing

extern "C" QUIESC_API QcResult Quiescence(SoundHeader* header, int16_t** body,
                                          SoundSelection* selection,
                                          const QuiescenceParams* params) {
    return common::guardedExport(QC_TRIM_FAILED, [&]() -> QcResult {
        using namespace editing;
        if (validateSelection(selection, header, body) != QC_OK) {
            return QC_SELECTION_INVALID;
        }
        if (validateQuiescenceParams(params) != QC_OK) {
            return QC_TRIM_PARAMS_INVALID;
        }
        uint32_t newEnd = 0;
        if (!trimRange(*header, body, selectedRange(*selection, *header), *params, &newEnd)) {
            return QC_TRIM_FAILED;
        }
        selection->endSeconds = static_cast<double>(newEnd) / header->sampleRate;
        return QC_OK;
    });
}
