// A wave output device that plays one buffer on the default output device, with pause, reset
// and close, and notifications of open, done and close. The format to open with comes from the
// kind of device (the one virtual operation).
#pragma once

#include "Quiesc.h"

#include <portaudio.h>

#include <atomic>
#include <cstdint>

namespace playback {

// The wave format record: linear PCM is format tag 1.
struct WaveFormat {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSecond;
    uint32_t bytesPerSecond;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    uint16_t extraSize;
};

// Device results are the audio system's error codes: 0 for success.
using DeviceResult = PaError;

class WaveOutputDevice {
public:
    explicit WaveOutputDevice(const QcPlaybackNotifier* notifier);
    virtual ~WaveOutputDevice();
    WaveOutputDevice(const WaveOutputDevice&) = delete;
    WaveOutputDevice& operator=(const WaveOutputDevice&) = delete;

    // Opens the default output device with waveFormat() and clears the paused flag. OPEN is
    // notified on success.
    DeviceResult open();
    // Queues the one buffer (bytes / 2 samples, read in place until close) and starts playing.
    DeviceResult write(const int16_t* samples, uint32_t bytes);
    // Pauses, or resumes when paused; the flag flips whatever the device answered.
    void pause();
    // Stops at once and hands the buffer back as done; the device stays open.
    void reset();
    // Stops playing (nothing may keep reading the buffer), closes the device (CLOSE notified)
    // and releases the audio system.
    void close();

    DeviceResult lastResult() const { return lastResult_; }
    bool paused() const { return paused_; }

protected:
    virtual WaveFormat waveFormat() const = 0;

private:
    static int fill(const void* input, void* output, unsigned long frames,
                    const PaStreamCallbackTimeInfo* timeInfo, PaStreamCallbackFlags flags,
                    void* device);
    static void finished(void* device);
    void notify(int32_t message) const;
    void notifyDoneOnce();

    QcPlaybackNotifier notifier_{};
    PaStream* stream_ = nullptr;
    bool audioSystemStarted_ = false;
    bool paused_ = false;
    DeviceResult lastResult_ = 0;

    // Shared with the audio system's thread.
    const int16_t* samples_ = nullptr;
    uint32_t sampleCount_ = 0;
    std::atomic<uint32_t> position_{0};
    std::atomic<bool> stopping_{false};
    std::atomic<bool> doneNotified_{false};
};

// The device text of a failed result: string 400 for a device that does not exist, else the
// audio system's own text, else string 401; at most 256 characters.
void deviceText(DeviceResult result, char* text, unsigned size);

} // namespace playback
