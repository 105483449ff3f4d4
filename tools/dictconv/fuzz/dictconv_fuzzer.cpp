// Dictconv's input handling: the layout check, FFmpeg's demuxer and decoders, and the samples
// they give, on any bytes. Every input ends in a decoded sound or a reason.

#include "dss_test/dss_writer.h"
#include "fuzz_input_file.h"
#include "seed_request.h"

#include "wavefile/sound_source.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

bool writeSeeds(const std::string& folder) {
    using dss_test::Codec;
    int index = 0;
    for (const Codec codec : {Codec::StandardPlay, Codec::LongPlay}) {
        for (const int version : {2, 3}) {
            dss_test::DssShape shape;
            shape.codec = codec;
            shape.version = version;
            shape.frames = 30;
            shape.seed = static_cast<uint32_t>(index);
            if (!fuzzing::writeSeed(folder, index++, ".dss", dss_test::DssFile(shape)))
                return false;
        }
    }
    return true;
}

} // namespace

// The seeds are written before libFuzzer runs any input: an exit from inside an input would
// count as a fault.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::writeSeedsIfAsked(writeSeeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static fuzzing::InputFile input("dss");
    input.assign(data, size);
    std::string error;
    const auto source = wavefile::OpenSoundFile(input.path(), wavefile::RecordingKind::Dss, error);
    if (!source) {
        if (error.empty())
            __builtin_trap();
        return 0;
    }
    if (source->SampleRate() != 8000 && source->SampleRate() != 11025)
        __builtin_trap();
    std::vector<float> block(static_cast<std::size_t>(source->BlockFrames()));
    long got = 0;
    while ((got = source->ReadBlock(block.data())) > 0)
        if (got > source->BlockFrames())
            __builtin_trap();
    if (got < 0 && source->Error().empty())
        __builtin_trap();
    return 0;
}
