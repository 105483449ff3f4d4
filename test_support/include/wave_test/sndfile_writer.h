#pragma once
// Sources in every encoding libsndfile writes inside WAV, for the tests of the reader and the
// conversion chain (tests that include it link libsndfile).

#include <sndfile.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace wave_test {

inline bool WriteWithSndfile(const std::filesystem::path& path, int format, int channels,
                             uint32_t rate, const std::vector<float>& interleaved) {
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = static_cast<int>(rate);
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        return false;
    const sf_count_t frames = static_cast<sf_count_t>(interleaved.size()) / channels;
    const bool ok = sf_writef_float(file, interleaved.data(), frames) == frames;
    return sf_close(file) == 0 && ok;
}

} // namespace wave_test
