#include "command.h"
#include "formats.h"
#include "input_options.h"
#include "sound_file.h"

#include <cstdio>

namespace quiesc_tool {

int runInfo(const Arguments& arguments) {
    std::string error;
    const auto input = describeInput(arguments, arguments.operand(0), error);
    if (!input) {
        return usageError("info", error);
    }
    SoundFile sound;
    if (!sound.open(*input)) {
        return exitToolkitFailure;
    }
    const SoundHeader& header = sound.header();
    const double seconds =
        header.sampleRate != 0 ? static_cast<double>(header.sampleCount) / header.sampleRate : 0;
    std::printf("file: %s\n"
                "encoding: %s (format tag %u)\n"
                "bits per sample: %u\n"
                "sample rate: %u Hz\n"
                "samples: %u\n"
                "duration: %.3f s\n",
                input->fileName.c_str(), encodingName(header).c_str(), header.formatTag,
                header.bitsPerSample, header.sampleRate, header.sampleCount, seconds);
    return exitSuccess;
}

} // namespace quiesc_tool
