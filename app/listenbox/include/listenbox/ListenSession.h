// One sound file opened through the toolkit and played on the default output device: the
// player's rules, free of widgets. Runs on the interface thread, except the end-of-playback
// notice, which the toolkit gives on the audio system's thread.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "Quiesc.h"

namespace listenbox {

enum class PlayState { Closed, Stopped, Playing, Paused };

// How a VOX file is read: it carries neither its encoding nor its rate.
struct VoxReading {
    uint32_t formatCode = 23; // Dialogic ADPCM
    uint32_t sampleRate = 8000;
};

class ListenSession {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // Called on the audio system's thread when a playback has ended (played out or stopped),
    // with the number of that playback; it must only hand the number to the interface thread,
    // which passes it to PlaybackEnded.
    using EndNotice = std::function<void(uint64_t playback)>;

    explicit ListenSession(Clock clock = std::chrono::steady_clock::now);
    ~ListenSession();
    ListenSession(const ListenSession&) = delete;
    ListenSession& operator=(const ListenSession&) = delete;

    void setEndNotice(EndNotice notice) { endNotice_ = std::move(notice); }

    // Opens a WAV file, or a VOX file as `vox` says. False with the toolkit's text in `error`.
    bool Open(const std::string& nativePath, const VoxReading& vox, std::string& error);
    // From the start when stopped; resumes when paused. False with the device's text.
    bool Play(std::string& error);
    // Pauses playing playback; resumes paused playback.
    void Pause();
    // Stops and rewinds.
    void Stop();
    // The playback of that number has ended; an older playback's notice is ignored.
    void PlaybackEnded(uint64_t playback);

    PlayState state() const { return state_; }
    double PositionSeconds() const;
    double DurationSeconds() const;

private:
    static void notify(void* context, int32_t message);
    void closePlayer();

    Clock clock_;
    EndNotice endNotice_;
    SoundHeader header_{};
    int16_t* body_ = nullptr;
    SoundSelection selection_{};
    PlayState state_ = PlayState::Closed;
    bool playerOpen_ = false;
    // Written on the interface thread only while no device is open; read by the notice.
    std::atomic<uint64_t> playback_{0};
    std::chrono::steady_clock::duration playedBefore_{};
    std::chrono::steady_clock::time_point startedAt_{};
};

// "m:ss" of whole seconds.
std::string FormatSeconds(double seconds);

} // namespace listenbox
