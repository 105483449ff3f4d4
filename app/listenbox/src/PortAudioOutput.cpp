#include "listenbox/PortAudioOutput.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace listenbox {
namespace {

// A fixed buffer size lets the two-channel copy use a buffer made before the stream starts.
constexpr unsigned long kFramesPerBuffer = 1024;

std::string deviceText(PaError error) {
    const PaHostErrorInfo* host = Pa_GetLastHostErrorInfo();
    if (error == paUnanticipatedHostError && host != nullptr && host->errorText != nullptr &&
        *host->errorText != '\0')
        return host->errorText;
    return Pa_GetErrorText(error);
}

// The same sample on every channel of a device without mono; frames beyond `count` are silent.
void copyToChannels(const int16_t* mono, std::size_t count, std::size_t frames, int channels,
                    int16_t* out) {
    const auto width = static_cast<std::size_t>(channels);
    for (std::size_t i = 0; i < frames; ++i)
        std::fill_n(out + i * width, width, i < count ? mono[i] : int16_t{0});
}

} // namespace

PortAudioOutput::~PortAudioOutput() {
    Close();
}

uint32_t PortAudioOutput::Open(uint32_t rate, std::string& error) {
    if (stream_ != nullptr && rate == rate_)
        return streamRate_;
    Close();
    if (const PaError started = Pa_Initialize(); started != paNoError) {
        error = "the sound system cannot be started (" + deviceText(started) + ")";
        return 0;
    }
    initialized_ = true;
    if (!openStream(rate, error)) {
        Close();
        return 0;
    }
    rate_ = rate;
    return streamRate_;
}

// Mono at the sound's rate where the device takes it; else its own rate, and two channels where
// it has no mono.
bool PortAudioOutput::openStream(uint32_t rate, std::string& error) {
    const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    const PaDeviceInfo* info = device == paNoDevice ? nullptr : Pa_GetDeviceInfo(device);
    if (info == nullptr) {
        error = "there is no sound output device";
        return false;
    }
    PaStreamParameters output{};
    output.device = device;
    output.sampleFormat = paInt16;
    output.suggestedLatency = info->defaultHighOutputLatency;
    const double deviceRate = info->defaultSampleRate;
    PaError failure = paInvalidDevice;
    for (const int channels : {1, 2}) {
        for (const double tried : {static_cast<double>(rate), deviceRate}) {
            output.channelCount = channels;
            if (channels > info->maxOutputChannels ||
                Pa_IsFormatSupported(nullptr, &output, tried) != paFormatIsSupported)
                continue;
            failure = Pa_OpenStream(&stream_, nullptr, &output, tried, kFramesPerBuffer, paNoFlag,
                                    &PortAudioOutput::pull, this);
            if (failure == paNoError) {
                channels_ = channels;
                streamRate_ = static_cast<uint32_t>(std::lround(tried));
                mono_.resize(kFramesPerBuffer);
                Pa_SetStreamFinishedCallback(stream_, &PortAudioOutput::streamFinished);
                return true;
            }
            stream_ = nullptr;
        }
    }
    error = "the sound device cannot be opened (" + deviceText(failure) + ")";
    return false;
}

bool PortAudioOutput::Start(Fill fill, Finished finished, std::string& error) {
    if (stream_ == nullptr) {
        error = "the sound device is not open";
        return false;
    }
    if (Pa_IsStreamStopped(stream_) == 0)
        Pa_AbortStream(stream_);
    fill_ = std::move(fill);
    finished_ = std::move(finished);
    handed_ = 0;
    bufferStart_ = 0;
    bufferHeardAt_ = 0;
    playedOut_ = false;
    if (const PaError started = Pa_StartStream(stream_); started != paNoError) {
        error = "the sound device cannot be started (" + deviceText(started) + ")";
        return false;
    }
    return true;
}

void PortAudioOutput::Stop() {
    if (stream_ != nullptr && Pa_IsStreamStopped(stream_) == 0)
        Pa_AbortStream(stream_);
}

void PortAudioOutput::Close() {
    if (stream_ != nullptr) {
        Stop();
        Pa_CloseStream(stream_);
        stream_ = nullptr;
    }
    if (initialized_) {
        Pa_Terminate();
        initialized_ = false;
    }
    rate_ = streamRate_ = 0;
}

uint64_t PortAudioOutput::FramesHeard() const {
    const uint64_t handed = handed_;
    if (stream_ == nullptr || handed == 0)
        return 0;
    const double heardAt = bufferHeardAt_;
    if (heardAt <= 0) { // a host without timestamps: what was handed, less the latency
        const PaStreamInfo* info = Pa_GetStreamInfo(stream_);
        const auto pending = static_cast<uint64_t>(info ? info->outputLatency * streamRate_ : 0);
        return handed > pending ? handed - pending : 0;
    }
    const double since = Pa_GetStreamTime(stream_) - heardAt;
    const double heard = static_cast<double>(bufferStart_.load()) + since * streamRate_;
    return static_cast<uint64_t>(std::clamp(heard, 0.0, static_cast<double>(handed)));
}

int PortAudioOutput::pull(const void*, void* output, unsigned long frames,
                          const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags, void* self) {
    auto& device = *static_cast<PortAudioOutput*>(self);
    auto* out = static_cast<int16_t*>(output);
    const std::size_t wanted = std::min<std::size_t>(frames, kFramesPerBuffer);
    const bool mono = device.channels_ == 1;
    int16_t* samples = mono ? out : device.mono_.data();
    const std::size_t got = device.fill_ ? device.fill_(samples, wanted) : 0;
    std::fill(samples + got, samples + (mono ? frames : wanted), int16_t{0});
    if (!mono)
        copyToChannels(device.mono_.data(), wanted, frames, device.channels_, out);
    device.bufferStart_ = device.handed_.load();
    device.bufferHeardAt_ = time != nullptr ? time->outputBufferDacTime : 0.0;
    device.handed_ += got;
    if (got < frames) {
        device.playedOut_ = true;
        return paComplete;
    }
    return paContinue;
}

// Runs whenever the stream stops; only a stream that played out its last sample is finished.
void PortAudioOutput::streamFinished(void* self) {
    auto& device = *static_cast<PortAudioOutput*>(self);
    if (device.playedOut_ && device.finished_)
        device.finished_();
}

} // namespace listenbox
