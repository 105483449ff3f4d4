#include "listenbox/ListenSession.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <strings.h>

namespace listenbox {
namespace {

bool endsWithIgnoringCase(const std::string& text, const char* ending) {
    const std::size_t length = std::char_traits<char>::length(ending);
    return text.size() >= length && ::strcasecmp(text.c_str() + text.size() - length, ending) == 0;
}

std::string lastToolkitError() {
    char text[QC_ERROR_TEXT_SIZE];
    GetLastQcErrorText(text);
    return text;
}

} // namespace

ListenSession::ListenSession(Clock clock)
    : clock_(std::move(clock)) {}

ListenSession::~ListenSession() {
    closePlayer();
    FreeSoundBody(body_);
}

bool ListenSession::Open(const std::string& nativePath, const VoxReading& vox, std::string& error) {
    closePlayer();
    FreeSoundBody(body_);
    body_ = nullptr;
    state_ = PlayState::Closed;
    const bool isVox = endsWithIgnoringCase(nativePath, ".vox");
    SoundHeader header{};
    int16_t* body = nullptr;
    if (OpenSoundFileEx(nativePath.c_str(), &header, &body, isVox ? vox.formatCode : 0,
                        isVox ? vox.sampleRate : 0) != QC_OK) {
        error = lastToolkitError();
        if (error.empty())
            error = "The file cannot be opened.";
        return false;
    }
    header_ = header;
    body_ = body;
    GetWholeSoundSelection(&header_, &selection_);
    state_ = PlayState::Stopped;
    playedBefore_ = {};
    return true;
}

bool ListenSession::Play(std::string& error) {
    if (state_ == PlayState::Paused) {
        Pause();
        return true;
    }
    if (state_ != PlayState::Stopped)
        return state_ == PlayState::Playing;
    closePlayer();
    ++playback_;
    const QcPlaybackNotifier notifier{&ListenSession::notify, this};
    if (PlayMemorySound(&notifier, &header_, &body_, &selection_) != QC_OK) {
        error = lastToolkitError();
        closePlayer();
        return false;
    }
    playerOpen_ = true;
    state_ = PlayState::Playing;
    playedBefore_ = {};
    startedAt_ = clock_();
    return true;
}

void ListenSession::Pause() {
    if (state_ == PlayState::Playing) {
        PauseMemorySound();
        playedBefore_ += clock_() - startedAt_;
        state_ = PlayState::Paused;
    } else if (state_ == PlayState::Paused) {
        PauseMemorySound();
        startedAt_ = clock_();
        state_ = PlayState::Playing;
    }
}

void ListenSession::Stop() {
    if (state_ != PlayState::Playing && state_ != PlayState::Paused)
        return;
    closePlayer();
    state_ = PlayState::Stopped;
    playedBefore_ = {};
}

void ListenSession::PlaybackEnded(uint64_t playback) {
    if (playback != playback_ || state_ != PlayState::Playing)
        return;
    closePlayer();
    state_ = PlayState::Stopped;
    playedBefore_ = {};
}

double ListenSession::PositionSeconds() const {
    auto played = playedBefore_;
    if (state_ == PlayState::Playing)
        played += clock_() - startedAt_;
    const double seconds = std::chrono::duration<double>(played).count();
    return std::clamp(seconds, 0.0, DurationSeconds());
}

double ListenSession::DurationSeconds() const {
    if (state_ == PlayState::Closed || header_.sampleRate == 0)
        return 0;
    return static_cast<double>(header_.sampleCount) / header_.sampleRate;
}

// The audio system's thread: hands on the number of the playback that is ending.
void ListenSession::notify(void* context, int32_t message) {
    auto* session = static_cast<ListenSession*>(context);
    if (message == QC_PLAYBACK_DONE && session->endNotice_)
        session->endNotice_(session->playback_);
}

// Closing the device ends its thread, so no notice of this playback comes after it.
void ListenSession::closePlayer() {
    if (!playerOpen_)
        return;
    StopMemorySound();
    CloseMemorySound();
    playerOpen_ = false;
}

std::string FormatSeconds(double seconds) {
    const auto whole = static_cast<long>(std::floor(std::max(seconds, 0.0)));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

} // namespace listenbox
