#include "command.h"
#include "input_options.h"
#include "number_options.h"
#include "sound_file.h"
#include "toolkit_path.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace quiesc_tool {
namespace {

// Set by Ctrl+C; the playing loop stops the device and closes it.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int) {
    interrupted = 1;
}

// The sound to play, freed when it goes; it must outlive the player.
struct PlayedSound {
    SoundHeader header{};
    int16_t* body = nullptr;
    ~PlayedSound() { FreeSoundBody(body); }
};

void onPlaybackNotification(void* context, int32_t message) {
    if (message == QC_PLAYBACK_DONE) {
        static_cast<std::atomic<bool>*>(context)->store(true);
    }
}

void printProgress(double played, double length) {
    std::printf("\rPlaying %8.2f / %.2f s", played, length);
    std::fflush(stdout);
}

// Waits for the end of the buffer or Ctrl+C, showing the time played; true when interrupted.
bool waitWhilePlaying(const std::atomic<bool>& done, double length) {
    const auto start = std::chrono::steady_clock::now();
    while (!done && !interrupted) {
        const std::chrono::duration<double> played = std::chrono::steady_clock::now() - start;
        printProgress(played.count() < length ? played.count() : length, length);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return interrupted != 0;
}

} // namespace

int runPlay(const Arguments& arguments) {
    std::string error;
    const auto input = describeInput(arguments, arguments.operand(0), error);
    const auto from = input ? numberOption(arguments, "--from", 0.0, error) : std::nullopt;
    if (!from) {
        return usageError("play", error);
    }
    PlayedSound sound;
    const ToolkitPath path(input->fileName, input->type, ToolkitPath::Use::Read);
    if (OpenSoundFileEx(path.path().c_str(), &sound.header, &sound.body, input->encoding.formatCode,
                        input->encoding.rate) != QC_OK) {
        sound.body = nullptr;
        printToolkitError(input->fileName, &path);
        return exitToolkitFailure;
    }
    SoundSelection whole{};
    GetWholeSoundSelection(&sound.header, &whole);
    const auto to = numberOption(arguments, "--to", whole.endSeconds, error);
    if (!to) {
        return usageError("play", error);
    }
    const SoundSelection selection{*from, *to};

    std::atomic<bool> done{false};
    const QcPlaybackNotifier notifier{&onPlaybackNotification, &done};
    interrupted = 0;
    const auto previous = std::signal(SIGINT, &onInterrupt);
    if (PlayMemorySound(&notifier, &sound.header, &sound.body, &selection) != QC_OK) {
        std::signal(SIGINT, previous);
        printToolkitError(input->fileName);
        return exitToolkitFailure;
    }
    const double length = selection.endSeconds - selection.startSeconds;
    const bool stopped = waitWhilePlaying(done, length);
    if (stopped) {
        StopMemorySound();
    }
    CloseMemorySound();
    std::signal(SIGINT, previous);
    if (!stopped) {
        printProgress(length, length);
    }
    std::printf(stopped ? "\nStopped.\n" : "\nDone.\n");
    std::fflush(stdout);
    return exitSuccess;
}

} // namespace quiesc_tool
