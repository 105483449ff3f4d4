#include "playback/memory_sound_player.h"

namespace playback {

WaveFormat MemorySoundPlayer::waveFormat() const {
    constexpr uint16_t pcm = 1;
    const uint32_t rate = header_->sampleRate;
    return WaveFormat{pcm, 1, rate, 2 * rate, 2, 16, 0};
}

} // namespace playback
