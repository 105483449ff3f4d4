#include "pipeline_files.h"

#include "textpack/Textpack.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

PipelineFolder::PipelineFolder() {
    char pattern[] = "/tmp/quiesc-pipeline-XXXXXX";
    folder_ = mkdtemp(pattern);
}

PipelineFolder::~PipelineFolder() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

void writeWav(const std::string& file, const std::vector<int16_t>& samples, uint32_t rate) {
    SoundHeader header{1, rate, static_cast<uint32_t>(samples.size()), 16};
    int16_t* body = nullptr;
    AllocateSoundBody(&body, header.sampleCount);
    std::memcpy(body, samples.data(), samples.size() * 2);
    const QcResult result = SaveSoundFileEx(file.c_str(), &header, &body, QC_FORMAT_PCM16);
    FreeSoundBody(body);
    if (result != QC_OK) {
        throw std::runtime_error("cannot write " + file + ": " + lastError());
    }
}

SoundData readSound(const std::string& file, uint32_t formatCode, uint32_t rate) {
    SoundData data;
    int16_t* body = nullptr;
    if (OpenSoundFileEx(file.c_str(), &data.header, &body, formatCode, rate) != QC_OK) {
        throw std::runtime_error("cannot read " + file + ": " + lastError());
    }
    data.samples.assign(body, body + data.header.sampleCount);
    FreeSoundBody(body);
    return data;
}

bool fileExists(const std::string& file) {
    return fs::exists(file);
}

std::string lastError() {
    char buffer[QC_ERROR_TEXT_SIZE];
    return GetLastQcErrorText(buffer);
}

std::string reportedText(unsigned id) {
    char text[512];
    TextpackLoadString(id, text, sizeof text);
    return std::string(text) + ".";
}

std::vector<int16_t> ramp(std::size_t count, int start, int step) {
    std::vector<int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<int16_t>(start + step * static_cast<int>(i));
    }
    return samples;
}
