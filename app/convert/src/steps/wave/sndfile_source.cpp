// Every encoding libsndfile reads inside WAV (PCM of 8 to 32 bits, float, A-law, u-law, IMA and
// MS ADPCM, GSM 6.10, MPEG layer III). libsndfile reads through the chain's file seam, so a
// read failure reaches us as such instead of looking like the end of the data.

#include "mono_mix.h"
#include "sample_source.h"
#include "wavefile/file_access.h"

#include <sndfile.h>

#include <cerrno>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace convert::steps {
namespace {

constexpr uint16_t kTagMpegLayer3 = 0x55;

struct VirtualFile {
    wavefile::WaveFileIo* io = nullptr;
    int fd = -1;
    int readError = 0; // errno of the first failed read
    // libsndfile reads a data size of 0 as no data: the size field of a streamed file is read
    // as the size the scan found instead.
    std::optional<uint64_t> sizeFieldAt;
    unsigned char sizeField[4] = {};
};

// Puts the patched size field over the bytes of [position, position + count) it overlaps.
void patchSizeField(const VirtualFile& file, sf_count_t position, char* bytes, ssize_t count) {
    if (!file.sizeFieldAt || position < 0)
        return;
    for (uint64_t i = 0; i < sizeof file.sizeField; ++i) {
        const uint64_t at = *file.sizeFieldAt + i;
        if (at >= static_cast<uint64_t>(position) &&
            at < static_cast<uint64_t>(position) + static_cast<uint64_t>(count))
            bytes[at - static_cast<uint64_t>(position)] = static_cast<char>(file.sizeField[i]);
    }
}

sf_count_t fileLength(void* user) {
    struct stat status {};
    if (::fstat(static_cast<VirtualFile*>(user)->fd, &status) != 0)
        return -1;
    return status.st_size;
}

sf_count_t seekTo(sf_count_t offset, int whence, void* user) {
    return ::lseek(static_cast<VirtualFile*>(user)->fd, offset, whence);
}

sf_count_t readInto(void* buffer, sf_count_t count, void* user) {
    auto* file = static_cast<VirtualFile*>(user);
    const sf_count_t position = ::lseek(file->fd, 0, SEEK_CUR);
    const ssize_t got =
        wavefile::ReadFully(*file->io, file->fd, buffer, static_cast<std::size_t>(count));
    if (got < 0) {
        if (file->readError == 0)
            file->readError = errno;
        return 0;
    }
    patchSizeField(*file, position, static_cast<char*>(buffer), got);
    return got;
}

sf_count_t refuseWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t tellPosition(void* user) {
    return ::lseek(static_cast<VirtualFile*>(user)->fd, 0, SEEK_CUR);
}

SF_VIRTUAL_IO gVirtualIo = {fileLength, seekTo, readInto, refuseWrite, tellPosition};

// Decoders whose samples are 16-bit integers at heart: reading them as shorts costs no
// precision and spares libsndfile a conversion per sample.
bool decodesToShorts(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_ALAW:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_IMA_ADPCM:
    case SF_FORMAT_MS_ADPCM:
    case SF_FORMAT_GSM610:
        return true;
    default:
        return false;
    }
}

constexpr float kShortScale = 1.0f / 32768.0f;

class SndfileSource final : public SampleSource {
public:
    SndfileSource(std::unique_ptr<VirtualFile> file, SNDFILE* sound, const SF_INFO& info,
                  const RiffWaveInfo& layout)
        : file_(std::move(file))
        , sound_(sound)
        , info_(info)
        , exactLength_(layout.formatTag != kTagMpegLayer3)
        , shorts_(decodesToShorts(info.format)) {
        const double bytesPerFrame = info.frames > 0 ? static_cast<double>(layout.dataSize) /
                                                           static_cast<double>(info.frames)
                                                     : static_cast<double>(layout.blockAlign);
        blockFrames_ = FramesPerSourceBlock(bytesPerFrame);
        const auto values =
            static_cast<std::size_t>(blockFrames_) * static_cast<std::size_t>(info.channels);
        if (shorts_)
            shortFrames_.resize(values);
        else if (info.channels > 1)
            floatFrames_.resize(values);
    }

    ~SndfileSource() override { sf_close(sound_); }

    long ReadBlock(float* mono) override {
        const int channels = info_.channels;
        if (shorts_) {
            const long got = checked(sf_readf_short(sound_, shortFrames_.data(), blockFrames_));
            if (got > 0)
                MixToMono(shortFrames_.data(), got, channels, kShortScale, mono);
            return got;
        }
        if (channels == 1)
            return checked(sf_readf_float(sound_, mono, blockFrames_));
        const long got = checked(sf_readf_float(sound_, floatFrames_.data(), blockFrames_));
        if (got > 0)
            MixToMono(floatFrames_.data(), got, channels, 1.0f, mono);
        return got;
    }

    bool DecodesToPcm16Mono() const override { return shorts_ && info_.channels == 1; }

    long ReadPcm16Block(int16_t* mono) override {
        return checked(sf_readf_short(sound_, mono, blockFrames_));
    }

    long BlockFrames() const override { return blockFrames_; }
    uint32_t SampleRate() const override { return static_cast<uint32_t>(info_.samplerate); }
    int64_t TotalFrames() const override { return info_.frames; }

private:
    // A read that came back short is the end of the data only when no read or decode failed
    // and every declared frame has come (MPEG streams declare an estimate).
    long checked(sf_count_t got) {
        if (file_->readError != 0) {
            error_ = "Cannot read the source: " + wavefile::SystemErrorText(file_->readError);
            return -1;
        }
        if (sf_error(sound_) != SF_ERR_NO_ERROR) {
            error_ = std::string("Cannot decode the source: ") + sf_strerror(sound_);
            return -1;
        }
        if (got == 0 && exactLength_ && framesRead_ < info_.frames) {
            error_ = "The source ended before its declared data";
            return -1;
        }
        framesRead_ += got;
        return static_cast<long>(got);
    }

    std::unique_ptr<VirtualFile> file_;
    SNDFILE* sound_;
    SF_INFO info_;
    bool exactLength_;
    bool shorts_;
    long blockFrames_ = 0;
    sf_count_t framesRead_ = 0;
    std::vector<short> shortFrames_;
    std::vector<float> floatFrames_;
};

} // namespace

std::unique_ptr<SampleSource> OpenSndfileSource(wavefile::WaveFileIo& io, int fd,
                                                const RiffWaveInfo& layout, std::string& error) {
    if (::lseek(fd, 0, SEEK_SET) < 0) {
        error = "Cannot read the source: " + wavefile::SystemErrorText(errno);
        return nullptr;
    }
    auto file = std::make_unique<VirtualFile>();
    file->io = &io;
    file->fd = fd;
    if (layout.streamedSize) {
        file->sizeFieldAt = layout.dataOffset - 4;
        for (int i = 0; i < 4; ++i)
            file->sizeField[i] = static_cast<unsigned char>(layout.dataSize >> (8 * i));
    }
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&gVirtualIo, SFM_READ, &info, file.get());
    if (sound == nullptr) {
        if (file->readError != 0)
            error = "Cannot read the source: " + wavefile::SystemErrorText(file->readError);
        else
            error = "Unsupported or damaged encoding (format tag " +
                    std::to_string(layout.formatTag) + "): " + sf_strerror(nullptr);
        return nullptr;
    }
    const int container = info.format & SF_FORMAT_TYPEMASK;
    if ((container != SF_FORMAT_WAV && container != SF_FORMAT_WAVEX) || info.channels < 1 ||
        info.samplerate < 1) {
        sf_close(sound);
        error = "Not a RIFF wave file";
        return nullptr;
    }
    return std::make_unique<SndfileSource>(std::move(file), sound, info, layout);
}

} // namespace convert::steps
