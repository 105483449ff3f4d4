// Dialogic OKI ADPCM inside WAV (format tag 23), which libsndfile does not read: the data
// chunk is one stream of 4-bit codes, the earlier sample in the high nibble, decoded from a
// fresh state as the WAV plug-in decodes it, with the state carried from block to block.

#include "sample_source.h"
#include "wavefile/file_access.h"

#include "codecs/adpcm.h"

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace convert::steps {
namespace {

constexpr long kCodesPerByte = 2;
constexpr float kSampleScale = 1.0f / 32768.0f;

class OkiAdpcmSource final : public SampleSource {
public:
    OkiAdpcmSource(wavefile::WaveFileIo& io, int fd, const RiffWaveInfo& layout)
        : io_(io)
        , fd_(fd)
        , sampleRate_(layout.sampleRate)
        , totalBytes_(layout.dataSize)
        , bytesLeft_(layout.dataSize)
        , codes_(kSourceBlockBytes)
        , samples_(kSourceBlockBytes * kCodesPerByte) {}

    long ReadBlock(float* mono) override {
        const long count = ReadPcm16Block(samples_.data());
        for (long i = 0; i < count; ++i)
            mono[i] = static_cast<float>(samples_[static_cast<std::size_t>(i)]) * kSampleScale;
        return count;
    }

    bool DecodesToPcm16Mono() const override { return true; }

    long ReadPcm16Block(int16_t* mono) override {
        const std::size_t wanted = std::min<uint64_t>(bytesLeft_, codes_.size());
        if (wanted == 0)
            return 0;
        const ssize_t got = wavefile::ReadFully(io_, fd_, codes_.data(), wanted);
        if (got < 0) {
            error_ = "Cannot read the source: " + wavefile::SystemErrorText(errno);
            return -1;
        }
        if (static_cast<std::size_t>(got) < wanted) {
            error_ = "The source ended before its declared data";
            return -1;
        }
        bytesLeft_ -= wanted;
        const auto count = static_cast<uint32_t>(wanted * kCodesPerByte);
        codecs::decodeAdpcmBlock(codes_.data(), count, mono, state_);
        return static_cast<long>(count);
    }

    long BlockFrames() const override { return static_cast<long>(samples_.size()); }
    uint32_t SampleRate() const override { return sampleRate_; }
    int64_t TotalFrames() const override { return int64_t{totalBytes_} * kCodesPerByte; }

private:
    wavefile::WaveFileIo& io_;
    int fd_;
    uint32_t sampleRate_;
    uint32_t totalBytes_;
    uint64_t bytesLeft_;
    std::vector<uint8_t> codes_;
    std::vector<int16_t> samples_;
    codecs::AdpcmState state_{};
};

} // namespace

std::unique_ptr<SampleSource> OpenOkiAdpcmSource(wavefile::WaveFileIo& io, int fd,
                                                 const RiffWaveInfo& layout, std::string& error) {
    if (layout.channels != 1) {
        error = "Dialogic ADPCM sources must be mono";
        return nullptr;
    }
    if (layout.bitsPerSample != 4) {
        error = "Dialogic ADPCM sources must have 4 bits per sample";
        return nullptr;
    }
    if (::lseek(fd, static_cast<off_t>(layout.dataOffset), SEEK_SET) < 0) {
        error = "Cannot read the source: " + wavefile::SystemErrorText(errno);
        return nullptr;
    }
    return std::make_unique<OkiAdpcmSource>(io, fd, layout);
}

} // namespace convert::steps
