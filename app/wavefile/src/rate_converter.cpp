#include "wavefile/rate_converter.h"

#include <soxr.h>

#include <cmath>

namespace wavefile {
namespace {

// Room for the output of one call beyond what the ratio promises (the filter's delay drains
// in bursts).
constexpr std::size_t kOutputSlack = 64;

} // namespace

RateConverter::RateConverter(uint32_t inputRate, uint32_t outputRate) {
    if (inputRate == outputRate)
        return;
    ratio_ = static_cast<double>(outputRate) / static_cast<double>(inputRate);
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
    soxr_error_t failure = nullptr;
    resampler_ = soxr_create(inputRate, outputRate, 1, &failure, &io, &quality, &runtime);
    if (failure != nullptr || resampler_ == nullptr) {
        error_ = std::string("Cannot set up the resampler: ") + (failure ? failure : "unknown");
        soxr_delete(resampler_);
        resampler_ = nullptr;
    }
}

RateConverter::~RateConverter() {
    soxr_delete(resampler_);
}

bool RateConverter::Process(const float* input, long count, std::vector<float>& output) {
    if (resampler_ == nullptr) {
        output.assign(input, input + count);
        return ok();
    }
    return run(input, static_cast<std::size_t>(count), output);
}

bool RateConverter::Flush(std::vector<float>& output) {
    output.clear();
    if (resampler_ == nullptr)
        return ok();
    return run(nullptr, 0, output);
}

// A null input tells soxr that the stream has ended; it then gives out its tail, possibly
// over several calls, until a call yields nothing.
bool RateConverter::run(const float* input, std::size_t count, std::vector<float>& output) {
    output.clear();
    const std::size_t room =
        static_cast<std::size_t>(std::ceil(static_cast<double>(count) * ratio_)) + kOutputSlack;
    std::size_t consumed = 0;
    for (;;) {
        const std::size_t start = output.size();
        output.resize(start + room);
        std::size_t used = 0;
        std::size_t made = 0;
        const soxr_error_t failure =
            soxr_process(resampler_, input ? input + consumed : nullptr, count - consumed,
                         input ? &used : nullptr, output.data() + start, room, &made);
        output.resize(start + made);
        if (failure != nullptr) {
            error_ = std::string("Resampling failed: ") + failure;
            return false;
        }
        consumed += used;
        const bool inputDone = input ? consumed >= count : made == 0;
        if (inputDone && (input == nullptr || made < room))
            return true;
    }
}

} // namespace wavefile
