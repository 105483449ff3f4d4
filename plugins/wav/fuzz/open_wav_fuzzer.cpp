// Feeds arbitrary bytes to the WAV reader. A file that reads is written back with its own
// encoding and read again: the sound must survive (ADPCM, which is lossy, only by its length).
#include "fuzz_input_file.h"
#include "seed_request.h"
#include "seeds.h"
#include "wav/wav_plugin.h"

#include <cstdlib>
#include <cstring>

namespace {

struct Opened {
    SoundHeader header{};
    int16_t* body = nullptr;
    char errorText[512] = "";
};

bool openFile(const char* path, Opened& opened) {
    PluginOptions options{};
    options.useHeaderFormat = 1;
    options.errorText = opened.errorText;
    return wav::openWav(path, &opened.header, &opened.body, &options);
}

void checkRoundTrip(const Opened& first) {
    static fuzzing::InputFile output("wav-output");
    char errorText[512] = "";
    PluginOptions options{};
    options.useHeaderFormat = 1;
    options.errorText = errorText;
    SoundHeader header = first.header;
    if (!wav::saveWav(output.path(), &header, first.body, &options)) {
        __builtin_trap();
    }
    Opened second;
    if (!openFile(output.path(), second)) {
        __builtin_trap();
    }
    const bool sameShape = second.header.sampleCount == first.header.sampleCount &&
                           second.header.formatTag == first.header.formatTag &&
                           second.header.bitsPerSample == first.header.bitsPerSample &&
                           second.header.sampleRate == first.header.sampleRate;
    const bool lossy = first.header.formatTag == FORMAT_TAG_DIALOGIC_ADPCM;
    if (!sameShape || (!lossy && std::memcmp(first.body, second.body,
                                             std::size_t{first.header.sampleCount} * 2) != 0)) {
        __builtin_trap();
    }
    std::free(second.body);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::writeSeedsIfAsked(writeWavSeeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static fuzzing::InputFile input("wav-input");
    input.assign(data, size);
    Opened opened;
    if (!openFile(input.path(), opened)) {
        fuzzing::requireMessage(opened.errorText);
        return 0;
    }
    if (opened.body == nullptr || opened.header.sampleCount == 0) {
        __builtin_trap();
    }
    checkRoundTrip(opened);
    std::free(opened.body);
    return 0;
}
