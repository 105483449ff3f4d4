#include "editing/resample.h"

#include "common/guarded_export.h"
#include "common/memory.h"
#include "common/message_sink.h"
#include "editing/interpolation.h"
#include "editing/octave_passes.h"
#include "textpack/string_ids.h"

#include <cstring>

namespace editing {
namespace {

constexpr uint32_t minimumSamples = 100;
constexpr uint64_t maxSampleCount = UINT32_MAX;

bool allocateBlock(int16_t** block, uint64_t count) {
    void* memory = nullptr;
    if (count > maxSampleCount || !common::allocateBuffer(&memory, count * 2)) {
        return common::reportOutOfMemory();
    }
    *block = static_cast<int16_t*>(memory);
    return true;
}

void replaceBody(int16_t** body, int16_t* block) {
    common::freeBuffer(*body);
    *body = block;
}

bool stepDown(SoundHeader& header, int16_t** body, const OctavePlan& plan) {
    const uint32_t count = header.sampleCount >> plan.steps;
    int16_t* block = nullptr;
    if (!allocateBlock(&block, count)) {
        return false;
    }
    // The keep flag carries over from pass to pass.
    bool keep = true;
    uint32_t remaining = header.sampleCount;
    for (uint32_t pass = 0; pass < plan.steps; ++pass) {
        remaining = halvingPass(*body, remaining, keep);
    }
    std::memcpy(block, *body, static_cast<std::size_t>(count) * 2);
    replaceBody(body, block);
    header.sampleCount = count;
    header.sampleRate = plan.rate;
    return true;
}

bool stepUp(SoundHeader& header, int16_t** body, const OctavePlan& plan) {
    const uint64_t count = uint64_t{header.sampleCount} << plan.steps;
    int16_t* work = nullptr;
    if (!allocateBlock(&work, count)) {
        return false;
    }
    void* enlarged = *body;
    if (!common::resizeBuffer(&enlarged, count * 2)) {
        common::freeBuffer(work);
        return common::reportOutOfMemory();
    }
    *body = static_cast<int16_t*>(enlarged);
    uint32_t length = header.sampleCount;
    for (uint32_t pass = 0; pass < plan.steps; ++pass) {
        doublingPass(*body, length, work);
        length *= 2;
        std::memcpy(*body, work, static_cast<std::size_t>(length) * 2);
    }
    common::freeBuffer(work);
    header.sampleCount = length;
    header.sampleRate = plan.rate;
    return true;
}

bool interpolateTo(SoundHeader& header, int16_t** body, uint32_t newRate) {
    const uint64_t count = interpolatedLength(header.sampleRate, newRate, header.sampleCount);
    int16_t* block = nullptr;
    if (!allocateBlock(&block, count)) {
        return false;
    }
    interpolate(*body, header.sampleCount, header.sampleRate, newRate, block,
                static_cast<uint32_t>(count));
    replaceBody(body, block);
    header.sampleCount = static_cast<uint32_t>(count);
    header.sampleRate = newRate;
    return true;
}

} // namespace

bool resampleSound(SoundHeader& header, int16_t** body, uint32_t newRate) {
    if (header.sampleCount < minimumSamples) {
        return common::reportText(common::loadText(TEXT_ID_TOO_SHORT_TO_RESAMPLE));
    }
    // Without this check the octave loops would never end.
    if (newRate == 0 || header.sampleRate == 0) {
        return common::reportText(common::loadText(TEXT_ID_ZERO_RATE));
    }
    const OctavePlan plan = planOctaves(header.sampleRate, newRate);
    if (plan.direction == OctavePlan::Direction::down && !stepDown(header, body, plan)) {
        return false;
    }
    if (plan.direction == OctavePlan::Direction::up && !stepUp(header, body, plan)) {
        return false;
    }
    if (header.sampleRate == newRate) {
        return true;
    }
    return interpolateTo(header, body, newRate);
}

} // namespace editing

extern "C" QUIESC_API QcResult ResampleSound(SoundHeader* header, int16_t** body,
                                             uint32_t newRate) {
    return common::guardedExport(QC_RESAMPLE_FAILED, [&]() -> QcResult {
        if (header == nullptr || body == nullptr ||
            (*body == nullptr && header->sampleCount >= 100)) {
            return QC_RESAMPLE_FAILED;
        }
        return editing::resampleSound(*header, body, newRate) ? QC_OK : QC_RESAMPLE_FAILED;
    });
}
