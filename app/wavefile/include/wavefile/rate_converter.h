#pragma once
// Changes the sample rate of a mono float stream with libsoxr's high-quality recipe; at equal
// rates the samples pass through untouched.

#include <cstdint>
#include <string>
#include <vector>

struct soxr;

namespace wavefile {

class RateConverter {
public:
    RateConverter(uint32_t inputRate, uint32_t outputRate);
    ~RateConverter();
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    // False, with the reason in Error(), when the resampler could not be set up.
    bool ok() const { return error_.empty(); }
    const std::string& Error() const { return error_; }

    // Converts `count` input samples; `output` is replaced by what is ready so far.
    bool Process(const float* input, long count, std::vector<float>& output);
    // The samples still held in the filter at the end of the stream.
    bool Flush(std::vector<float>& output);

private:
    bool run(const float* input, std::size_t count, std::vector<float>& output);

    soxr* resampler_ = nullptr;
    double ratio_ = 1.0;
    std::string error_;
};

} // namespace wavefile
