#include "convert/wave_conversion.h"

#include "conversion_percent.h"

#include "platform/paths.h"
#include "wavefile/pcm16_wave_writer.h"
#include "wavefile/rate_converter.h"
#include "wavefile/sample_quantizer.h"
#include "wavefile/sound_source.h"

#include <future>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace convert {
namespace {

constexpr uint16_t kTagPcm = 1;

bool isPcm16Mono(const WaveFormat& target) {
    return target.formatTag == kTagPcm && target.channels == 1 && target.bitsPerSample == 16 &&
           target.samplesPerSec > 0;
}

// Removes a regular file or link at the destination; a folder there is left alone.
void removeDestination(const std::string& nativeDestination) {
    struct stat status {};
    if (::lstat(nativeDestination.c_str(), &status) == 0 && !S_ISDIR(status.st_mode))
        ::unlink(nativeDestination.c_str());
}

// The streaming loop of the worker thread: decode a block, resample it, write it, report the
// progress when its percentage has changed.
class BlockPump {
public:
    BlockPump(wavefile::SoundSource& source, wavefile::RateConverter& rate,
              wavefile::Pcm16WaveWriter& writer, std::function<void(int)> showProgress)
        : source_(source)
        , rate_(rate)
        , writer_(writer)
        , showProgress_(std::move(showProgress))
        , mono_(static_cast<std::size_t>(source.BlockFrames())) {}

    // A source whose decoder gives 16-bit mono at the target rate passes through as decoded;
    // any other is mixed, resampled and rounded.
    bool Run(bool passThrough) {
        int64_t position = 0;
        int shown = -1;
        for (;;) {
            const long got = passThrough ? passBlock() : convertBlock();
            if (got < 0)
                return false;
            if (got == 0)
                break;
            position += got;
            const int percent = steps::ConversionPercent(position, source_.TotalFrames());
            if (percent != shown) {
                shown = percent;
                showProgress_(percent);
            }
        }
        if (position == 0)
            return fail("The source holds no audio");
        if (!rate_.Flush(resampled_))
            return fail(rate_.Error());
        return writeResampled();
    }

    const std::string& Error() const { return error_; }

private:
    long passBlock() {
        pcm_.resize(mono_.size());
        const long got = source_.ReadPcm16Block(pcm_.data());
        if (got < 0)
            return failBlock(source_.Error());
        if (got > 0 && !writer_.Append(pcm_.data(), static_cast<std::size_t>(got)))
            return failBlock(writer_.Error());
        return got;
    }

    long convertBlock() {
        const long got = source_.ReadBlock(mono_.data());
        if (got < 0)
            return failBlock(source_.Error());
        if (got == 0)
            return 0;
        if (!rate_.Process(mono_.data(), got, resampled_))
            return failBlock(rate_.Error());
        return writeResampled() ? got : -1;
    }

    bool writeResampled() {
        pcm_.resize(resampled_.size());
        wavefile::QuantizeToPcm16(resampled_.data(), resampled_.size(), pcm_.data());
        if (pcm_.empty() || writer_.Append(pcm_.data(), pcm_.size()))
            return true;
        return fail(writer_.Error());
    }

    bool fail(const std::string& text) {
        error_ = text;
        return false;
    }

    long failBlock(const std::string& text) {
        error_ = text;
        return -1;
    }

    wavefile::SoundSource& source_;
    wavefile::RateConverter& rate_;
    wavefile::Pcm16WaveWriter& writer_;
    std::function<void(int)> showProgress_;
    std::vector<float> mono_;
    std::vector<float> resampled_;
    std::vector<int16_t> pcm_;
    std::string error_;
};

} // namespace

WaveConverter::WaveConverter(EventLoop& loop, ProgressView& progress, wavefile::WaveFileIo& io)
    : loop_(loop)
    , progress_(progress)
    , io_(io) {}

WaveConverter::~WaveConverter() = default;

bool WaveConverter::ConvertWaveFile(const std::string& source, const std::string& destination,
                                    const WaveFormat& target, wavefile::Publication publication) {
    lastError_.clear();
    lastNotice_.clear();
    const std::string nativeDestination = platform::resolvePath(destination);
    if (convert(platform::resolvePath(source), nativeDestination, target, publication))
        return true;
    removeDestination(nativeDestination);
    return false;
}

bool WaveConverter::convert(const std::string& nativeSource, const std::string& nativeDestination,
                            const WaveFormat& target, wavefile::Publication publication) {
    if (!isPcm16Mono(target)) {
        lastError_ = "The target format must be 16-bit mono PCM";
        return false;
    }
    const auto source =
        wavefile::OpenSoundFile(nativeSource, wavefile::RecordingKind::Wave, lastError_, io_);
    if (!source)
        return false;
    wavefile::RateConverter rate(source->SampleRate(), target.samplesPerSec);
    if (!rate.ok()) {
        lastError_ = rate.Error();
        return false;
    }
    wavefile::Pcm16WaveWriter writer(nativeDestination, target.samplesPerSec, io_, publication);
    if (!writer.Open()) {
        lastError_ = writer.Error();
        return false;
    }
    BlockPump pump(*source, rate, writer, [this](int percent) { showProgress(percent); });
    const bool passThrough =
        source->DecodesToPcm16Mono() && source->SampleRate() == target.samplesPerSec;
    if (!AwaitInBackground(loop_, [&pump, passThrough] { return pump.Run(passThrough); })) {
        lastError_ = pump.Error();
        return false;
    }
    if (!writer.Commit()) {
        lastError_ = writer.Error();
        return false;
    }
    if (source->ShorterThanHeader())
        lastNotice_ = kShortSourceNotice;
    return true;
}

// Runs on the worker thread: the gauge is set on the interface thread, and the worker waits
// until it has been, so that updates never overlap or pile up.
void WaveConverter::showProgress(int percent) {
    std::promise<void> shown;
    std::future<void> done = shown.get_future();
    loop_.Post([this, percent, &shown] {
        progress_.SetGauge(percent);
        shown.set_value();
    });
    done.wait();
}

} // namespace convert
