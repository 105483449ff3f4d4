#include "playback/wave_output_device.h"

#include "common/message_sink.h"
#include "playback/audio_diagnostics.h"
#include "textpack/string_ids.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace playback {
namespace {

constexpr uint16_t pcmFormatTag = 1;

PaSampleFormat sampleFormatOf(const WaveFormat& format) {
    if (format.formatTag != pcmFormatTag) {
        return 0;
    }
    return format.bitsPerSample == 16 ? paInt16 : format.bitsPerSample == 8 ? paUInt8 : 0;
}

} // namespace

WaveOutputDevice::WaveOutputDevice(const QcPlaybackNotifier* notifier) {
    if (notifier != nullptr) {
        notifier_ = *notifier;
    }
}

WaveOutputDevice::~WaveOutputDevice() {
    close();
}

void WaveOutputDevice::notify(int32_t message) const {
    if (notifier_.callback != nullptr) {
        notifier_.callback(notifier_.context, message);
    }
}

void WaveOutputDevice::notifyDoneOnce() {
    if (!doneNotified_.exchange(true)) {
        notify(QC_PLAYBACK_DONE);
    }
}

DeviceResult WaveOutputDevice::open() {
    const WaveFormat format = waveFormat();
    paused_ = false;
    quietAudioSystemDiagnostics();
    lastResult_ = Pa_Initialize();
    if (lastResult_ != paNoError) {
        return lastResult_;
    }
    audioSystemStarted_ = true;
    const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    const PaSampleFormat sampleFormat = sampleFormatOf(format);
    if (device == paNoDevice) {
        return lastResult_ = paDeviceUnavailable;
    }
    if (sampleFormat == 0) {
        return lastResult_ = paSampleFormatNotSupported;
    }
    PaStreamParameters output{};
    output.device = device;
    output.channelCount = format.channels;
    output.sampleFormat = sampleFormat;
    output.suggestedLatency = Pa_GetDeviceInfo(device)->defaultHighOutputLatency;
    lastResult_ = Pa_OpenStream(&stream_, nullptr, &output, format.samplesPerSecond,
                                paFramesPerBufferUnspecified, paNoFlag, &fill, this);
    if (lastResult_ != paNoError) {
        stream_ = nullptr;
        return lastResult_;
    }
    Pa_SetStreamFinishedCallback(stream_, &finished);
    notify(QC_PLAYBACK_OPEN);
    return lastResult_;
}

DeviceResult WaveOutputDevice::write(const int16_t* samples, uint32_t bytes) {
    samples_ = samples;
    sampleCount_ = bytes / 2;
    position_ = 0;
    stopping_ = false;
    doneNotified_ = false;
    return lastResult_ = Pa_StartStream(stream_);
}

// Stopping (rather than aborting) lets what was already handed to the device play out, so the
// position stays exact and resuming continues with the next sample.
void WaveOutputDevice::pause() {
    if (stream_ != nullptr) {
        if (paused_) {
            Pa_StartStream(stream_);
        } else {
            Pa_StopStream(stream_);
        }
    }
    paused_ = !paused_;
}

void WaveOutputDevice::reset() {
    if (stream_ == nullptr) {
        return;
    }
    stopping_ = true;
    Pa_AbortStream(stream_);
    position_ = sampleCount_;
    notifyDoneOnce();
}

void WaveOutputDevice::close() {
    if (stream_ != nullptr) {
        if (Pa_IsStreamStopped(stream_) == 0) {
            reset();
        }
        Pa_CloseStream(stream_);
        stream_ = nullptr;
        notify(QC_PLAYBACK_CLOSE);
    }
    if (audioSystemStarted_) {
        Pa_Terminate();
        audioSystemStarted_ = false;
    }
}

int WaveOutputDevice::fill(const void*, void* output, unsigned long frames,
                           const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void* device) {
    auto* self = static_cast<WaveOutputDevice*>(device);
    auto* out = static_cast<int16_t*>(output);
    const uint32_t position = self->position_.load();
    const uint32_t count =
        static_cast<uint32_t>(std::min<unsigned long>(frames, self->sampleCount_ - position));
    std::memcpy(out, self->samples_ + position, static_cast<std::size_t>(count) * 2);
    std::memset(out + count, 0, (frames - count) * 2);
    self->position_ = position + count;
    return position + count >= self->sampleCount_ ? paComplete : paContinue;
}

// Runs whenever the stream stops; only the end of the buffer or a reset is "done", not a pause.
void WaveOutputDevice::finished(void* device) {
    auto* self = static_cast<WaveOutputDevice*>(device);
    if (self->stopping_ || self->position_ >= self->sampleCount_) {
        self->notifyDoneOnce();
    }
}

void deviceText(DeviceResult result, char* text, unsigned size) {
    const char* source = nullptr;
    if (result == paInvalidDevice) {
        source = common::loadText(TEXT_ID_NO_DEVICE);
    } else if (result == paUnanticipatedHostError && Pa_GetLastHostErrorInfo() != nullptr &&
               Pa_GetLastHostErrorInfo()->errorText != nullptr &&
               *Pa_GetLastHostErrorInfo()->errorText != '\0') {
        source = Pa_GetLastHostErrorInfo()->errorText;
    } else {
        source = Pa_GetErrorText(result);
        // The audio system's answer for a code it does not know.
        if (source == nullptr || std::strcmp(source, "Invalid error code") == 0) {
            source = common::loadText(TEXT_ID_UNKNOWN_DEVICE_ERROR);
        }
    }
    std::snprintf(text, size, "%s", source);
}

} // namespace playback
