#include "Quiesc.h"
#include "audio_test/audio_sandbox.h"
#include "textpack/Textpack.h"

#include "platform_test/wait_for.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Collects notifications; DONE arrives on the audio system's thread.
class Notifications {
public:
    QcPlaybackNotifier notifier() { return QcPlaybackNotifier{&Notifications::receive, this}; }

    bool waitFor(int32_t message, std::chrono::seconds limit = 20s) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return countLocked(message) > 0; });
    }
    int count(int32_t message) {
        std::lock_guard lock(mutex_);
        return countLocked(message);
    }
    std::vector<int32_t> all() {
        std::lock_guard lock(mutex_);
        return messages_;
    }

private:
    static void receive(void* context, int32_t message) {
        auto* self = static_cast<Notifications*>(context);
        std::lock_guard lock(self->mutex_);
        self->messages_.push_back(message);
        self->changed_.notify_all();
    }
    int countLocked(int32_t message) const {
        int n = 0;
        for (int32_t m : messages_) {
            n += m == message;
        }
        return n;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int32_t> messages_;
};

// A sound without zero samples, so that the device's own zero padding can be told apart.
struct Sound {
    SoundHeader header{1, 8000, 0, 16};
    int16_t* body = nullptr;
    explicit Sound(uint32_t count, uint32_t rate = 8000) {
        header.sampleRate = rate;
        header.sampleCount = count;
        AllocateSoundBody(&body, count);
        for (uint32_t i = 0; i < count; ++i) {
            body[i] = static_cast<int16_t>(1 + (i * 7919u) % 30000u) * (i % 2 ? 1 : -1);
        }
    }
    ~Sound() { FreeSoundBody(body); }
    std::vector<int16_t> slice(uint32_t from, uint32_t to) const {
        return {body + from, body + to};
    }
};

std::string lastError() {
    char buffer[QC_ERROR_TEXT_SIZE];
    return GetLastQcErrorText(buffer);
}

std::string text(unsigned id) {
    char buffer[512];
    TextpackLoadString(id, buffer, sizeof buffer);
    return buffer;
}

std::string playbackMessage(const std::string& deviceText) {
    char message[1024];
    std::snprintf(message, sizeof message, text(402).c_str(), deviceText.c_str());
    return std::string(message) + ".";
}

// A pause returns once the device has handed its buffers on: when the reader has drained the
// pipe, it has everything the device wrote before the pause.
void waitUntilDrained(const AudioSandbox& sandbox) {
    ASSERT_TRUE(sandbox.waitUntilDrained(30s)) << "the pipe was never drained";
}

TEST(Playback, TheSelectedSamplesReachTheDevice) {
    AudioSandbox sandbox;
    sandbox.routeToFile();
    Sound sound(20000);
    const SoundSelection selection{0.125, 1.875}; // samples 1000 to 14999
    Notifications notes;
    const QcPlaybackNotifier notifier = notes.notifier();
    ASSERT_EQ(PlayMemorySound(&notifier, &sound.header, &sound.body, &selection), QC_OK)
        << lastError();
    ASSERT_TRUE(notes.waitFor(QC_PLAYBACK_DONE));
    CloseMemorySound();
    EXPECT_EQ(notes.all(),
              (std::vector<int32_t>{QC_PLAYBACK_OPEN, QC_PLAYBACK_DONE, QC_PLAYBACK_CLOSE}));
    EXPECT_EQ(withoutZeros(sandbox.samplesWritten()), sound.slice(1000, 15000));
}

TEST(Playback, ASelectionOfOneSamplePlaysTwoBytes) {
    AudioSandbox sandbox;
    sandbox.routeToFile();
    Sound sound(100);
    const SoundSelection selection{0.001, 0.00115}; // sample 8 only
    Notifications notes;
    const QcPlaybackNotifier notifier = notes.notifier();
    ASSERT_EQ(PlayMemorySound(&notifier, &sound.header, &sound.body, &selection), QC_OK);
    ASSERT_TRUE(notes.waitFor(QC_PLAYBACK_DONE));
    CloseMemorySound();
    EXPECT_EQ(withoutZeros(sandbox.samplesWritten()), sound.slice(8, 9));
}

TEST(Playback, WithoutNotifierPlaysToo) {
    AudioSandbox sandbox;
    sandbox.routeToFile();
    Sound sound(400);
    const SoundSelection selection{0.0, 0.05};
    ASSERT_EQ(PlayMemorySound(nullptr, &sound.header, &sound.body, &selection), QC_OK);
    CloseMemorySound();
}

TEST(Playback, ASecondPlayBeforeCloseGivesSevenAndKeepsTheErrorText) {
    AudioSandbox sandbox;
    sandbox.routeToFile();
    Sound sound(800);
    const SoundSelection invalid{-1.0, 0.05};
    ASSERT_EQ(PlayMemorySound(nullptr, &sound.header, &sound.body, &invalid), QC_SELECTION_INVALID);
    const std::string before = lastError();
    EXPECT_EQ(before, text(200) + ".");
    const SoundSelection selection{0.0, 0.1};
    ASSERT_EQ(PlayMemorySound(nullptr, &sound.header, &sound.body, &selection), QC_OK);
    EXPECT_EQ(PlayMemorySound(nullptr, &sound.header, &sound.body, &selection), QC_PLAYBACK_FAILED);
    EXPECT_EQ(lastError(), before);
    StopMemorySound();
    EXPECT_EQ(PlayMemorySound(nullptr, &sound.header, &sound.body, &selection), QC_PLAYBACK_FAILED)
        << "the stopped device is still open";
    CloseMemorySound();
    EXPECT_EQ(PlayMemorySound(nullptr, &sound.header, &sound.body, &selection), QC_OK);
    CloseMemorySound();
    EXPECT_EQ(lastError(), before);
}

TEST(Playback, WithoutAPlayerPauseStopAndCloseDoNothing) {
    AudioSandbox sandbox;
    sandbox.routeToFile();
    const std::string before = lastError();
    PauseMemorySound();
    StopMemorySound();
    CloseMemorySound();
    PauseMemorySound();
    EXPECT_EQ(lastError(), before);
    // No player was left behind, paused or otherwise: the next sound plays from start to end.
    Sound sound(800);
    const SoundSelection selection{0.0, 0.1};
    Notifications notes;
    const QcPlaybackNotifier notifier = notes.notifier();
    ASSERT_EQ(PlayMemorySound(&notifier, &sound.header, &sound.body, &selection), QC_OK);
    ASSERT_TRUE(notes.waitFor(QC_PLAYBACK_DONE, 60s));
    CloseMemorySound();
    EXPECT_EQ(notes.all(),
              (std::vector<int32_t>{QC_PLAYBACK_OPEN, QC_PLAYBACK_DONE, QC_PLAYBACK_CLOSE}));
}

TEST(Playback, NoDeviceGivesSevenWithTheDeviceText) {
    AudioSandbox sandbox;
    sandbox.routeToNothing();
    Sound sound(800);
    const SoundSelection selection{0.0, 0.1};
    Notifications notes;
    const QcPlaybackNotifier notifier = notes.notifier();
    EXPECT_EQ(PlayMemorySound(&notifier, &sound.header, &sound.body, &selection),
              QC_PLAYBACK_FAILED);
    EXPECT_EQ(lastError(), playbackMessage("Device unavailable"));
    EXPECT_TRUE(notes.all().empty()) << "no device was opened";
    // The failed start released the player.
    EXPECT_EQ(PlayMemorySound(&notifier, &sound.header, &sound.body, &selection),
              QC_PLAYBACK_FAILED);
    EXPECT_EQ(lastError(), playbackMessage("Device unavailable"));
}

TEST(Playback, ARateTheDeviceCannotPlayGivesSevenWithTheDeviceText) {
    AudioSandbox sandbox;
    sandbox.routeToFile();
    Sound sound(100, 1);
    const SoundSelection selection{0.0, 100.0};
    Notifications notes;
    const QcPlaybackNotifier notifier = notes.notifier();
    EXPECT_EQ(PlayMemorySound(&notifier, &sound.header, &sound.body, &selection),
              QC_PLAYBACK_FAILED);
    EXPECT_EQ(lastError(), playbackMessage("Invalid sample rate"));
    EXPECT_TRUE(notes.all().empty());
    sound.header.sampleRate = 8000;
    const SoundSelection playable{0.0, 0.01};
    EXPECT_EQ(PlayMemorySound(&notifier, &sound.header, &sound.body, &playable), QC_OK)
        << "the failed start left no player behind";
    CloseMemorySound();
}

// Waits until the device has begun to write, so that a pause comes as early as it can.
void waitForFirstBytes(const AudioSandbox& sandbox) {
    ASSERT_TRUE(platform_test::waitFor([&] { return sandbox.bytesRead() > 0; }))
        << "the device never began to write";
}

// 400 KB of sound drained at 128 KB/s: playback takes about three seconds, far longer than the
// pipe and the device buffers can hold, so a pause always comes before the end.
constexpr uint32_t pacedSamples = 200000;
constexpr std::size_t pacedBytesPerSecond = 128 * 1024;

TEST(Playback, PauseTwiceResumes) {
    AudioSandbox sandbox;
    sandbox.routeToPacedPipe(pacedBytesPerSecond);
    Sound sound(pacedSamples);
    const SoundSelection selection{0.0, pacedSamples / 8000.0};
    Notifications notes;
    const QcPlaybackNotifier notifier = notes.notifier();
    ASSERT_EQ(PlayMemorySound(&notifier, &sound.header, &sound.body, &selection), QC_OK);
    waitForFirstBytes(sandbox);
    PauseMemorySound();
    waitUntilDrained(sandbox);
    EXPECT_LT(sandbox.bytesRead(), std::size_t{pacedSamples} * 2) << "paused before the end";
    EXPECT_EQ(notes.count(QC_PLAYBACK_DONE), 0);
    PauseMemorySound();
    ASSERT_TRUE(notes.waitFor(QC_PLAYBACK_DONE, 60s));
    CloseMemorySound();
    EXPECT_EQ(withoutZeros(sandbox.samplesWritten()), sound.slice(0, pacedSamples));
}

TEST(Playback, PauseThreeTimesStaysPausedAndStopEndsIt) {
    AudioSandbox sandbox;
    sandbox.routeToPacedPipe(pacedBytesPerSecond);
    Sound sound(pacedSamples);
    const SoundSelection selection{0.0, pacedSamples / 8000.0};
    Notifications notes;
    const QcPlaybackNotifier notifier = notes.notifier();
    ASSERT_EQ(PlayMemorySound(&notifier, &sound.header, &sound.body, &selection), QC_OK);
    waitForFirstBytes(sandbox);
    PauseMemorySound();
    PauseMemorySound();
    PauseMemorySound();
    waitUntilDrained(sandbox);
    EXPECT_LT(sandbox.bytesRead(), std::size_t{pacedSamples} * 2);
    EXPECT_EQ(notes.count(QC_PLAYBACK_DONE), 0);
    StopMemorySound();
    EXPECT_EQ(notes.count(QC_PLAYBACK_DONE), 1) << "a stop hands the buffer back as done";
    CloseMemorySound();
    const auto written = withoutZeros(sandbox.samplesWritten());
    ASSERT_LT(written.size(), pacedSamples);
    EXPECT_EQ(written, sound.slice(0, static_cast<uint32_t>(written.size())))
        << "what was played is the start of the selection, in order";
}

TEST(Playback, CloseWhilePlayingStopsTheDeviceFirst) {
    AudioSandbox sandbox;
    sandbox.routeToPacedPipe(pacedBytesPerSecond);
    Sound sound(pacedSamples);
    const SoundSelection selection{0.0, pacedSamples / 8000.0};
    Notifications notes;
    const QcPlaybackNotifier notifier = notes.notifier();
    ASSERT_EQ(PlayMemorySound(&notifier, &sound.header, &sound.body, &selection), QC_OK);
    waitForFirstBytes(sandbox);
    CloseMemorySound();
    EXPECT_EQ(notes.all(),
              (std::vector<int32_t>{QC_PLAYBACK_OPEN, QC_PLAYBACK_DONE, QC_PLAYBACK_CLOSE}));
    const std::size_t atClose = sandbox.bytesRead();
    waitUntilDrained(sandbox);
    // Only what the pipe already held may still be read; the device no longer reads the body.
    EXPECT_LE(sandbox.bytesRead(), atClose + 70000);
    EXPECT_LT(withoutZeros(sandbox.samplesWritten()).size(), pacedSamples);
}

} // namespace
