#include "wavefile/sound_source.h"

#include "sound_decoders.h"
#include "wavefile/dss_layout.h"
#include "wavefile/file_access.h"
#include "wavefile/wave_decoders.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <vector>

namespace wavefile {
namespace {

std::unique_ptr<SoundSource> refuse(std::string& error, std::string text) {
    error = std::move(text);
    return nullptr;
}

// libsndfile first; FFmpeg for what it refuses or finds no frames in.
std::unique_ptr<SoundSource> openWave(std::unique_ptr<SeamReader> reader, std::string& error) {
    SndfileOpening sndfile = OpenSndfileSource(reader);
    if (sndfile.source)
        return std::move(sndfile.source);
    if (sndfile.readFailed)
        return refuse(error, sndfile.refusal);
    auto source = OpenLibavSource(std::move(reader), "wav", error);
    if (!source && !sndfile.refusal.empty())
        error += " (libsndfile: " + sndfile.refusal + ")";
    return source;
}

std::unique_ptr<SoundSource> openDss(std::unique_ptr<SeamReader> reader, uint64_t fileSize,
                                     std::string& error) {
    std::vector<unsigned char> start(static_cast<std::size_t>(std::min(fileSize, kDssLayoutBytes)));
    const ssize_t got = reader->Read(start.data(), start.size());
    if (got < 0)
        return refuse(error, "cannot read the file: " + SystemErrorText(reader->ReadError()));
    const LayoutCheck check = CheckDssLayout(start.data(), static_cast<uint64_t>(got), fileSize);
    if (check.verdict != LayoutVerdict::Valid)
        return refuse(error, check.reason);
    return OpenLibavSource(std::move(reader), "dss", error);
}

bool rateInRange(uint32_t rate) {
    return rate >= kLowestSourceRate && rate <= kHighestSourceRate;
}

} // namespace

std::string ReadFailureText(int error) {
    return "Cannot read the source: " + SystemErrorText(error);
}

RecordingKind RecordingKindOf(const std::string& fileName) {
    constexpr std::size_t kExtension = 4;
    const bool dss = fileName.size() >= kExtension &&
                     ::strcasecmp(fileName.c_str() + fileName.size() - kExtension, ".dss") == 0;
    return dss ? RecordingKind::Dss : RecordingKind::Wave;
}

std::unique_ptr<SoundSource> OpenSoundSource(files::UniqueFd file, RecordingKind kind,
                                             WaveFileIo& io, std::string& error) {
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        return refuse(error, ReadFailureText(errno));
    if (!S_ISREG(status.st_mode))
        return refuse(error, "The source is not a file");
    const bool wave = kind == RecordingKind::Wave;
    if (status.st_size == 0 && wave)
        return refuse(error, "The source is empty");
    auto reader = std::make_unique<SeamReader>(std::move(file), io);
    auto source = wave ? openWave(std::move(reader), error)
                       : openDss(std::move(reader), static_cast<uint64_t>(status.st_size), error);
    if (source && !rateInRange(source->SampleRate()))
        return refuse(error, "The source's sample rate of " + std::to_string(source->SampleRate()) +
                                 " Hz is not one a recording uses (" +
                                 std::to_string(kLowestSourceRate) + " to " +
                                 std::to_string(kHighestSourceRate) + " Hz)");
    return source;
}

std::unique_ptr<SoundSource> OpenSoundFile(const std::string& nativePath, RecordingKind kind,
                                           std::string& error, WaveFileIo& io) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer; the source refuses it after.
    files::UniqueFd file(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file)
        return refuse(error, "Cannot open " + nativePath + ": " + SystemErrorText(errno));
    ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
    return OpenSoundSource(std::move(file), kind, io, error);
}

std::unique_ptr<SoundSource> OpenWaveWith(WaveDecoder decoder, files::UniqueFd file, WaveFileIo& io,
                                          std::string& error) {
    auto reader = std::make_unique<SeamReader>(std::move(file), io);
    if (decoder == WaveDecoder::Libav)
        return OpenLibavSource(std::move(reader), "wav", error);
    SndfileOpening sndfile = OpenSndfileSource(reader);
    if (!sndfile.source)
        error = sndfile.refusal.empty() ? "libsndfile finds no frames" : sndfile.refusal;
    return std::move(sndfile.source);
}

long FramesPerSourceBlock(double bytesPerFrame) {
    if (!(bytesPerFrame > 0))
        return static_cast<long>(kSourceBlockBytes);
    const double frames = std::floor(static_cast<double>(kSourceBlockBytes) / bytesPerFrame);
    return std::clamp(static_cast<long>(frames), 1L, static_cast<long>(kSourceBlockBytes) * 4);
}

} // namespace wavefile
