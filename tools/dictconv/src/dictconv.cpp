#include "dictconv/dictconv.h"

#include "files/unique_fd.h"
#include "platform/paths.h"
#include "wavefile/converter_reason.h"
#include "wavefile/pcm16_wave_writer.h"
#include "wavefile/sound_source.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace dictconv {
namespace {

constexpr const char* kVersion = "1.1";

Conversion failure(std::string reason) {
    return {false, std::move(reason)};
}

// The input as a regular file, opened without waiting on a FIFO.
files::UniqueFd openInput(const std::string& nativeInput, std::string& reason) {
    files::UniqueFd input(::open(nativeInput.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (!input || ::fstat(input.get(), &status) != 0) {
        reason = std::strerror(errno);
        return {};
    }
    if (S_ISDIR(status.st_mode)) {
        reason = std::strerror(EISDIR);
        return {};
    }
    if (!S_ISREG(status.st_mode)) {
        reason = "not a regular file";
        return {};
    }
    ::fcntl(input.get(), F_SETFL, ::fcntl(input.get(), F_GETFL) & ~O_NONBLOCK);
    return input;
}

// The decoders' own samples, block by block, into the result's partial file.
Conversion writeSamples(wavefile::SoundSource& source, wavefile::Pcm16WaveWriter& writer) {
    if (!source.DecodesToPcm16Mono())
        return failure("the audio is damaged: the decoder gave samples of an unexpected form");
    std::vector<int16_t> block(static_cast<std::size_t>(source.BlockFrames()));
    uint64_t written = 0;
    for (long got; (got = source.ReadPcm16Block(block.data())) != 0; written += got) {
        if (got < 0)
            return failure(source.Error());
        if (!writer.Append(block.data(), static_cast<std::size_t>(got)))
            return failure("cannot write the result: " + writer.Error());
    }
    if (written == 0)
        return failure("the file holds no audio: there is no audio after the header");
    if (!writer.Commit())
        return failure("cannot write the result: " + writer.Error());
    return {true, ""};
}

const char* usageText() {
    return "Usage: Dictconv FILE.dss\n"
           "Decodes a DSS dictation (DSS SP or DSS LP) and writes its audio as a 16-bit mono PCM\n"
           "wave file at the recording's own rate to c:\\tmp.wav (below the drive root,\n"
           "IMPORT_DRIVE_ROOT). Exits with 0 when done, 1 when the file cannot be converted.\n";
}

} // namespace

Conversion ConvertDssFile(const std::string& nativeInput, const std::string& nativeResult) {
    std::string reason;
    files::UniqueFd input = openInput(nativeInput, reason);
    if (!input)
        return failure(reason);
    const auto source = wavefile::OpenSoundSource(std::move(input), wavefile::RecordingKind::Dss,
                                                  wavefile::SystemWaveFileIo(), reason);
    if (!source)
        return failure(reason);
    wavefile::Pcm16WaveWriter writer(nativeResult, source->SampleRate());
    if (!writer.Open())
        return failure("cannot write the result: " + writer.Error());
    return writeSamples(*source, writer);
}

int RunDictconv(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usageText(), out);
        return static_cast<int>(ExitCode::Converted);
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fprintf(out, "Dictconv %s\n", kVersion);
        return static_cast<int>(ExitCode::Converted);
    }
    if (argc != 2) {
        std::fputs(usageText(), err);
        return static_cast<int>(ExitCode::Usage);
    }
    const std::string nativeResult = platform::resolvePath(kResultPath);
    const Conversion conversion = ConvertDssFile(argv[1], nativeResult);
    if (!conversion.converted) {
        std::fprintf(err, "Dictconv: %s: %s\n", argv[1], conversion.reason.c_str());
        wavefile::WriteConverterReason(nativeResult, conversion.reason);
        return static_cast<int>(ExitCode::Failed);
    }
    return static_cast<int>(ExitCode::Converted);
}

} // namespace dictconv
