#include "listenbox/ListenSession.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace listenbox {

ListenSession::ListenSession(std::unique_ptr<AudioOutput> output)
    : output_(std::move(output)) {}

// Closing the output ends its thread, so no pull or notice comes after it.
ListenSession::~ListenSession() {
    output_->Close();
}

bool ListenSession::Open(const std::string& nativePath, const VoxReading& vox, std::string& error) {
    output_->Stop();
    state_ = PlayState::Closed;
    resampled_ = {};
    restingSeconds_ = 0;
    if (!LoadSound(nativePath, vox, sound_, error))
        return false;
    state_ = PlayState::Stopped;
    return true;
}

bool ListenSession::Play(std::string& error) {
    if (state_ == PlayState::Paused || state_ == PlayState::Stopped)
        return start(error);
    return state_ == PlayState::Playing;
}

// The output plays the file's rate where it can; otherwise the sound is resampled once for it.
bool ListenSession::prepareOutput(std::string& error) {
    const uint32_t rate = output_->Open(sound_.sampleRate, error);
    if (rate == 0)
        return false;
    if (rate == sound_.sampleRate)
        resampled_ = {};
    else if (resampled_.sampleRate != rate)
        resampled_ = Resampled(sound_, rate);
    return true;
}

bool ListenSession::start(std::string& error) {
    if (!prepareOutput(error))
        return false;
    if (restingSeconds_ >= sound_.Seconds())
        restingSeconds_ = 0;
    startFrame_ = frameAt(restingSeconds_);
    cursor_ = static_cast<std::size_t>(startFrame_);
    const uint64_t playback = ++playback_;
    const auto played = [this, playback] {
        if (endNotice_)
            endNotice_(playback);
    };
    if (!output_->Start([this](int16_t* out, std::size_t frames) { return fill(out, frames); },
                        played, error))
        return false;
    state_ = PlayState::Playing;
    return true;
}

void ListenSession::Pause() {
    if (state_ == PlayState::Playing) {
        restingSeconds_ = PositionSeconds();
        output_->Stop();
        state_ = PlayState::Paused;
    } else if (state_ == PlayState::Paused) {
        std::string ignored;
        start(ignored);
    }
}

void ListenSession::Stop() {
    if (state_ != PlayState::Playing && state_ != PlayState::Paused)
        return;
    output_->Stop();
    state_ = PlayState::Stopped;
    restingSeconds_ = 0;
}

void ListenSession::Seek(double seconds) {
    if (state_ == PlayState::Closed)
        return;
    const bool playing = state_ == PlayState::Playing;
    if (playing)
        output_->Stop();
    restingSeconds_ = std::clamp(seconds, 0.0, sound_.Seconds());
    std::string ignored;
    if (playing && !start(ignored))
        state_ = PlayState::Paused;
}

void ListenSession::PlaybackEnded(uint64_t playback) {
    if (playback != playback_ || state_ != PlayState::Playing)
        return;
    output_->Stop();
    state_ = PlayState::Stopped;
    restingSeconds_ = 0;
}

double ListenSession::PositionSeconds() const {
    if (state_ != PlayState::Playing)
        return restingSeconds_;
    const LoadedSound& sound = playing();
    const uint64_t frame =
        std::min<uint64_t>(startFrame_ + output_->FramesHeard(), sound.samples.size());
    return static_cast<double>(frame) / sound.sampleRate;
}

uint64_t ListenSession::frameAt(double seconds) const {
    const LoadedSound& sound = playing();
    const auto frame = static_cast<uint64_t>(std::llround(seconds * sound.sampleRate));
    return std::min<uint64_t>(frame, sound.samples.size());
}

// The output's thread: hands out the next samples; fewer than asked at the end.
std::size_t ListenSession::fill(int16_t* out, std::size_t frames) {
    const std::vector<int16_t>& samples = playing().samples;
    const std::size_t at = std::min<std::size_t>(cursor_, samples.size());
    const std::size_t count = std::min(frames, samples.size() - at);
    std::memcpy(out, samples.data() + at, count * sizeof(int16_t));
    cursor_ = at + count;
    return count;
}

std::string FormatSeconds(double seconds) {
    const auto whole = static_cast<long>(std::floor(std::max(seconds, 0.0)));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

} // namespace listenbox
