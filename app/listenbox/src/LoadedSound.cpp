#include "listenbox/LoadedSound.h"

#include "Quiesc.h"
#include "wavefile/rate_converter.h"
#include "wavefile/sample_quantizer.h"
#include "wavefile/sound_source.h"

#include <strings.h>

namespace listenbox {
namespace {

bool isVox(const std::string& path) {
    constexpr std::size_t kExtension = 4;
    return path.size() >= kExtension &&
           ::strcasecmp(path.c_str() + path.size() - kExtension, ".vox") == 0;
}

bool loadVox(const std::string& nativePath, const VoxReading& vox, LoadedSound& sound,
             std::string& error) {
    SoundHeader header{};
    int16_t* body = nullptr;
    if (OpenSoundFileEx(nativePath.c_str(), &header, &body, vox.formatCode, vox.sampleRate) !=
        QC_OK) {
        char text[QC_ERROR_TEXT_SIZE];
        GetLastQcErrorText(text);
        error = *text != '\0' ? text : "The file cannot be opened.";
        return false;
    }
    sound.samples.assign(body, body + header.sampleCount);
    sound.sampleRate = header.sampleRate;
    FreeSoundBody(body);
    return true;
}

// The decoder's own 16-bit samples where it gives them, else its floats rounded as the
// conversion chain rounds them.
bool decodeAll(wavefile::SoundSource& source, LoadedSound& sound, std::string& error) {
    const auto blockFrames = static_cast<std::size_t>(source.BlockFrames());
    std::vector<int16_t> pcm(blockFrames);
    std::vector<float> mono(source.DecodesToPcm16Mono() ? 0 : blockFrames);
    for (;;) {
        const long got = source.DecodesToPcm16Mono() ? source.ReadPcm16Block(pcm.data())
                                                     : source.ReadBlock(mono.data());
        if (got < 0) {
            error = source.Error();
            return false;
        }
        if (got == 0)
            break;
        if (!source.DecodesToPcm16Mono())
            wavefile::QuantizeToPcm16(mono.data(), static_cast<std::size_t>(got), pcm.data());
        sound.samples.insert(sound.samples.end(), pcm.begin(), pcm.begin() + got);
    }
    if (sound.samples.empty()) {
        error = "The file holds no audio";
        return false;
    }
    sound.sampleRate = source.SampleRate();
    return true;
}

} // namespace

bool LoadSound(const std::string& nativePath, const VoxReading& vox, LoadedSound& sound,
               std::string& error) {
    sound = {};
    if (isVox(nativePath))
        return loadVox(nativePath, vox, sound, error);
    const auto source =
        wavefile::OpenSoundFile(nativePath, wavefile::RecordingKindOf(nativePath), error);
    return source && decodeAll(*source, sound, error);
}

LoadedSound Resampled(const LoadedSound& sound, uint32_t rate) {
    LoadedSound result;
    result.sampleRate = rate;
    wavefile::RateConverter converter(sound.sampleRate, rate);
    std::vector<float> input(sound.samples.size());
    for (std::size_t i = 0; i < input.size(); ++i)
        input[i] = static_cast<float>(sound.samples[i]) / 32768.0f;
    std::vector<float> output, tail;
    if (!converter.Process(input.data(), static_cast<long>(input.size()), output) ||
        !converter.Flush(tail))
        return result;
    output.insert(output.end(), tail.begin(), tail.end());
    result.samples.resize(output.size());
    wavefile::QuantizeToPcm16(output.data(), output.size(), result.samples.data());
    return result;
}

} // namespace listenbox
