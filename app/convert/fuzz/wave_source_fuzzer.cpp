// The conversion chain's source reading on any bytes: the RIFF scan, the Dialogic ADPCM reader
// (format tag 23, our own) and libsndfile's readers, block by block to the end, then the
// resampler. Every input is read to its end or refused with a reason.

#include "rate_converter.h"
#include "riff_wave_scan.h"
#include "sample_source.h"

#include "fuzz_input_file.h"
#include "seed_request.h"
#include "wave_test/wave_files.h"

#include "codecs/adpcm.h"

#include <cstdint>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace convert::steps;

std::string okiWave(uint32_t rate, const std::string& codes, const std::string& chunksBefore) {
    wave_test::FormatChunk format;
    format.tag = kTagDialogicOki;
    format.rate = rate;
    format.bits = 4;
    format.blockAlign = 1;
    return wave_test::Riff(wave_test::Chunk("fmt ", wave_test::FormatBody(format)) + chunksBefore +
                           wave_test::Chunk("data", codes));
}

bool writeSeeds(const std::string& folder) {
    std::vector<int16_t> tone(3000);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<int16_t>((i * 37) % 4000 - 2000);
    std::string codes((tone.size() + 1) / 2, '\0');
    codecs::AdpcmState state;
    codecs::encodeAdpcmBlock(tone.data(), static_cast<uint32_t>(tone.size()),
                             reinterpret_cast<uint8_t*>(codes.data()), state);
    const std::string fact = wave_test::Chunk("fact", std::string(4, '\0'));
    const std::string seeds[] = {okiWave(8000, codes, ""), okiWave(6000, codes.substr(0, 7), fact),
                                 okiWave(11025, codes, "")};
    int index = 0;
    for (const auto& seed : seeds)
        if (!fuzzing::writeSeed(folder, index++, ".wav", seed))
            return false;
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
    static fuzzing::InputFile input("wave");
    input.assign(data, size);
    const int fd = ::open(input.path(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        __builtin_trap();
    std::string error;
    auto& io = wavefile::SystemWaveFileIo();
    const auto layout = ScanRiffWave(io, fd, error);
    auto source = layout ? OpenSampleSource(io, fd, *layout, error) : nullptr;
    if (!source) {
        if (error.empty())
            __builtin_trap();
        ::close(fd);
        return 0;
    }
    RateConverter rate(source->SampleRate(), 8000);
    std::vector<float> block(static_cast<std::size_t>(source->BlockFrames()));
    std::vector<float> resampled;
    for (long got; (got = source->ReadBlock(block.data())) > 0;) {
        if (got > source->BlockFrames())
            __builtin_trap();
        if (rate.ok())
            rate.Process(block.data(), got, resampled);
    }
    if (rate.ok())
        rate.Flush(resampled);
    ::close(fd);
    return 0;
}
