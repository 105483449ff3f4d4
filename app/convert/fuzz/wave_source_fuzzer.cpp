// The conversion chain's source reading on any bytes: the one reader (libsndfile first, FFmpeg's
// demuxer and decoders for what it refuses, our Dialogic ADPCM codec for format tag 23) block by
// block to the end, then the resampler; and the FFmpeg path alone on the same bytes, since
// libsndfile takes most wave files before the fallback would see them. Every input is read to
// its end or refused with a reason.

#include "fuzz_input_file.h"
#include "seed_request.h"
#include "wave_test/wave_files.h"

#include "codecs/adpcm.h"
#include "wavefile/rate_converter.h"
#include "wavefile/sound_source.h"
#include "wavefile/wave_decoders.h"

#include <cstdint>
#include <fcntl.h>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kTagDialogicOki = 23;

std::string okiWave(uint32_t rate, const std::string& codes, const std::string& chunksBefore) {
    wave_test::FormatChunk format;
    format.tag = kTagDialogicOki;
    format.rate = rate;
    format.bits = 4;
    format.blockAlign = 1;
    return wave_test::Riff(wave_test::Chunk("fmt ", wave_test::FormatBody(format)) + chunksBefore +
                           wave_test::Chunk("data", codes));
}

// Layouts that only the FFmpeg path reads: the data before its format chunk, a streaming
// writer's data size of 0, an encoding libsndfile does not know (G.726, tag 0x45).
std::string fallbackSeed(int which, const std::string& samples) {
    wave_test::FormatChunk pcm;
    const std::string format = wave_test::Chunk("fmt ", wave_test::FormatBody(pcm));
    switch (which) {
    case 0:
        return wave_test::Riff(wave_test::Chunk("data", samples) + format);
    case 1: {
        std::string streamed = wave_test::WaveFile(pcm, samples);
        streamed.replace(40, 4, std::string(4, '\0'));
        return streamed;
    }
    default: {
        wave_test::FormatChunk g726{0x45, 1, 8000, 4, 1, std::string("\0\0", 2)};
        return wave_test::WaveFile(g726, samples.substr(0, 1000));
    }
    }
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
    const std::string samples = wave_test::Pcm16Bytes(tone);
    const std::string seeds[] = {okiWave(8000, codes, ""),  okiWave(6000, codes.substr(0, 7), fact),
                                 okiWave(11025, codes, ""), fallbackSeed(0, samples),
                                 fallbackSeed(1, samples),  fallbackSeed(2, samples)};
    int index = 0;
    for (const auto& seed : seeds)
        if (!fuzzing::writeSeed(folder, index++, ".wav", seed))
            return false;
    return true;
}

// Reads the source to its end through the resampler; a source may only fail with a reason.
void readToTheEnd(wavefile::SoundSource& source) {
    wavefile::RateConverter rate(source.SampleRate(), 8000);
    std::vector<float> block(static_cast<std::size_t>(source.BlockFrames()));
    std::vector<float> resampled;
    long got = 0;
    while ((got = source.ReadBlock(block.data())) > 0) {
        if (got > source.BlockFrames())
            __builtin_trap();
        if (rate.ok())
            rate.Process(block.data(), got, resampled);
    }
    if (got < 0 && source.Error().empty())
        __builtin_trap();
    if (rate.ok())
        rate.Flush(resampled);
}

files::UniqueFd openInput(const fuzzing::InputFile& input) {
    files::UniqueFd file(::open(input.path(), O_RDONLY | O_CLOEXEC));
    if (!file)
        __builtin_trap();
    return file;
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
    auto& io = wavefile::SystemWaveFileIo();
    std::string error;
    auto source =
        wavefile::OpenSoundSource(openInput(input), wavefile::RecordingKind::Wave, io, error);
    if (source)
        readToTheEnd(*source);
    else if (error.empty())
        __builtin_trap();
    error.clear();
    auto fallback =
        wavefile::OpenWaveWith(wavefile::WaveDecoder::Libav, openInput(input), io, error);
    if (fallback && fallback->SampleRate() >= wavefile::kLowestSourceRate &&
        fallback->SampleRate() <= wavefile::kHighestSourceRate)
        readToTheEnd(*fallback);
    else if (!fallback && error.empty())
        __builtin_trap();
    return 0;
}
