// Dictconv's input handling: the layout check, FFmpeg's demuxer and decoders, and the hand-off
// of the samples, on any bytes. Every input ends in a decoded sound or a message naming why.

#include "dictconv/dictconv.h"
#include "dictconv/dss_decoder.h"

#include "dss_test/dss_writer.h"
#include "fuzz_input_file.h"
#include "seed_request.h"

#include <cstdint>
#include <string>

namespace {

class CountingSink final : public dictconv::PcmSink {
public:
    bool Begin(uint32_t sampleRate) override {
        if (begun || (sampleRate != 8000 && sampleRate != 11025))
            __builtin_trap();
        begun = true;
        return true;
    }
    bool Write(const int16_t* samples, std::size_t count) override {
        if (!begun)
            __builtin_trap();
        for (std::size_t i = 0; i < count; ++i)
            checksum += static_cast<uint16_t>(samples[i]);
        return true;
    }
    bool begun = false;
    uint64_t checksum = 0;
};

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
    CountingSink sink;
    const auto conversion = dictconv::DecodeDssFile(input.path(), sink);
    if (!conversion.converted && conversion.message.empty())
        __builtin_trap();
    return 0;
}
