// Sound files for the pipeline tests, written and read through the toolkit and its plug-ins in
// a temporary folder of the test's own.
#pragma once

#include "Quiesc.h"

#include <cstdint>
#include <string>
#include <vector>

class PipelineFolder {
public:
    PipelineFolder();
    ~PipelineFolder();
    std::string path(const std::string& name) const { return folder_ + "/" + name; }

private:
    std::string folder_;
};

struct SoundData {
    SoundHeader header{};
    std::vector<int16_t> samples;
};

// Writes 16-bit PCM WAV.
void writeWav(const std::string& file, const std::vector<int16_t>& samples, uint32_t rate);
// Reads a file through OpenSoundFileEx with the format code and rate to assume.
SoundData readSound(const std::string& file, uint32_t formatCode = 0, uint32_t rate = 0);
bool fileExists(const std::string& file);

std::string lastError();
std::string reportedText(unsigned id);
std::vector<int16_t> ramp(std::size_t count, int start = 1, int step = 1);
