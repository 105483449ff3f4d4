// The default output device through PortAudio (ALSA on Linux): mono 16-bit at the sound's rate
// where the device takes it, else at the device's own rate; on two channels where the device
// has no mono. The position comes from the stream's clock: the time at which each buffer
// reaches the device's output.
#pragma once

#include "listenbox/AudioOutput.h"

#include <portaudio.h>

#include <atomic>
#include <vector>

namespace listenbox {

class PortAudioOutput final : public AudioOutput {
public:
    PortAudioOutput() = default;
    ~PortAudioOutput() override;
    PortAudioOutput(const PortAudioOutput&) = delete;
    PortAudioOutput& operator=(const PortAudioOutput&) = delete;

    uint32_t Open(uint32_t rate, std::string& error) override;
    bool Start(Fill fill, Finished finished, std::string& error) override;
    void Stop() override;
    void Close() override;
    uint64_t FramesHeard() const override;

private:
    static int pull(const void* input, void* output, unsigned long frames,
                    const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags, void* self);
    static void streamFinished(void* self);
    bool openStream(uint32_t rate, std::string& error);

    bool initialized_ = false;
    PaStream* stream_ = nullptr;
    uint32_t rate_ = 0;
    uint32_t streamRate_ = 0;
    int channels_ = 1;
    Fill fill_;
    Finished finished_;
    std::vector<int16_t> mono_; // a buffer's samples before they are copied to both channels

    // Shared with the audio system's thread.
    std::atomic<uint64_t> handed_{0};      // frames handed to the device since Start
    std::atomic<uint64_t> bufferStart_{0}; // the first frame of the latest buffer
    std::atomic<double> bufferHeardAt_{0}; // when that buffer reaches the output, stream time
    std::atomic<bool> playedOut_{false};
};

} // namespace listenbox
