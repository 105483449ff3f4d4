// One sound file decoded into memory and played on an output: the player's rules, free of
// widgets. Runs on the interface thread, except the output's pulls and its end-of-playback
// notice, which come on the output's thread.
#pragma once

#include "listenbox/AudioOutput.h"
#include "listenbox/LoadedSound.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace listenbox {

enum class PlayState { Closed, Stopped, Playing, Paused };

class ListenSession {
public:
    // Called on the output's thread when a playback has played out, with the number of that
    // playback; it must only hand the number to the interface thread, which passes it to
    // PlaybackEnded.
    using EndNotice = std::function<void(uint64_t playback)>;

    explicit ListenSession(std::unique_ptr<AudioOutput> output);
    ~ListenSession();
    ListenSession(const ListenSession&) = delete;
    ListenSession& operator=(const ListenSession&) = delete;

    void setEndNotice(EndNotice notice) { endNotice_ = std::move(notice); }

    // Decodes a wave file or DSS dictation, or a VOX file as `vox` says. False with the
    // reason in `error`; the session is then closed.
    bool Open(const std::string& nativePath, const VoxReading& vox, std::string& error);
    // Plays from the position (from the start after the end). False with the device's reason.
    bool Play(std::string& error);
    // Pauses playing playback; resumes paused playback.
    void Pause();
    // Stops and rewinds.
    void Stop();
    // Moves the position, also while playing; limited to the sound.
    void Seek(double seconds);
    // The playback of that number has played out; an older playback's notice is ignored.
    void PlaybackEnded(uint64_t playback);

    PlayState state() const { return state_; }
    // While playing: what the output has played, by the stream's own clock.
    double PositionSeconds() const;
    double DurationSeconds() const { return state_ == PlayState::Closed ? 0 : sound_.Seconds(); }

private:
    bool start(std::string& error);
    bool prepareOutput(std::string& error);
    std::size_t fill(int16_t* out, std::size_t frames);
    uint64_t frameAt(double seconds) const;

    std::unique_ptr<AudioOutput> output_;
    EndNotice endNotice_;
    // The sound the output plays: the file's, or its copy at the output's rate.
    const LoadedSound& playing() const { return resampled_.sampleRate != 0 ? resampled_ : sound_; }

    LoadedSound sound_;     // at the file's rate
    LoadedSound resampled_; // at the output's rate where it cannot play the file's; else empty
    PlayState state_ = PlayState::Closed;
    double restingSeconds_ = 0; // the position while not playing
    uint64_t startFrame_ = 0;   // the frame of playing() at the output's start
    // Shared with the output's thread; written on the interface thread only while stopped.
    std::atomic<std::size_t> cursor_{0};
    std::atomic<uint64_t> playback_{0};
};

// "m:ss" of whole seconds.
std::string FormatSeconds(double seconds);

} // namespace listenbox
