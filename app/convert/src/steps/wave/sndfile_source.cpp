// Every encoding libsndfile reads inside WAV (PCM of 8 to 32 bits, float, A-law, u-law, IMA and
// MS ADPCM, GSM 6.10, MPEG layer III). libsndfile reads through the chain's file seam, so a
// read failure reaches us as such instead of looking like the end of the data.

#include "file_access.h"
#include "sample_source.h"

#include <sndfile.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace convert::steps {
namespace {

constexpr uint16_t kTagMpegLayer3 = 0x55;

struct VirtualFile {
    WaveFileIo* io = nullptr;
    int fd = -1;
    int readError = 0; // errno of the first failed read
};

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
    const ssize_t got = ReadFully(*file->io, file->fd, buffer, static_cast<std::size_t>(count));
    if (got < 0) {
        if (file->readError == 0)
            file->readError = errno;
        return 0;
    }
    return got;
}

sf_count_t refuseWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t tellPosition(void* user) {
    return ::lseek(static_cast<VirtualFile*>(user)->fd, 0, SEEK_CUR);
}

SF_VIRTUAL_IO gVirtualIo = {fileLength, seekTo, readInto, refuseWrite, tellPosition};

class SndfileSource final : public SampleSource {
public:
    SndfileSource(std::unique_ptr<VirtualFile> file, SNDFILE* sound, const SF_INFO& info,
                  const RiffWaveInfo& layout)
        : file_(std::move(file))
        , sound_(sound)
        , info_(info)
        , exactLength_(layout.formatTag != kTagMpegLayer3) {
        const double bytesPerFrame = info.frames > 0 ? static_cast<double>(layout.dataSize) /
                                                           static_cast<double>(info.frames)
                                                     : static_cast<double>(layout.blockAlign);
        blockFrames_ = FramesPerSourceBlock(bytesPerFrame);
        if (info.channels > 1)
            interleaved_.resize(static_cast<std::size_t>(blockFrames_) *
                                static_cast<std::size_t>(info.channels));
    }

    ~SndfileSource() override { sf_close(sound_); }

    long ReadBlock(float* mono) override {
        const int channels = info_.channels;
        float* target = channels == 1 ? mono : interleaved_.data();
        const sf_count_t got = sf_readf_float(sound_, target, blockFrames_);
        if (file_->readError != 0) {
            error_ = "Cannot read the source: " + SystemErrorText(file_->readError);
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
        if (channels > 1)
            mixDown(got, mono);
        framesRead_ += got;
        return static_cast<long>(got);
    }

    long BlockFrames() const override { return blockFrames_; }
    uint32_t SampleRate() const override { return static_cast<uint32_t>(info_.samplerate); }
    int64_t TotalFrames() const override { return info_.frames; }

private:
    // Several channels become one by averaging.
    void mixDown(sf_count_t frames, float* mono) const {
        const int channels = info_.channels;
        const float share = 1.0f / static_cast<float>(channels);
        const float* frame = interleaved_.data();
        for (sf_count_t i = 0; i < frames; ++i, frame += channels) {
            float sum = 0;
            for (int c = 0; c < channels; ++c)
                sum += frame[c];
            mono[i] = sum * share;
        }
    }

    std::unique_ptr<VirtualFile> file_;
    SNDFILE* sound_;
    SF_INFO info_;
    bool exactLength_;
    long blockFrames_ = 0;
    sf_count_t framesRead_ = 0;
    std::vector<float> interleaved_;
};

} // namespace

std::unique_ptr<SampleSource> OpenSndfileSource(WaveFileIo& io, int fd, const RiffWaveInfo& layout,
                                                std::string& error) {
    if (::lseek(fd, 0, SEEK_SET) < 0) {
        error = "Cannot read the source: " + SystemErrorText(errno);
        return nullptr;
    }
    auto file = std::make_unique<VirtualFile>();
    file->io = &io;
    file->fd = fd;
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&gVirtualIo, SFM_READ, &info, file.get());
    if (sound == nullptr) {
        if (file->readError != 0)
            error = "Cannot read the source: " + SystemErrorText(file->readError);
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
