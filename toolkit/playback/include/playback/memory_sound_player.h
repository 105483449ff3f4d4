// The player of a sound held in memory: a wave output device whose format is the sound's.
#pragma once

#include "Quiesc.h"
#include "playback/wave_output_device.h"

namespace playback {

class MemorySoundPlayer : public WaveOutputDevice {
public:
    // Keeps the pointers, not copies: the records must stay in place until the player is gone.
    MemorySoundPlayer(const QcPlaybackNotifier* notifier, const SoundHeader* header,
                      const int16_t* samples, const SoundSelection* selection)
        : WaveOutputDevice(notifier)
        , header_(header)
        , samples_(samples)
        , selection_(selection) {}

    const SoundHeader* header() const { return header_; }
    const int16_t* samples() const { return samples_; }
    const SoundSelection* selection() const { return selection_; }

protected:
    // Always 16-bit mono linear PCM at the sound's rate, whatever its file encoding.
    WaveFormat waveFormat() const override;

private:
    const SoundHeader* header_;
    const int16_t* samples_;
    const SoundSelection* selection_;
};

} // namespace playback
